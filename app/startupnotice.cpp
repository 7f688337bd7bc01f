#include "plenwickapp.h"

namespace plenwick {

namespace {
const QString SuppressedKey = QStringLiteral("iStatement");
}

void Plenwickapp::tip(bool onDemand) {
    Alert alert;
    alert.messageText = QStringLiteral("Startup Q&A");
    alert.informativeText = QStringLiteral(
        "Q: When Plenwick finishes conversion and takes me to the output folder, all the pictures "
        "look the same as before.\n\nA: You may not notice the change with your eyes, the app "
        "changes the picture's DPI only. You may click the 'Show Inspector' from your app "
        "'Preview' before and after convert to see the change of your picture's DPI.\n");
    alert.buttons = {QStringLiteral("Got it")};
    alert.titlebarAppearsTransparent = true;
    alert.showsSuppressionButton = true;

    if (defaults.integerForKey(SuppressedKey) != 1) {
        services.runAlert(alert);
    } else {
        alert.suppressionChecked = true;
        if (onDemand)
            services.runAlert(alert);
    }
    defaults.setInteger(alert.suppressionChecked ? 1 : 0, SuppressedKey);
    defaults.synchronize();
}

void Plenwickapp::tipStartup(QObject* /*sender*/) {
    tip(true);
}

} // namespace plenwick
