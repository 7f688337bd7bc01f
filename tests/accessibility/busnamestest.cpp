#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <tuple>

namespace plenwick::test {
namespace {

using namespace Qt::StringLiterals;

const QString Accessible = u"org.a11y.atspi.Accessible"_s;
const QString Action = u"org.a11y.atspi.Action"_s;

// The reply's array of structures ("a(so)", "a(sss)", ...), one tuple each.
template <typename... Fields> std::vector<std::tuple<Fields...>> rows(const QDBusMessage& reply) {
    std::vector<std::tuple<Fields...>> found;
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return found;
    const auto array = reply.arguments().constFirst().value<QDBusArgument>();
    array.beginArray();
    while (!array.atEnd()) {
        std::tuple<Fields...> row;
        array.beginStructure();
        std::apply([&array](auto&... field) { (array >> ... >> field); }, row);
        array.endStructure();
        found.push_back(std::move(row));
    }
    array.endArray();
    return found;
}

// One object of the accessibility tree as a screen reader reaches it: over the accessibility bus,
// from another process.
struct Node final {
    // States a test asks about, numbered as the accessibility bus numbers them.
    enum class State { Checked = 4, Pressed = 20 };

    QDBusConnection bus;
    QString service;
    QString path;

    QDBusMessage call(const QString& interface, const QString& method,
                      const QVariantList& arguments = {}) const {
        QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
        message.setArguments(arguments);
        return bus.call(message);
    }
    [[nodiscard]] QString text(const QString& property) const {
        const QDBusReply<QDBusVariant> reply =
            call(u"org.freedesktop.DBus.Properties"_s, u"Get"_s, {Accessible, property});
        return reply.isValid() ? reply.value().variant().toString() : QString();
    }
    [[nodiscard]] QString name() const { return text(u"Name"_s); }
    [[nodiscard]] QString description() const { return text(u"Description"_s); }
    [[nodiscard]] QString roleName() const {
        const QDBusReply<QString> reply = call(Accessible, u"GetRoleName"_s);
        return reply.isValid() ? reply.value() : QString();
    }
    [[nodiscard]] bool has(State state) const {
        const QDBusMessage reply = call(Accessible, u"GetState"_s);
        QList<uint> words; // the state set as 32-bit words, lowest first
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
            reply.arguments().constFirst().value<QDBusArgument>() >> words;
        const auto bit = static_cast<qsizetype>(state);
        return bit / 32 < words.size() && (words[bit / 32] >> (bit % 32) & 1U) != 0;
    }
    [[nodiscard]] std::vector<Node> children() const {
        std::vector<Node> nodes;
        for (const auto& [childService, childPath] :
             rows<QString, QDBusObjectPath>(call(Accessible, u"GetChildren"_s)))
            nodes.push_back({bus, childService, childPath.path()});
        return nodes;
    }
    // The first node, depth first from this one, that the test accepts.
    [[nodiscard]] std::optional<Node> find(const std::function<bool(const Node&)>& accepts) const {
        if (accepts(*this))
            return *this;
        for (const Node& child : children())
            if (auto found = child.find(accepts))
                return found;
        return std::nullopt;
    }
    // Asks for the named action ("Press", "Toggle", ...) without waiting for it to finish, as an
    // action may open a modal window.
    bool doAction(const QString& action) const {
        const auto actions = rows<QString, QString, QString>(call(Action, u"GetActions"_s));
        for (std::size_t index = 0; index < actions.size(); ++index) {
            if (std::get<0>(actions[index]) == action) {
                QDBusMessage request =
                    QDBusMessage::createMethodCall(service, path, Action, u"DoAction"_s);
                request.setArguments({static_cast<int>(index)});
                return bus.send(request);
            }
        }
        return false;
    }
};

using State = Node::State;

// Polls until the condition holds, as a screen reader sees a window only once it is up.
template <typename Condition> bool eventually(Condition condition) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.hasExpired(15000))
            return false;
        QThread::msleep(50);
    }
    return true;
}

auto named(const QString& role, const QString& name) {
    return [role, name](const Node& node) {
        return node.roleName() == role && node.name().contains(name);
    };
}

