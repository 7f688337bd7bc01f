#include "systemversion.h"

#include <QSysInfo>

namespace plenwick {

QString systemVersionText() {
    return QSysInfo::prettyProductName() + u", kernel " + QSysInfo::kernelVersion();
}

} // namespace plenwick
