#include "desktopnotification.h"

#include <QDBusConnection>
#include <QGuiApplication>
#include <QTest>
#include <gtest/gtest.h>

// Runs on a private session bus of its own (see onsessionbus.sh), so that the scripted service
// below is the only notification service there.

namespace {

using namespace Qt::Literals::StringLiterals;

struct Received final {
    QString application;
    uint replaces = 1;
    QString icon;
    QString summary;
    QString body;
    QStringList actions;
    QVariantMap hints;
    int timeout = 0;
};

// A notification service that records each call, on a bus connection of its own: the program's
// message travels through the real bus daemon to reach it.
class ScriptedNotificationService final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    ScriptedNotificationService()
        : bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"service"_s)) {
        bus.registerObject(QLatin1StringView(plenwick::NotificationPath), this,
                           QDBusConnection::ExportAllSlots);
        registered = bus.registerService(QLatin1StringView(plenwick::NotificationService));
    }
    ~ScriptedNotificationService() override {
        bus.unregisterService(QLatin1StringView(plenwick::NotificationService));
        bus.unregisterObject(QLatin1StringView(plenwick::NotificationPath));
        QDBusConnection::disconnectFromBus(u"service"_s);
    }
    ScriptedNotificationService(const ScriptedNotificationService&) = delete;
    ScriptedNotificationService& operator=(const ScriptedNotificationService&) = delete;

    QDBusConnection bus;
    bool registered = false;
    std::vector<Received> calls;

public Q_SLOTS:
    uint Notify(const QString& application, uint replaces, const QString& icon,
                const QString& summary, const QString& body, const QStringList& actions,
                const QVariantMap& hints, int timeout) {
        calls.push_back({application, replaces, icon, summary, body, actions, hints, timeout});
        return static_cast<uint>(calls.size());
    }
};

class DesktopNotification : public testing::Test {
protected:
    void SetUp() override {
        if (!QDBusConnection::sessionBus().isConnected())
            GTEST_SKIP() << "no session bus";
        QGuiApplication::setApplicationDisplayName(u"Plenwick"_s);
        QGuiApplication::setDesktopFileName(u"com.harrowfen.Plenwick"_s);
    }
};

TEST_F(DesktopNotification, ReachesTheServiceWithItsTextsAndTheDesktopEntry) {
    ScriptedNotificationService service;
    ASSERT_TRUE(service.registered);

    // Names are the user's: markup-like and non-Latin texts travel as they are.
    plenwick::showDesktopNotification(u"Plenwick finished"_s,
                                      u"3 pictures converted, 1 needs attention: <b>ü.jpg</b>"_s);

    ASSERT_TRUE(QTest::qWaitFor([&] { return !service.calls.empty(); }, 10000));
    ASSERT_EQ(service.calls.size(), 1u);
    const Received& call = service.calls.front();
    EXPECT_EQ(call.application, u"Plenwick"_s);
    EXPECT_EQ(call.replaces, 0u);
    EXPECT_EQ(call.icon, u"com.harrowfen.Plenwick"_s);
    EXPECT_EQ(call.summary, u"Plenwick finished"_s);
    EXPECT_EQ(call.body, u"3 pictures converted, 1 needs attention: <b>ü.jpg</b>"_s);
    EXPECT_TRUE(call.actions.isEmpty());
    EXPECT_EQ(call.hints.value(u"desktop-entry"_s).toString(), u"com.harrowfen.Plenwick"_s);
    EXPECT_EQ(call.timeout, -1);
}

} // namespace

#include "desktopnotificationtest.moc"
