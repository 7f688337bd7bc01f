#include "plenwickapp.h"
#include "windowtexts.h"

namespace plenwick {

void Plenwickapp::tip(bool onDemand) {
    Alert alert;
    alert.messageText = WindowTexts::startupNoticeTitle();
    alert.informativeText = WindowTexts::startupNotice();
    alert.buttons = {WindowTexts::gotIt()};
    alert.titlebarAppearsTransparent = true;
    alert.showsSuppressionButton = true;

    if (defaults.integerForKey(SettingsKey::StartupNoticeSuppressed) != 1) {
        services.runAlert(alert);
    } else {
        alert.suppressionChecked = true;
        if (onDemand)
            services.runAlert(alert);
    }
    defaults.setInteger(alert.suppressionChecked ? 1 : 0, SettingsKey::StartupNoticeSuppressed);
    defaults.synchronize();
}

void Plenwickapp::tipStartup(QObject* /*sender*/) {
    tip(true);
}

} // namespace plenwick
