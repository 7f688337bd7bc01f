#include "batchengine.h"
#include "folderbookmarks.h"
#include "folderdrop.h"
#include "folderidentity.h"
#include "plenwickapp.h"
#include "toolcommand.h"
#include "windowtexts.h"

#include <QThread>

namespace plenwick {

void Plenwickapp::doConversion(QObject* /*sender*/) {
    if (running)
        return; // a click that reached the window while an alert or a run was under way
    running = true;
    if (!startBatch())
        running = false;
}

void Plenwickapp::stopConversion(QObject* /*sender*/) {
    if (!batch)
        return;
    batch->requestStop();
    state.stopRequested = true;
    updateControls();
}

bool Plenwickapp::startBatch() {
    if (!resolveOutput())
        return false;
    const FolderChooser chooser{.title = WindowTexts::sourceChooserTitle(),
                                .prompt = WindowTexts::sourceChooserPrompt(),
                                .canChooseDirectories = true,
                                .canCreateDirectories = false};
    const FolderChoice choice = services.runFolderChooser(chooser);
    if (choice.result != ChooserResult::Confirmed)
        return false;
    return startWithSource(choice.directoryPath, choice.chosenPath);
}

bool Plenwickapp::resolveOutput() {
    bookmarkFileURL.clear();
    const std::optional<QUrl> output = resolveOutputFolder(defaults);
    if (!output) {
        state.outputFolderPath.clear();
        updateControls();
        return false;
    }
    bookmarkFileURL = *output;
    state.outputFolderPath = bookmarkFileURL.toLocalFile();
    updateControls();
    return true;
}

void Plenwickapp::acceptDrop(const QMimeData& data) {
    if (running)
        return;
    if (!state.startEnabled) {
        refuseDrop(WindowTexts::dropBeforeOutputFolder());
        return;
    }
    const std::variant<QString, RefusedDrop> dropped = droppedFolder(data);
    if (const auto* refused = std::get_if<RefusedDrop>(&dropped)) {
        switch (refused->reason) {
        case DropRefusal::NotOneItem:
            refuseDrop(WindowTexts::dropNotOneItem());
            return;
        case DropRefusal::NotAFolder:
            refuseDrop(WindowTexts::dropNotAFolder(refused->name));
            return;
        case DropRefusal::NotReadable:
            refuseDrop(WindowTexts::dropNotReadable(refused->name));
            return;
        }
    }
    const QString& folder = std::get<QString>(dropped);
    running = true;
    if (!resolveOutput() || !startWithSource(folder, folder))
        running = false;
}

void Plenwickapp::refuseDrop(const QString& reason) {
    Alert refusal;
    refusal.messageText = WindowTexts::dropRefusedTitle();
    refusal.informativeText = reason;
    refusal.buttons = {WindowTexts::gotIt()};
    refusal.titlebarAppearsTransparent = true;
    services.runAlert(refusal);
}

bool Plenwickapp::startWithSource(const QString& directory, const QString& chosen) {
    returnDirectory = directory;

    if (isSameFolder(returnDirectory, state.outputFolderPath)) {
        Alert refusal;
        refusal.messageText = WindowTexts::overwriteProtectionTitle();
        refusal.informativeText = WindowTexts::overwriteProtection();
        refusal.buttons = {WindowTexts::gotIt()};
        refusal.titlebarAppearsTransparent = true;
        services.runAlert(refusal);
        buttonPressed(this);
        return false;
    }
    if (returnDirectory.isEmpty() || returnDirectory == u'/') {
        closingReset();
        return false;
    }
    if (!isOwnToolPresent()) {
        Alert refusal;
        refusal.messageText = WindowTexts::failuresTitle();
        refusal.informativeText = BatchTexts::toolMissing(ownToolPath());
        refusal.buttons = {WindowTexts::gotIt()};
        refusal.titlebarAppearsTransparent = true;
        services.runAlert(refusal);
        buttonPressed(this);
        return false;
    }

    state.batchShown = true;
    state.stopRequested = false;
    state.progressText.clear();
    updateControls();
    if (startB->hasFocus())
        stopB->setFocus(); // the keyboard stays where the run can be stopped
    storeFolderBookmark(defaults, chosen, Settings::SourceFolderBookmark);

    std::optional<BatchPlan> plan = planBatch(returnDirectory, state.outputFolderPath);
    if (!plan) {
        // Nothing was converted: take the cover away again so the window stays usable.
        state.batchShown = false;
        closingReset();
        return false;
    }
    runBatch(std::move(*plan));
    return true;
}

void Plenwickapp::runBatch(BatchPlan plan) {
    const auto entryCount = static_cast<int>(plan.entryCount);
    showProgress(entryCount, 0);
    batch = std::make_unique<BatchEngine>(std::move(plan), QThread::idealThreadCount(),
                                          [this] { return services.makeBatchServices(); });
    connect(batch.get(), &BatchEngine::entryReached, this, [this, entryCount](qsizetype index) {
        showProgress(entryCount, static_cast<int>(index));
    });
    connect(batch.get(), &BatchEngine::progressChanged, this,
            [this](const BatchProgress& progress) {
                state.progressText = BatchTexts::progress(progress);
                updateControls();
            });
    connect(batch.get(), &BatchEngine::finished, this, &Plenwickapp::finishBatch);
    batch->start(dpiValue());
}

void Plenwickapp::finishBatch() {
    failures = batch->failures();
    notedConversions = batch->notedConversions();
    const qsizetype pictureCount = batch->pictureCount();
    const qsizetype converted = batch->picturesEnded() - static_cast<qsizetype>(failures.size());
    batch.reset();

    buttonPressed(this);
    if (stopB->hasFocus())
        outfolderB->setFocus();
    state.batchShown = false;
    updateControls();
    if (!quitting) {
        // A user who went on with other work hears of the end; one watching sees it.
        if (myWindow != nullptr && !myWindow->isActiveWindow())
            services.showNotification(
                WindowTexts::runEndedTitle(),
                WindowTexts::runEnded(
                    converted, static_cast<qsizetype>(failures.size() + notedConversions.size())));
        services.openUrl(QUrl::fromLocalFile(state.outputFolderPath));
        if (!failures.empty() || !notedConversions.empty())
            showReport(pictureCount);
    }
    closingReset();
    running = false;
}

void Plenwickapp::showReport(qsizetype pictureCount) {
    Alert report;
    report.messageText =
        failures.empty() ? WindowTexts::notesTitle() : WindowTexts::failuresTitle();
    if (!failures.empty())
        report.informativeText =
            WindowTexts::failures(static_cast<qsizetype>(failures.size()), pictureCount,
                                  BatchTexts::failureList(failures, WindowTexts::FailuresListed));
    if (!failures.empty() && !notedConversions.empty())
        report.informativeText += u'\n';
    if (!notedConversions.empty())
        report.informativeText +=
            WindowTexts::notes(static_cast<qsizetype>(notedConversions.size()), pictureCount,
                               BatchTexts::noteList(notedConversions, WindowTexts::FailuresListed));
    report.buttons = {WindowTexts::gotIt()};
    report.titlebarAppearsTransparent = true;
    services.runAlert(report);
}

void Plenwickapp::closingReset() {
    state.outputFolderPath.clear();
    state.startEnabled = false;
    state.dpiEnabled = false;
    showProgress(state.progressMaximum, 0);
    services.beep();
}

} // namespace plenwick
