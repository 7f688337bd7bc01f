#pragma once

#include "batchplan.h"
#include "options.h"
#include "picturejob.h"

#include <vector>

namespace plenwick {

inline constexpr int FailureExitStatus = 1;

// What became of a run's pictures.
struct BatchResult final {
    std::vector<PictureOutcome> failures;
    std::vector<PictureOutcome> notedConversions;
    qsizetype ended = 0; // the others were never started
};

// The failures with their reasons, then every note, the folders that could not be listed, the
// entries left alone, then the counts; on standard error unless every picture was converted.
void printReport(const BatchResult& result, const BatchPlan& plan,
                 const ConversionOptions& options);

// What the run would do, with nothing made or changed; the status the run would end with as far
// as it is known beforehand.
[[nodiscard]] int printDryRun(const BatchPlan& plan, const ConversionOptions& options);

} // namespace plenwick
