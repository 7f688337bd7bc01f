#include "batchengine.h"

#include "toolprocess.h"

#include <algorithm>

namespace plenwick {

namespace {

constexpr qsizetype PicturesBeforeEstimate = 2;

std::vector<PictureOutcome>
inListingOrder(std::vector<std::pair<std::size_t, PictureOutcome>> outcomes) {
    std::sort(outcomes.begin(), outcomes.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<PictureOutcome> ordered;
    ordered.reserve(outcomes.size());
    for (auto& outcome : outcomes)
        ordered.push_back(std::move(outcome.second));
    return ordered;
}

} // namespace

std::optional<std::chrono::seconds> estimateTimeLeft(std::chrono::milliseconds elapsed,
                                                     qsizetype picturesDone,
                                                     qsizetype pictureCount) {
    if (picturesDone < PicturesBeforeEstimate || picturesDone > pictureCount)
        return std::nullopt;
    const auto left = elapsed * (pictureCount - picturesDone) / picturesDone;
    return std::chrono::ceil<std::chrono::seconds>(left);
}

BatchEngine::BatchEngine(BatchPlan plan, int workers, ServicesFactory services, QObject* parent)
    : QObject(parent)
    , batchPlan(std::move(plan))
    // No more workers than pictures, and one at least, so that an empty plan ends as usual.
    , workerCount(static_cast<int>(
          std::clamp<qsizetype>(workers, 1, std::max<qsizetype>(pictureCount(), 1))))
    , makeServices(std::move(services)) {}

BatchEngine::~BatchEngine() {
    if (isRunning())
        abort();
    wait();
}

void BatchEngine::start(qint64 dpi) {
    currentDpi = dpi;
    clock.start();
    workersRunning = workerCount;
    for (int i = 0; i < workerCount; ++i) {
        // Made here, on the caller's thread, so that the factory need not be thread-safe.
        std::shared_ptr<BatchServices> services = makeServices();
        workers.emplace_back(QThread::create([this, services] { work(*services); }));
        workers.back()->start();
    }
}

bool BatchEngine::isRunning() const {
    const std::lock_guard lock(mutex);
    return workersRunning > 0;
}

void BatchEngine::abort() {
    aborted = true;
    stopRequested = true;
    endRunningTools();
}

void BatchEngine::wait() {
    for (const std::unique_ptr<QThread>& worker : workers)
        worker->wait();
}

std::vector<PictureOutcome> BatchEngine::failures() const {
    const std::lock_guard lock(mutex);
    return inListingOrder(failed);
}

std::vector<PictureOutcome> BatchEngine::notedConversions() const {
    const std::lock_guard lock(mutex);
    return inListingOrder(noted);
}

qsizetype BatchEngine::picturesEnded() const {
    const std::lock_guard lock(mutex);
    return picturesDone;
}

void BatchEngine::work(BatchServices& services) {
    while (const std::optional<std::size_t> index = claimPicture()) {
        finishPicture(*index, convertPicture(batchPlan, batchPlan.pictures[*index], currentDpi,
                                             services, aborted));
    }
    const std::lock_guard lock(mutex);
    if (--workersRunning == 0) {
        // The entries after the last picture are reached too, unless the run was cut short.
        if (!stopRequested)
            reachEntriesLocked(batchPlan.entryCount);
        Q_EMIT finished();
    }
}

std::optional<std::size_t> BatchEngine::claimPicture() {
    const std::lock_guard lock(mutex);
    if (stopRequested || nextPicture >= batchPlan.pictures.size())
        return std::nullopt;
    const std::size_t index = nextPicture++;
    reachEntriesLocked(batchPlan.pictures[index].entryIndex + 1);
    inFlight.push_back(index);
    // Emitted under the lock, so that receivers see the events in the order they happened.
    Q_EMIT progressChanged(progressLocked());
    return index;
}

void BatchEngine::finishPicture(std::size_t index, PictureOutcome outcome) {
    const std::lock_guard lock(mutex);
    std::erase(inFlight, index);
    ++picturesDone;
    Q_EMIT pictureFinished(outcome, picturesDone);
    if (!inFlight.empty())
        Q_EMIT progressChanged(progressLocked());
    if (!outcome.converted)
        failed.emplace_back(index, std::move(outcome));
    else if (!outcome.notes.isEmpty())
        noted.emplace_back(index, std::move(outcome));
}

BatchProgress BatchEngine::progressLocked() const {
    BatchProgress progress;
    for (const std::size_t index : inFlight)
        progress.inFlight.push_back(
            {static_cast<qsizetype>(index) + 1, shownName(batchPlan, batchPlan.pictures[index])});
    progress.pictureCount = pictureCount();
    progress.timeLeft =
        estimateTimeLeft(std::chrono::milliseconds(clock.elapsed()), picturesDone, pictureCount());
    return progress;
}

void BatchEngine::reachEntriesLocked(qsizetype upTo) {
    for (; nextEntry < upTo; ++nextEntry)
        Q_EMIT entryReached(nextEntry);
}

} // namespace plenwick
