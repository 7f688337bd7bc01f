#pragma once

#include "desktopservices.h"
#include "userdefaults.h"

namespace plenwick {

// The notice that answers the question new users ask, shown at start-up until the user ticks it
// away, and on demand at any time.
class StartupNotice final {
public:
    StartupNotice(DesktopServices& services, UserDefaults& defaults);

    // At start-up (onDemand false) a suppressed notice stays away; on demand it shows ticked.
    void show(bool onDemand);

private:
    DesktopServices& services;
    UserDefaults& defaults;
};

} // namespace plenwick
