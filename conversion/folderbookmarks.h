#pragma once

#include "userdefaults.h"

#include <QString>
#include <QUrl>
#include <optional>

namespace plenwick {

// Stores the item's bookmark under the key and synchronizes; when no bookmark can be made, the key
// keeps its earlier value and nothing is reported.
void storeFolderBookmark(UserDefaults& defaults, const QString& path, const BytesSetting& key);
// The output folder from its stored bookmark, or nothing when none is stored or it no longer
// resolves.
[[nodiscard]] std::optional<QUrl> resolveOutputFolder(const UserDefaults& defaults);

} // namespace plenwick
