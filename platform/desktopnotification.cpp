#include "desktopnotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QStringList>
#include <QVariantMap>

namespace plenwick {

void showDesktopNotification(const QString& summary, const QString& body) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QLatin1StringView(NotificationService), QLatin1StringView(NotificationPath),
        QLatin1StringView(NotificationService), QStringLiteral("Notify"));
    const QString desktopEntry = QGuiApplication::desktopFileName();
    // Arguments: application name, id to replace (none), icon, summary, body, actions, hints,
    // and the timeout the service picks (-1).
    notify << QGuiApplication::applicationDisplayName() << quint32{0} << desktopEntry << summary
           << body << QStringList() << QVariantMap{{QStringLiteral("desktop-entry"), desktopEntry}}
           << qint32{-1};
    // Sent without waiting for the reply: a missing service answers with an error no one reads.
    bus.send(notify);
}

} // namespace plenwick
