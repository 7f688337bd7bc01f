#include "autostarttiptext.h"
#include "harrowfenpanel.h"

namespace plenwick {

void Harrowfenpanel::tipsForAutostart(QObject* /*sender*/) {
    Alert alert;
    alert.messageText = QStringLiteral("Tips for 'Auto open at login'");
    alert.informativeText = autostartTipText(appVersion);
    alert.buttons = {QStringLiteral("Got it")};
    alert.titlebarAppearsTransparent = true;
    alert.accessoryView = tipView;
    services.runAlert(alert);
}

} // namespace plenwick
