#include "folderdrop.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <unistd.h>

namespace plenwick {

std::variant<QString, RefusedDrop> droppedFolder(const QMimeData& data) {
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1)
        return RefusedDrop{DropRefusal::NotOneItem, QString()};
    const QUrl& url = urls.front();
    const QString name = url.isLocalFile() ? url.toLocalFile() : url.toDisplayString();
    if (!url.isLocalFile() || !QFileInfo(name).isDir())
        return RefusedDrop{DropRefusal::NotAFolder, name};
    // Listing needs both: reading the names and passing through to the entries.
    if (::access(QFile::encodeName(name).constData(), R_OK | X_OK) != 0)
        return RefusedDrop{DropRefusal::NotReadable, name};
    return name;
}

} // namespace plenwick
