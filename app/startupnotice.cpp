#include "startupnotice.h"

#include "windowtexts.h"

namespace plenwick {

StartupNotice::StartupNotice(DesktopServices& services, UserDefaults& defaults)
    : services(services)
    , defaults(defaults) {}

void StartupNotice::show(bool onDemand) {
    Alert alert;
    alert.messageText = WindowTexts::startupNoticeTitle();
    alert.informativeText = WindowTexts::startupNotice();
    alert.buttons = {WindowTexts::gotIt()};
    alert.titlebarAppearsTransparent = true;
    alert.showsSuppressionButton = true;

    if (!defaults.flag(Settings::StartupNoticeSuppressed)) {
        services.runAlert(alert);
    } else {
        alert.suppressionChecked = true;
        if (onDemand)
            services.runAlert(alert);
    }
    defaults.setFlag(Settings::StartupNoticeSuppressed, alert.suppressionChecked);
}

} // namespace plenwick
