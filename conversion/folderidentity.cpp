#include "folderidentity.h"

#include <QFileInfo>

namespace plenwick {

bool isSameFolder(const QString& first, const QString& second) {
    if (first == second)
        return true;
    const QString canonicalFirst = QFileInfo(first).canonicalFilePath();
    return !canonicalFirst.isEmpty() && canonicalFirst == QFileInfo(second).canonicalFilePath();
}

} // namespace plenwick
