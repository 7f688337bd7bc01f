#pragma once

#include "batchplan.h"
#include "batchtexts.h"
#include "picturejob.h"

#include <atomic>
#include <functional>
#include <vector>

namespace plenwick {

// Converts the pictures of a plan with up to `jobs` pictures at once. The plan fixes every copy's
// name beforehand, so the copies are the same whatever the order. Both callbacks run on the
// calling thread, one at a time: `started` as a picture begins (numbered in the order they
// begin), `finished` as it ends. Once `abort` is set no further picture starts. Answers the
// pictures that were not converted, in listing order.
struct ParallelBatch final {
    std::function<void(const BatchProgress&)> started;
    std::function<void(const PictureOutcome&, qsizetype picturesDone)> finished;

    std::vector<PictureOutcome> run(const BatchPlan& plan, qint64 dpi, int jobs,
                                    const std::atomic_bool& abort) const;
};

} // namespace plenwick
