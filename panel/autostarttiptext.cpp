#include "autostarttiptext.h"

#include "harrowfenlinks.h"

#include <QCoreApplication>

namespace plenwick {

QString autostartTipText(QStringView appVersion) {
    return QCoreApplication::translate(
               "Panel",
               "To save the reserved resource of your macOS under sandbox, we've stopped using "
               "hidden helper agent on loading 'Auto open at login (Auto start)' function from "
               "version %1. You can simply make any Mac app auto open at login in two "
               "ways:\n\nMethod A:\nplease goto your \n->System Preferences \n-> Users & Groups "
               "\n-> unlock change from left corner\n-> select your user name from left "
               "column\n-> select Login Items tab from right colum\n-> click + button to locate "
               "and add '%2'\n-> lock change from left corner\n\nMethod B:\nfrom dock icon of "
               "'%2'\n->right click icon then clicking Options\n->select Open at Login\n(see "
               "attached screenshot for details)")
        .arg(appVersion, QStringView(ProductName));
}

} // namespace plenwick
