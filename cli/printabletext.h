#pragma once

#include <QString>

namespace plenwick {

// The text with every control character written as an escape ("\n", "\t", "\x1b"), so that a
// file name cannot break a line, move the cursor or send commands to the terminal.
[[nodiscard]] QString printableText(const QString& text);

} // namespace plenwick
