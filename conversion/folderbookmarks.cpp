#include "folderbookmarks.h"

#include "bookmark.h"

namespace plenwick {

void storeFolderBookmark(UserDefaults& defaults, const QString& path, const BytesSetting& key) {
    const std::optional<QByteArray> data = bookmarkData(path);
    if (!data)
        return;
    defaults.setBytes(key, *data);
}

std::optional<QUrl> resolveOutputFolder(const UserDefaults& defaults) {
    const std::optional<QByteArray> stored = defaults.bytes(Settings::OutputFolderBookmark);
    if (!stored)
        return std::nullopt;
    const std::optional<QString> path = resolveBookmarkData(*stored);
    if (!path)
        return std::nullopt;
    // Nothing to open on Linux: access lasts while the folder's permissions allow it.
    return QUrl::fromLocalFile(*path);
}

} // namespace plenwick
