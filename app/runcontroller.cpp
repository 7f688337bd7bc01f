#include "runcontroller.h"

#include "batchengine.h"
#include "batchtexts.h"
#include "windowtexts.h"

#include <QThread>

namespace plenwick {

RunController::RunController(DesktopServices& services, QObject* parent)
    : QObject(parent)
    , services(services) {}

RunController::~RunController() = default;

void RunController::start(BatchPlan plan, qint64 dpi) {
    const auto entryCount = static_cast<int>(plan.entryCount);
    Q_EMIT progressMoved(entryCount, 0);
    batch = std::make_unique<BatchEngine>(std::move(plan), QThread::idealThreadCount(),
                                          [this] { return services.makeBatchServices(); });
    connect(batch.get(), &BatchEngine::entryReached, this, [this, entryCount](qsizetype index) {
        Q_EMIT progressMoved(entryCount, static_cast<int>(index));
    });
    connect(batch.get(), &BatchEngine::progressChanged, this,
            [this](const BatchProgress& progress) {
                Q_EMIT progressTextChanged(BatchTexts::progress(progress));
            });
    connect(batch.get(), &BatchEngine::finished, this, &RunController::finish);
    batch->start(dpi);
}

void RunController::setDpi(qint64 dpi) {
    if (batch)
        batch->setDpi(dpi);
}

void RunController::requestStop() {
    if (batch)
        batch->requestStop();
}

void RunController::abort() {
    if (!batch)
        return;
    batch->abort();
    batch->wait();
}

void RunController::finish() {
    RunEnd end{.pictureCount = batch->pictureCount(),
               .converted = 0,
               .failures = batch->failures(),
               .notedConversions = batch->notedConversions()};
    end.converted = batch->picturesEnded() - static_cast<qsizetype>(end.failures.size());
    batch.reset();
    Q_EMIT ended(end);
}

Alert runReport(const RunEnd& end) {
    const auto failed = static_cast<qsizetype>(end.failures.size());
    const auto noted = static_cast<qsizetype>(end.notedConversions.size());
    Alert report;
    report.messageText = failed == 0 ? WindowTexts::notesTitle() : WindowTexts::failuresTitle();
    if (failed != 0)
        report.informativeText = WindowTexts::failures(
            failed, end.pictureCount,
            BatchTexts::failureList(end.failures, WindowTexts::FailuresListed));
    if (failed != 0 && noted != 0)
        report.informativeText += u'\n';
    if (noted != 0)
        report.informativeText += WindowTexts::notes(
            noted, end.pictureCount,
            BatchTexts::noteList(end.notedConversions, WindowTexts::FailuresListed));
    report.buttons = {WindowTexts::gotIt()};
    report.titlebarAppearsTransparent = true;
    return report;
}

} // namespace plenwick
