#pragma once

#include "batchplan.h"
#include "batchservices.h"
#include "batchtexts.h"
#include "picturejob.h"

#include <QElapsedTimer>
#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <vector>

namespace plenwick {

// The time left, from the pictures done so far; nothing before the first two are done.
[[nodiscard]] std::optional<std::chrono::seconds>
estimateTimeLeft(std::chrono::milliseconds elapsed, qsizetype picturesDone, qsizetype pictureCount);

// Converts the pictures of a plan one after the other, in listing order, and says how it goes.
// Needs no window: what it asks of the machine goes through BatchServices.
class ConversionBatch final {
public:
    struct Callbacks final {
        // Every listed entry in turn, pictures or not, before it is handled.
        std::function<void(qsizetype entryIndex)> entryStarted;
        // The DPI for the next picture, read once per entry so a change applies from the next.
        std::function<qint64()> dpi;
        std::function<void(const BatchProgress&)> pictureStarted;
        std::function<void(const PictureOutcome&)> pictureFinished;
    };

    ConversionBatch(BatchPlan plan, BatchServices& services);

    // Converts until every entry is handled or a stop is asked for; answers the pictures that
    // were not converted, in listing order.
    std::vector<PictureOutcome> run(const Callbacks& callbacks);
    // The current picture is finished, then the run ends.
    void requestStop() { stopRequested = true; }
    // The running tool is ended at once and its picture fails; nothing further starts.
    void abort();

    [[nodiscard]] const BatchPlan& plan() const { return batchPlan; }

private:
    BatchPlan batchPlan;
    BatchServices& services;
    std::atomic_bool stopRequested = false;
    std::atomic_bool aborted = false;
};

} // namespace plenwick
