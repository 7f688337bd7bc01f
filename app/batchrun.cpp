#include "conversionbatch.h"
#include "folderbookmarks.h"
#include "folderidentity.h"
#include "plenwickapp.h"
#include "windowtexts.h"

namespace plenwick {

void Plenwickapp::doConversion(QObject* /*sender*/) {
    if (running)
        return; // a click handled during one of the run's event passes
    running = true;
    runBatch();
    running = false;
}

void Plenwickapp::stopConversion(QObject* /*sender*/) {
    if (!batch)
        return;
    batch->requestStop();
    state.stopRequested = true;
    updateControls();
}

void Plenwickapp::runBatch() {
    bookmarkFileURL.clear();
    const std::optional<QUrl> output = resolveOutputFolder(defaults);
    if (!output) {
        state.outputFolderPath.clear();
        updateControls();
        return;
    }
    bookmarkFileURL = *output;
    state.outputFolderPath = bookmarkFileURL.toLocalFile();
    updateControls();

    const FolderChooser chooser{.title = WindowTexts::sourceChooserTitle(),
                                .prompt = WindowTexts::sourceChooserPrompt(),
                                .canChooseDirectories = true,
                                .canCreateDirectories = false};
    const FolderChoice choice = services.runFolderChooser(chooser);
    if (choice.result != ChooserConfirmed)
        return;
    returnDirectory = choice.directoryPath;

    if (isSameFolder(returnDirectory, state.outputFolderPath)) {
        Alert refusal;
        refusal.messageText = WindowTexts::overwriteProtectionTitle();
        refusal.informativeText = WindowTexts::overwriteProtection();
        refusal.buttons = {WindowTexts::gotIt()};
        refusal.titlebarAppearsTransparent = true;
        services.runAlert(refusal);
        buttonPressed(this);
        return;
    }
    if (returnDirectory.isEmpty() || returnDirectory == u'/') {
        closingReset();
        return;
    }

    state.batchShown = true;
    state.stopRequested = false;
    state.progressText.clear();
    updateControls();
    if (startB->hasFocus())
        stopB->setFocus(); // the keyboard stays where the run can be stopped
    storeFolderBookmark(defaults, choice.chosenPath, SettingsKey::SourceFolderBookmark);

    std::optional<BatchPlan> plan = planBatch(returnDirectory, state.outputFolderPath);
    if (!plan) {
        // Nothing was converted: take the cover away again so the window stays usable.
        state.batchShown = false;
        closingReset();
        return;
    }
    services.pumpEventsOnce();
    const auto entryCount = static_cast<int>(plan->entryCount);
    showProgress(entryCount, 0);

    batch = std::make_unique<ConversionBatch>(std::move(*plan), services);
    const ConversionBatch::Callbacks callbacks{
        .entryStarted = [this, entryCount](
                            qsizetype index) { showProgress(entryCount, static_cast<int>(index)); },
        .dpi = [this] { return dpiValue(); },
        .pictureStarted =
            [this](const BatchProgress& progress) {
                state.progressText = BatchTexts::progress(progress);
                updateControls();
            },
        .pictureFinished = {}};
    failures = batch->run(callbacks);
    const auto pictureCount = static_cast<qsizetype>(batch->plan().pictures.size());
    batch.reset();

    services.pumpEventsOnce();
    buttonPressed(this);
    if (stopB->hasFocus())
        outfolderB->setFocus();
    state.batchShown = false;
    updateControls();
    if (!quitting) {
        services.openUrl(QUrl::fromLocalFile(state.outputFolderPath));
        if (!failures.empty())
            showFailures(pictureCount);
    }
    closingReset();
}

void Plenwickapp::showFailures(qsizetype pictureCount) {
    Alert report;
    report.messageText = WindowTexts::failuresTitle();
    report.informativeText =
        WindowTexts::failures(static_cast<qsizetype>(failures.size()), pictureCount,
                              BatchTexts::failureList(failures, WindowTexts::FailuresListed));
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
