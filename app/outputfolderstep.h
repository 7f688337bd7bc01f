#pragma once

#include "desktopservices.h"
#include "userdefaults.h"

#include <QString>

namespace plenwick {

// The output folder action's dialogue: the folder chooser, then the confirmation of the chosen
// folder, whose bookmark is stored once confirmed.
class OutputFolderStep final {
public:
    enum class Outcome {
        Cancelled, // the chooser was cancelled
        Unusable,  // confirmed, but on no folder the run can use: nothing changes
        Declined,  // the confirmation was declined
        Confirmed,
    };
    struct Result final {
        Outcome outcome;
        QString folder; // when confirmed
    };

    OutputFolderStep(DesktopServices& services, UserDefaults& defaults);

    [[nodiscard]] Result run();

private:
    [[nodiscard]] bool confirm(const QString& folder);

    DesktopServices& services;
    UserDefaults& defaults;
};

} // namespace plenwick
