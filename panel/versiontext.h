#pragma once

#include "bundleinfo.h"

#include <QString>

namespace plenwick {

// "<short version>.<build number>", e.g. 2.1.5; a missing key reads as "(null)".
[[nodiscard]] QString versionText(const BundleInfo& bundle);

} // namespace plenwick
