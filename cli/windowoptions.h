#pragma once

#include <QString>
#include <QStringList>

namespace plenwick {

// Whether the arguments (the program's name first) are only Qt's own options for the window,
// such as `-platform xcb` or `-style Fusion`: then the window opens and Qt reads them.
[[nodiscard]] bool onlyWindowOptions(const QStringList& arguments);

// Qt's options for the window, for --help-all.
[[nodiscard]] QString windowOptionsHelp();

// Whether the window's platform has a display to open on: an X or Wayland platform needs its
// display variable, which Qt otherwise answers with an abort. The platform is the one `-platform`
// or QT_QPA_PLATFORM names, else X or Wayland.
[[nodiscard]] bool windowDisplayAvailable(const QStringList& arguments);

} // namespace plenwick
