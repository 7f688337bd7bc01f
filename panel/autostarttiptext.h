#pragma once

#include <QString>
#include <QStringView>

namespace plenwick {

// How to make the program open at login through the system's own settings, naming the version
// that stopped doing it by itself.
[[nodiscard]] QString autostartTipText(QStringView appVersion);

} // namespace plenwick
