#pragma once

#include "batchplan.h"
#include "batchservices.h"
#include "batchtexts.h"
#include "picturejob.h"

#include <QElapsedTimer>
#include <QObject>
#include <QThread>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace plenwick {

// The time left, from the pictures done so far; nothing before the first two are done.
[[nodiscard]] std::optional<std::chrono::seconds>
estimateTimeLeft(std::chrono::milliseconds elapsed, qsizetype picturesDone, qsizetype pictureCount);

// Converts the pictures of one plan on threads of its own, several pictures at once. The plan
// fixes every copy's name beforehand, so the copies are the same whatever the number of workers.
// The signals are emitted from the workers, in the order things happened; receivers in another
// thread get them queued, so a window stays live however long a picture takes.
class BatchEngine final : public QObject {
    Q_OBJECT

public:
    // Makes one worker's way to run the tool and remove files; each worker has its own.
    using ServicesFactory = std::function<std::unique_ptr<BatchServices>()>;

    BatchEngine(BatchPlan plan, int workers, ServicesFactory services, QObject* parent = nullptr);
    // A run still going is aborted and waited for: no tool and no scratch file outlives it.
    ~BatchEngine() override;
    BatchEngine(const BatchEngine&) = delete;
    BatchEngine& operator=(const BatchEngine&) = delete;

    // Starts the workers and returns at once; finished() follows when the last one has ended.
    void start(qint64 dpi);
    // The DPI of the pictures that start from now on.
    void setDpi(qint64 dpi) { currentDpi = dpi; }
    // No further picture starts; the pictures in flight are finished.
    void requestStop() { stopRequested = true; }
    // The running tools are ended at once and their pictures fail; nothing further starts.
    void abort();
    // Blocks until every worker has ended.
    void wait();
    [[nodiscard]] bool isRunning() const;

    [[nodiscard]] const BatchPlan& plan() const { return batchPlan; }
    [[nodiscard]] qsizetype pictureCount() const {
        return static_cast<qsizetype>(batchPlan.pictures.size());
    }
    // The pictures not converted, in listing order; complete once finished() was emitted.
    [[nodiscard]] std::vector<PictureOutcome> failures() const;
    // The pictures converted with notes, in listing order; complete once finished() was emitted.
    [[nodiscard]] std::vector<PictureOutcome> notedConversions() const;
    // The pictures that ended, converted or not; the others were never started.
    [[nodiscard]] qsizetype picturesEnded() const;

Q_SIGNALS:
    // Every listed entry once, in listing order, as the run reaches it: a picture as it
    // starts, the entries that are no pictures on the way to the next one.
    void entryReached(qsizetype entryIndex);
    // The pictures in flight changed: one started or one ended.
    void progressChanged(const plenwick::BatchProgress& progress);
    void pictureFinished(const plenwick::PictureOutcome& outcome, qsizetype picturesDone);
    // Emitted from the last worker to end; nothing is emitted after it.
    void finished();

private:
    void work(BatchServices& services);
    // The next picture to convert, marked in flight; nothing when the run is over.
    std::optional<std::size_t> claimPicture();
    void finishPicture(std::size_t index, PictureOutcome outcome);
    // Under the lock: where the run stands, for progressChanged.
    [[nodiscard]] BatchProgress progressLocked() const;
    void reachEntriesLocked(qsizetype upTo);

    BatchPlan batchPlan;
    int workerCount;
    ServicesFactory makeServices;
    std::atomic<qint64> currentDpi = 0;
    std::atomic_bool stopRequested = false;
    std::atomic_bool aborted = false;

    mutable std::mutex mutex; // guards what follows
    std::size_t nextPicture = 0;
    qsizetype nextEntry = 0;
    qsizetype picturesDone = 0;
    int workersRunning = 0;
    std::vector<std::size_t> inFlight; // in the order they started
    std::vector<std::pair<std::size_t, PictureOutcome>> failed;
    std::vector<std::pair<std::size_t, PictureOutcome>> noted;
    QElapsedTimer clock;

    // QThreads, not std::threads: the tool's process is watched with socket notifiers.
    std::vector<std::unique_ptr<QThread>> workers;
};

} // namespace plenwick
