#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace plenwick {

// Bookmark data: opaque bytes naming one file-system item, which resolve back to that item while
// it exists at its place, and fail once it is gone or another item has taken its place.
[[nodiscard]] std::optional<QByteArray> bookmarkData(const QString& path);
// The item's path, or nothing when the data is no bookmark or its item is gone.
[[nodiscard]] std::optional<QString> resolveBookmarkData(const QByteArray& data);

} // namespace plenwick
