#pragma once

#include <QString>

namespace plenwick {

// Whether two paths name one folder: equal texts, the same folder reached through a link, "..",
// a doubled or trailing slash, or one folder seen at two places (a bind mount), known by its
// device and inode.
[[nodiscard]] bool isSameFolder(const QString& first, const QString& second);

} // namespace plenwick
