#include "folderbookmarks.h"

#include "bookmark.h"

namespace plenwick {

void storeFolderBookmark(UserDefaults& defaults, const QString& path, SettingsKey key) {
    const std::optional<QByteArray> data = bookmarkData(path);
    if (!data)
        return;
    defaults.setObject(*data, key);
    defaults.synchronize();
}

std::optional<QUrl> resolveOutputFolder(const UserDefaults& defaults) {
    const QVariant stored = defaults.objectForKey(SettingsKey::OutputFolderBookmark);
    if (!stored.isValid() || stored.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    const std::optional<QString> path = resolveBookmarkData(stored.toByteArray());
    if (!path)
        return std::nullopt;
    // Nothing to open on Linux: access lasts while the folder's permissions allow it.
    return QUrl::fromLocalFile(*path);
}

} // namespace plenwick
