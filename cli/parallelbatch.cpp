#include "parallelbatch.h"

#include "conversionbatch.h"
#include "toolservices.h"

#include <QElapsedTimer>
#include <QThread>
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

namespace plenwick {

namespace {

// What a worker tells the calling thread. A worker's last event says it has ended, so the
// calling thread has seen all of its events once it sees that one.
struct WorkerEvent final {
    enum class Kind { PictureBegan, PictureEnded, WorkerEnded };
    Kind kind = Kind::WorkerEnded;
    std::size_t picture = 0;
    PictureOutcome outcome;
};

class EventQueue final {
public:
    void post(WorkerEvent event) {
        {
            const std::lock_guard lock(mutex);
            events.push_back(std::move(event));
        }
        ready.notify_one();
    }
    WorkerEvent take() {
        std::unique_lock lock(mutex);
        ready.wait(lock, [this] { return !events.empty(); });
        WorkerEvent event = std::move(events.front());
        events.pop_front();
        return event;
    }

private:
    std::mutex mutex;
    std::condition_variable ready;
    std::deque<WorkerEvent> events;
};

} // namespace

std::vector<PictureOutcome> ParallelBatch::run(const BatchPlan& plan, qint64 dpi, int jobs,
                                               const std::atomic_bool& abort) const {
    const std::size_t pictureCount = plan.pictures.size();
    std::atomic_size_t nextPicture = 0;
    EventQueue queue;
    using Kind = WorkerEvent::Kind;
    // Each worker runs its pictures with services of its own, in a QThread so that the tool's
    // process can be watched from there.
    const auto work = [&] {
        ToolServices services;
        for (std::size_t index = nextPicture++; index < pictureCount && !abort;
             index = nextPicture++) {
            queue.post({Kind::PictureBegan, index, {}});
            queue.post({Kind::PictureEnded, index,
                        convertPicture(plan, plan.pictures[index], dpi, services, abort)});
        }
        queue.post({});
    };
    // No more workers than pictures, and at least one so that an empty plan ends as usual.
    const std::size_t workerCount = std::clamp<std::size_t>(
        static_cast<std::size_t>(std::max(jobs, 1)), 1, std::max<std::size_t>(pictureCount, 1));
    std::vector<std::unique_ptr<QThread>> workers;
    for (std::size_t i = 0; i < workerCount; ++i) {
        workers.emplace_back(QThread::create(work));
        workers.back()->start();
    }

    std::vector<std::pair<std::size_t, PictureOutcome>> failures;
    QElapsedTimer clock;
    clock.start();
    qsizetype begun = 0;
    qsizetype done = 0;
    const auto count = static_cast<qsizetype>(pictureCount);
    for (std::size_t ended = 0; ended < workers.size();) {
        WorkerEvent event = queue.take();
        switch (event.kind) {
        case Kind::WorkerEnded:
            ++ended;
            break;
        case Kind::PictureBegan:
            ++begun;
            if (started) {
                started(
                    {begun, count, plan.pictures[event.picture].name,
                     estimateTimeLeft(std::chrono::milliseconds(clock.elapsed()), done, count)});
            }
            break;
        case Kind::PictureEnded:
            ++done;
            if (finished)
                finished(event.outcome, done);
            if (!event.outcome.converted)
                failures.emplace_back(event.picture, std::move(event.outcome));
            break;
        }
    }
    for (const auto& worker : workers)
        worker->wait();

    std::sort(failures.begin(), failures.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<PictureOutcome> outcomes;
    outcomes.reserve(failures.size());
    for (auto& failure : failures)
        outcomes.push_back(std::move(failure.second));
    return outcomes;
}

} // namespace plenwick
