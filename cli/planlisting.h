#pragma once

#include "batchplan.h"

#include <QString>

namespace plenwick {

// Every picture of the plan with the copy it would give, every copy kept and every entry left
// alone, each on a line of its own: what a dry run prints. The listings below escape every
// name, so that none can break a line.
[[nodiscard]] QString dryRunListing(const BatchPlan& plan);

// The entries left alone and the copies kept, each named with its reason, one per line.
[[nodiscard]] QString leftAloneListing(const BatchPlan& plan);

// The folders that could not be listed, each with its reason, one per line.
[[nodiscard]] QString unreadableFolders(const BatchPlan& plan);

// How many entries got no copy, by why, one sentence per line; empty when every entry got one.
// `named` says whether the entries were named already.
[[nodiscard]] QString leftAloneSummary(const BatchPlan& plan, bool named);

// Whether a folder of the plan could not be listed.
[[nodiscard]] bool hasUnreadableFolders(const BatchPlan& plan);

} // namespace plenwick
