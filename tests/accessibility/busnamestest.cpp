#include "atspinode.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace plenwick::test {
namespace {

using namespace Qt::StringLiterals;
using State = AtspiNode::State;

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
    return [role, name](const AtspiNode& node) {
        return node.roleName() == role && node.name().contains(name);
    };
}

// The real program in a home of its own, whose name needs care ('&' is a mnemonic marker to Qt),
// with its settings file there, driven only over the accessibility bus.
class BusTest : public testing::Test {
protected:
    void SetUp() override {
        QString why;
        if (qEnvironmentVariableIsEmpty("DISPLAY") || !(bus = accessibilityBus(why)))
            GTEST_SKIP() << "needs a session bus with an accessibility bus and an X display: "
                         << (why.isEmpty() ? u"no DISPLAY"_s : why).toStdString();
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
    AtspiNode launch(const QByteArray& settings) {
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
        std::optional<AtspiNode> application;
        EXPECT_TRUE(eventually([&] {
            for (const AtspiNode& registered : AtspiNode::applications(*bus))
                if (registered.processId() == program.processId())
                    application = registered;
            return application.has_value();
        }));
        return application.value_or(AtspiNode(*bus, {}, {}));
    }

    // The first node below `from` that `accepts` takes, once it has appeared.
    AtspiNode await(const AtspiNode& from, const std::function<bool(const AtspiNode&)>& accepts) {
        std::optional<AtspiNode> found;
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
    const AtspiNode application = launch({});
    const AtspiNode notice = await(application, named(u"alert message"_s, u"Startup Q&A"_s));
    EXPECT_TRUE(notice.description().startsWith(u"Q: When Plenwick finishes conversion"_s));
    EXPECT_TRUE(notice.description().endsWith(u"to see the change of your picture's DPI.\n"_s));
    EXPECT_TRUE(await(notice, named(u"push button"_s, u"Got it"_s)).doAction(u"Press"_s));
    await(application, named(u"push button"_s, u"Start: choose the source folder"_s));
}

TEST_F(BusTest, TheOutputButtonIsNamedWithTheChosenFolder) {
    const AtspiNode application = launch("iStatement=1\n");
    EXPECT_TRUE(
        await(application, named(u"push button"_s, u"Select Destination (output) Folder First"_s))
            .doAction(u"Press"_s));
    EXPECT_TRUE(
        await(application, named(u"push button"_s, u"Select This Folder"_s)).doAction(u"Press"_s));
    const AtspiNode confirmation =
        await(application, named(u"alert message"_s, u"File Saving Folder Confirmation"_s));
    EXPECT_TRUE(confirmation.description().contains(home()));
    EXPECT_TRUE(await(confirmation, named(u"push button"_s, u"Ok"_s)).doAction(u"Press"_s));
    await(application, named(u"push button"_s, home()));
}

TEST_F(BusTest, ThePanelReadsItsVersionAndTheToggleActionClosesTheOpenStoreMenu) {
    const AtspiNode application = launch("iStatement=1\nfirstTime=1\niDock=1\n");
    EXPECT_TRUE(
        await(application, named(u"push button"_s, u"About Plenwick"_s)).doAction(u"Press"_s));
    const AtspiNode version = await(application, named(u"label"_s, u"Version"_s));
    EXPECT_EQ(version.description(), u"Plenwick v" PLENWICK_VERSION ""_s);
    EXPECT_EQ(await(application, named(u"label"_s, u"What Plenwick does"_s)).description(),
              u"Sets the recorded resolution of every picture in a folder."_s);

    // A popup menu is no window of the tree: its button stays pressed while the menu is open.
    const AtspiNode store = await(application, named(u"button menu"_s, u"Store"_s));
    EXPECT_TRUE(store.doAction(u"ShowMenu"_s));
    EXPECT_TRUE(eventually([&] { return store.has(State::Pressed); }));
    const AtspiNode dockSwitch = await(
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
