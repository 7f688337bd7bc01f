#pragma once

#include <QString>

namespace plenwick {

// Whether two paths name one folder: equal texts, or the same folder reached through a link, "..",
// a doubled or trailing slash.
[[nodiscard]] bool isSameFolder(const QString& first, const QString& second);

} // namespace plenwick
