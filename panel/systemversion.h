#pragma once

#include <QString>

namespace plenwick {

// The running system in words, e.g. "Debian GNU/Linux 12 (bookworm), kernel 6.1.0-18-amd64".
[[nodiscard]] QString systemVersionText();

} // namespace plenwick
