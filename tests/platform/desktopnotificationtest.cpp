#include "desktopnotification.h"

#include "qtprinters.h"

#include <QDBusConnection>
#include <QGuiApplication>
#include <QTest>
#include <gtest/gtest.h>

// Runs on a private session bus of its own (dbus-run-session), so that the scripted service
// below is the only notification service there.

namespace {

using namespace Qt::Literals::StringLiterals;

// A notification service that records each call, on a bus connection of its own: the program's
// message travels through the real bus daemon to reach it.
class ScriptedNotificationService final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"service"_s);
    QList<QVariantList> calls;

public Q_SLOTS:
    uint Notify(const QString& application, uint replaces, const QString& icon,
                const QString& summary, const QString& body, const QStringList& actions,
                const QVariantMap& hints, int timeout) {
        calls.append({application, replaces, icon, summary, body, actions,
                      hints.value(u"desktop-entry"_s), timeout});
        return static_cast<uint>(calls.size());
    }
};

TEST(DesktopNotification, ReachesTheServiceWithItsTextsAndTheDesktopEntry) {
    QGuiApplication::setApplicationDisplayName(u"Plenwick"_s);
    QGuiApplication::setDesktopFileName(u"com.harrowfen.Plenwick"_s);
    ScriptedNotificationService service;
    ASSERT_TRUE(service.bus.registerObject(QLatin1StringView(plenwick::NotificationPath), &service,
                                           QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(service.bus.registerService(QLatin1StringView(plenwick::NotificationService)));

    // Names are the user's: markup-like and non-Latin texts travel as they are.
    const QString body = u"3 pictures converted, 1 needs attention: <b>ü.jpg</b>"_s;
    plenwick::showDesktopNotification(u"Plenwick finished"_s, body);

    ASSERT_TRUE(QTest::qWaitFor([&] { return !service.calls.empty(); }, 10000));
    EXPECT_EQ(service.calls, (QList<QVariantList>{{u"Plenwick"_s, 0u, u"com.harrowfen.Plenwick"_s,
                                                   u"Plenwick finished"_s, body, QStringList(),
                                                   u"com.harrowfen.Plenwick"_s, -1}}));
}

} // namespace

#include "desktopnotificationtest.moc"
