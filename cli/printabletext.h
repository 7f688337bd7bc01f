#pragma once

#include <QString>

namespace plenwick {

// The text with every control character written as an escape ("\n", "\t", "\x1b", "\u202e"), so
// that a file name cannot break a line, move the cursor, send commands to the terminal or reorder
// what is printed around it.
[[nodiscard]] QString printableText(const QString& text);

} // namespace plenwick
