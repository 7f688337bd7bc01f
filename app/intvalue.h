#pragma once

#include <QStringView>

namespace plenwick {

// A text's whole-number value as a text field reads it: leading blanks and one sign are accepted,
// reading stops at the first non-digit, no number reads as 0, and a value beyond a signed 32-bit
// integer saturates at the nearer limit.
[[nodiscard]] int intValue(QStringView text);

} // namespace plenwick