// The real program in a home of its own, whose name needs care ('&' is a mnemonic marker to Qt),
// with its settings file there, driven only over the accessibility bus.
class BusTest : public testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            GTEST_SKIP() << "needs an X display";
        const QDBusReply<QString> address =
            QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
                u"org.a11y.Bus"_s, u"/org/a11y/bus"_s, u"org.a11y.Bus"_s, u"GetAddress"_s));
        if (!address.isValid())
            GTEST_SKIP() << "no accessibility bus: " << address.error().message().toStdString();
        bus = QDBusConnection::connectToBus(address.value(), u"a11y"_s);
        ASSERT_TRUE(bus->isConnected()) << address.value().toStdString();
        ASSERT_TRUE(QDir().mkpath(home()));
        ASSERT_TRUE(QDir().mkpath(QFileInfo(settingsFile()).path()));
    }

    void TearDown() override {
        program.kill();
        program.waitForFinished();
    }

    [[nodiscard]] QString home() const { return root.filePath(u"Out & Co"_s); }
    [[nodiscard]] QString settingsFile() const {
        return root.filePath(u"config/plenwick/plenwick.ini"_s);
    }

    // Starts the program with these settings; returns it once it has joined the bus.
    Node launch(const QByteArray& settings) {
        QFile file(settingsFile());
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write("[General]\n" + settings) > 0);
        file.close();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"HOME"_s, home());
        environment.insert(u"XDG_CONFIG_HOME"_s, root.filePath(u"config"_s));
        environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        environment.insert(u"QT_LINUX_ACCESSIBILITY_ALWAYS_ON"_s, u"1"_s);
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(QStringLiteral(PLENWICK_PROGRAM), {});
        EXPECT_TRUE(program.waitForStarted());
        const Node registry{*bus, u"org.a11y.atspi.Registry"_s,
                            u"/org/a11y/atspi/accessible/root"_s};
        std::optional<Node> application;
        EXPECT_TRUE(eventually([&] {
            for (const Node& registered : registry.children())
                if (bus->interface()->servicePid(registered.service).value() == program.processId())
                    application = registered;
            return application.has_value();
        }));
        return application.value_or(registry);
    }

    // The first node below `from` that `accepts` takes, once it has appeared.
    Node await(const Node& from, const std::function<bool(const Node&)>& accepts) {
        std::optional<Node> found;
        EXPECT_TRUE(eventually([&] { return (found = from.find(accepts)).has_value(); }));
        return found.value_or(from);
    }

    [[nodiscard]] QByteArray settingsBytes() const {
        QFile file(settingsFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir root;
    std::optional<QDBusConnection> bus;
    QProcess program;
};
TEST_F(BusTest, TheStartupNoticeIsReadWhole) {
    const Node application = launch({});
    const Node notice = await(application, named(u"alert message"_s, u"Startup Q&A"_s));
    EXPECT_TRUE(notice.description().startsWith(u"Q: When Plenwick finishes conversion"_s));
    EXPECT_TRUE(notice.description().endsWith(u"to see the change of your picture's DPI.\n"_s));
    EXPECT_TRUE(await(notice, named(u"push button"_s, u"Got it"_s)).doAction(u"Press"_s));
    await(application, named(u"push button"_s, u"Start: choose the source folder"_s));
}

TEST_F(BusTest, TheOutputButtonIsNamedWithTheChosenFolder) {
    const Node application = launch("iStatement=1\n");
    EXPECT_TRUE(
        await(application, named(u"push button"_s, u"Select Destination (output) Folder First"_s))
            .doAction(u"Press"_s));
    EXPECT_TRUE(
        await(application, named(u"push button"_s, u"Select This Folder"_s)).doAction(u"Press"_s));
    const Node confirmation =
        await(application, named(u"alert message"_s, u"File Saving Folder Confirmation"_s));
    EXPECT_TRUE(confirmation.description().contains(home()));
    EXPECT_TRUE(await(confirmation, named(u"push button"_s, u"Ok"_s)).doAction(u"Press"_s));
    await(application, named(u"push button"_s, home()));
}

TEST_F(BusTest, ThePanelReadsItsVersionAndTheToggleActionClosesTheOpenStoreMenu) {
    const Node application = launch("iStatement=1\nfirstTime=1\niDock=1\n");
    EXPECT_TRUE(
        await(application, named(u"push button"_s, u"About Plenwick"_s)).doAction(u"Press"_s));
    const Node version = await(application, named(u"label"_s, u"Version"_s));
    EXPECT_EQ(version.description(), u"Plenwick v" PLENWICK_VERSION ""_s);
    EXPECT_EQ(await(application, named(u"label"_s, u"What Plenwick does"_s)).description(),
              u"Sets the recorded resolution of every picture in a folder."_s);

    // A popup menu is no window of the tree: its button stays pressed while the menu is open.
    const Node store = await(application, named(u"button menu"_s, u"Store"_s));
    EXPECT_TRUE(store.doAction(u"ShowMenu"_s));
    EXPECT_TRUE(eventually([&] { return store.has(State::Pressed); }));
    const Node dockSwitch = await(
        application, named(u"check box"_s, u"Show Plenwick in the task bar and its menu bar"_s));
    ASSERT_TRUE(dockSwitch.has(State::Checked));
    EXPECT_TRUE(dockSwitch.doAction(u"Toggle"_s));
    EXPECT_TRUE(eventually([&] { return settingsBytes().contains("iDock=0"); }))
        << settingsBytes().toStdString();
    EXPECT_FALSE(dockSwitch.has(State::Checked));
    EXPECT_TRUE(eventually([&] { return !store.has(State::Pressed); }));
}

} // namespace
} // namespace plenwick::test
