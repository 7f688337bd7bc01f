#include "autostarttiptext.h"
#include "harrowfenpanel.h"

#include <QCoreApplication>

namespace plenwick {

void Harrowfenpanel::tipsForAutostart(QObject* /*sender*/) {
    Alert alert;
    alert.messageText = QCoreApplication::translate("Panel", "Tips for 'Auto open at login'");
    alert.informativeText = autostartTipText(appVersion);
    alert.buttons = {QCoreApplication::translate("Panel", "Got it")};
    alert.titlebarAppearsTransparent = true;
    alert.accessoryView = tipView;
    services.runAlert(alert);
}

} // namespace plenwick
