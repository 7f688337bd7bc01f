#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <optional>

namespace plenwick::test {
namespace {

using namespace Qt::StringLiterals;

const QString Accessible = u"org.a11y.atspi.Accessible"_s;

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

// One object of the accessibility tree as a screen reader reaches it: over the accessibility bus,
// from another process.
struct Node final {
    QDBusConnection bus;
    QString service;
    QString path;

    QDBusMessage call(const QString& interface, const QString& method,
                      const QVariantList& arguments = {},
                      QDBus::CallMode mode = QDBus::Block) const {
        QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
        message.setArguments(arguments);
        return bus.call(message, mode);
    }
    [[nodiscard]] QString text(const QString& property) const {
        const QDBusReply<QDBusVariant> reply =
            call(u"org.freedesktop.DBus.Properties"_s, u"Get"_s, {Accessible, property});
        return reply.isValid() ? reply.value().variant().toString() : QString();
    }
    [[nodiscard]] std::vector<Node> children() const {
        std::vector<Node> nodes;
        const QDBusMessage reply = call(Accessible, u"GetChildren"_s);
        for (const auto& [service, path] :
             qdbus_cast<QList<std::pair<QString, QDBusObjectPath>>>(reply.arguments().value(0)))
            nodes.push_back({bus, service, path.path()});
        return nodes;
    }
    // The first node, depth first from this one, of the role whose name holds the text.
    [[nodiscard]] std::optional<Node> find(const QString& role, const QString& name) const {
        const QDBusReply<QString> ownRole = call(Accessible, u"GetRoleName"_s);
        if (ownRole.isValid() && ownRole.value() == role && text(u"Name"_s).contains(name))
            return *this;
        for (const Node& child : children())
            if (auto found = child.find(role, name))
                return found;
        return std::nullopt;
    }
    // The first node below this one as soon as it has appeared.
    [[nodiscard]] Node await(const QString& role, const QString& name) const {
        std::optional<Node> found;
        EXPECT_TRUE(eventually([&] { return (found = find(role, name)).has_value(); }))
            << role.toStdString() << " " << name.toStdString();
        return found.value_or(*this);
    }
    // Asks for the object's own action (press, toggle, show the menu) without waiting for it to
    // finish, as an action may open a modal window.
    void act() const { call(u"org.a11y.atspi.Action"_s, u"DoAction"_s, {0}, QDBus::NoBlock); }
};

// The real program on a first launch, in a home whose name needs care ('&' is a mnemonic marker to
// Qt), with its settings file there, driven only over the accessibility bus.
TEST(BusTest, AScreenReaderUserReadsTheNoticeAndChoosesTheOutputFolder) {
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "needs an X display";
    const QDBusReply<QString> address =
        QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
            u"org.a11y.Bus"_s, u"/org/a11y/bus"_s, u"org.a11y.Bus"_s, u"GetAddress"_s));
    if (!address.isValid())
        GTEST_SKIP() << "no accessibility bus: " << address.error().message().toStdString();
    const QDBusConnection bus = QDBusConnection::connectToBus(address.value(), u"a11y"_s);
    ASSERT_TRUE(bus.isConnected()) << address.value().toStdString();
    const QTemporaryDir root;
    const QString home = root.filePath(u"Out & Co"_s);
    ASSERT_TRUE(QDir().mkpath(home));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, home);
    environment.insert(u"XDG_CONFIG_HOME"_s, root.filePath(u"config"_s));
    environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    environment.insert(u"QT_LINUX_ACCESSIBILITY_ALWAYS_ON"_s, u"1"_s);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(QStringLiteral(PLENWICK_PROGRAM), {});
    ASSERT_TRUE(program.waitForStarted());
    const Node registry{bus, u"org.a11y.atspi.Registry"_s, u"/org/a11y/atspi/accessible/root"_s};
    std::optional<Node> application;
    ASSERT_TRUE(eventually([&] {
        for (const Node& registered : registry.children())
            if (bus.interface()->servicePid(registered.service).value() == program.processId())
                application = registered;
        return application.has_value();
    }));

    // The startup notice, whose text the alert's own test reads in the process.
    const Node notice = application->await(u"alert message"_s, u"Startup Q&A"_s);
    notice.await(u"push button"_s, u"Got it"_s).act();

    // The output button is named with the folder chosen in the real chooser.
    application->await(u"push button"_s, u"Select Destination (output) Folder First"_s).act();
    application->await(u"push button"_s, u"Select This Folder"_s).act();
    const Node confirmation =
        application->await(u"alert message"_s, u"File Saving Folder Confirmation"_s);
    EXPECT_TRUE(confirmation.text(u"Description"_s).contains(home));
    confirmation.await(u"push button"_s, u"Ok"_s).act();
    EXPECT_EQ(application->await(u"push button"_s, home).text(u"Name"_s), home);

    program.kill();
    program.waitForFinished();
}

} // namespace
} // namespace plenwick::test
