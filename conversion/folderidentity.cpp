#include "folderidentity.h"

#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace plenwick {

bool isSameFolder(const QString& first, const QString& second) {
    if (first == second)
        return true;
    const QString canonicalFirst = QFileInfo(first).canonicalFilePath();
    if (!canonicalFirst.isEmpty() && canonicalFirst == QFileInfo(second).canonicalFilePath())
        return true;
    struct stat firstStatus {};
    struct stat secondStatus {};
    return ::stat(QFile::encodeName(first).constData(), &firstStatus) == 0 &&
           ::stat(QFile::encodeName(second).constData(), &secondStatus) == 0 &&
           firstStatus.st_dev == secondStatus.st_dev && firstStatus.st_ino == secondStatus.st_ino;
}

} // namespace plenwick
