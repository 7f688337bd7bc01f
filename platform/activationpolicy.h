#pragma once

#include "desktopservices.h"

namespace plenwick {

// Regular: the program's windows are in the task bar and its main window shows its menu bar.
// Accessory: the windows leave the task bar and the menu bar is hidden; the windows stay usable.
void applyActivationPolicy(ActivationPolicy policy);
// Brings the main window to the front and gives it the focus.
void activateMainWindow();

} // namespace plenwick
