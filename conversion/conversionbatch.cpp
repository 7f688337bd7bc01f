#include "conversionbatch.h"

namespace plenwick {

namespace {
constexpr qsizetype PicturesBeforeEstimate = 2;
}

std::optional<std::chrono::seconds> estimateTimeLeft(std::chrono::milliseconds elapsed,
                                                     qsizetype picturesDone,
                                                     qsizetype pictureCount) {
    if (picturesDone < PicturesBeforeEstimate || picturesDone > pictureCount)
        return std::nullopt;
    const auto left = elapsed * (pictureCount - picturesDone) / picturesDone;
    return std::chrono::ceil<std::chrono::seconds>(left);
}

ConversionBatch::ConversionBatch(BatchPlan plan, BatchServices& services)
    : batchPlan(std::move(plan))
    , services(services) {}

void ConversionBatch::abort() {
    aborted = true;
    stopRequested = true;
    endRunningTools();
}

std::vector<PictureOutcome> ConversionBatch::run(const Callbacks& callbacks) {
    std::vector<PictureOutcome> failures;
    const auto pictureCount = static_cast<qsizetype>(batchPlan.pictures.size());
    auto nextPicture = batchPlan.pictures.cbegin();
    qsizetype picturesDone = 0;
    QElapsedTimer clock;
    clock.start();
    for (qsizetype index = 0; index < batchPlan.entryCount && !stopRequested; ++index) {
        if (callbacks.entryStarted)
            callbacks.entryStarted(index);
        const qint64 dpi = callbacks.dpi ? callbacks.dpi() : 0;
        if (nextPicture == batchPlan.pictures.cend() || nextPicture->entryIndex != index)
            continue;
        const PictureJob& job = *nextPicture++;
        if (callbacks.pictureStarted) {
            callbacks.pictureStarted({picturesDone + 1, pictureCount, job.name,
                                      estimateTimeLeft(std::chrono::milliseconds(clock.elapsed()),
                                                       picturesDone, pictureCount)});
        }
        PictureOutcome outcome = convertPicture(batchPlan, job, dpi, services, aborted);
        ++picturesDone;
        if (callbacks.pictureFinished)
            callbacks.pictureFinished(outcome);
        if (!outcome.converted)
            failures.push_back(std::move(outcome));
    }
    return failures;
}

} // namespace plenwick
