#pragma once

#include <QString>

namespace plenwick {

// The desktop's notification service, the freedesktop one on the session bus.
inline constexpr char NotificationService[] = "org.freedesktop.Notifications";
inline constexpr char NotificationPath[] = "/org/freedesktop/Notifications";

// Shows a passing message from the program. A notification is a courtesy: where there is no
// session bus or no notification service, nothing happens and nothing is reported, and the
// program never waits for the service.
void showDesktopNotification(const QString& summary, const QString& body);

} // namespace plenwick
