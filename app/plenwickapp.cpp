#include "plenwickapp.h"

#include "batchtexts.h"
#include "buttontitle.h"
#include "folderbookmarks.h"
#include "folderdrop.h"
#include "folderidentity.h"
#include "intvalue.h"
#include "toolprocess.h"
#include "windowtexts.h"

#include <QDropEvent>
#include <QEvent>
#include <QUrl>

namespace plenwick {

namespace {
constexpr int DpiMaximum = 4000;
constexpr int DpiMinimum = 1;
const QUrl DotsPerInchPage(QStringLiteral("http://en.wikipedia.org/wiki/Dots_per_inch"));

// A drop's data belongs to the drag, which ends when the drop event returns.
std::shared_ptr<const QMimeData> mimeCopy(const QMimeData& data) {
    auto copy = std::make_shared<QMimeData>();
    copy->setUrls(data.urls());
    return copy;
}
} // namespace

Plenwickapp::Plenwickapp(DesktopServices& services, UserDefaults& defaults, QObject* parent)
    : QObject(parent)
    , services(services)
    , defaults(defaults)
    , startupNotice(services, defaults)
    , outputFolderStep(services, defaults)
    , run(services) {
    connect(&run, &RunController::progressMoved, this, &Plenwickapp::showProgress);
    connect(&run, &RunController::progressTextChanged, this, [this](const QString& text) {
        state.progressText = text;
        updateControls();
    });
    connect(&run, &RunController::ended, this, &Plenwickapp::finishBatch);
}

Plenwickapp::~Plenwickapp() = default;

void Plenwickapp::connectOutlets(const Outlets& outlets) {
    dpi = outlets.dpi;
    myWindow = outlets.myWindow;
    startB = outlets.startB;
    outfolderB = outlets.outfolderB;
    coverB = outlets.coverB;
    progressBar = outlets.progressBar;
    progressText = outlets.progressText;
    stopB = outlets.stopB;
}

void Plenwickapp::awakeFromNib() {
    if (dpi != nullptr)
        connect(dpi, &QLineEdit::textEdited, this, [this] { controlTextDidChange(dpi); });
    tip(false);
}

void Plenwickapp::updateControls() {
    setTitle(*outfolderB, state.outputFolderPath.isEmpty() ? WindowTexts::selectOutputFolderFirst()
                                                           : state.outputFolderPath);
    startB->setEnabled(state.startEnabled);
    dpi->setEnabled(state.dpiEnabled);
    // The cover comes before the bar, as the run shows them.
    coverB->setVisible(state.batchShown);
    progressBar->setVisible(state.batchShown);
    progressText->setVisible(state.batchShown);
    progressText->setText(state.progressText);
    progressBar->setAccessibleDescription(state.progressText);
    stopB->setVisible(state.batchShown);
    stopB->setEnabled(state.batchShown && !state.stopRequested);
    if (progressMoved) {
        progressMoved = false;
        progressBar->setMaximum(state.progressMaximum);
        progressBar->setValue(state.progressValue);
    }
}

void Plenwickapp::showProgress(int maximum, int value) {
    state.progressMaximum = maximum;
    state.progressValue = value;
    progressMoved = true;
    updateControls();
}

void Plenwickapp::whatisDPI(QObject* /*sender*/) {
    services.openUrl(DotsPerInchPage);
    services.beep();
}

void Plenwickapp::controlTextDidChange(QObject* notificationObject) {
    if (dpi == nullptr || notificationObject != dpi)
        return;
    // Each step reads the field afresh, so the upper bound is applied before the lower one.
    dpi->setText(QString::number(intValue(dpi->text())));
    if (intValue(dpi->text()) >= DpiMaximum + 1)
        dpi->setText(QString::number(DpiMaximum));
    if (intValue(dpi->text()) <= 0) {
        dpi->setText(QString::number(DpiMinimum));
        dpi->selectAll(); // the next keystroke replaces the stand-in instead of following it
    }
    run.setDpi(dpiValue());
}

void Plenwickapp::buttonPressed(QObject* /*sender*/) {
    services.pumpEventsOnce();
}

void Plenwickapp::windowWillClose(QObject* /*notification*/) {
    terminateProgram();
}

void Plenwickapp::terminateProgram() {
    quitting = true;
    run.abort(); // the tools and their scratch files are gone before the program ends
    services.terminate();
}

bool Plenwickapp::eventFilter(QObject* watched, QEvent* event) {
    if (watched != myWindow)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Close:
        windowWillClose(watched);
        break;
    case QEvent::DragEnter: {
        // Anything with addresses is taken, so that a drop that cannot start a run says why.
        auto* enter = static_cast<QDragEnterEvent*>(event);
        if (!running && enter->mimeData()->hasUrls())
            enter->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        drop->acceptProposedAction();
        // The drag's source waits for the drop to return: the run starts once it has.
        QMetaObject::invokeMethod(
            this, [this, data = mimeCopy(*drop->mimeData())] { acceptDrop(*data); },
            Qt::QueuedConnection);
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void Plenwickapp::tip(bool onDemand) {
    startupNotice.show(onDemand);
}

void Plenwickapp::tipStartup(QObject* /*sender*/) {
    tip(true);
}

void Plenwickapp::outputFolder(QObject* /*sender*/) {
    if (isConverting())
        return; // a click handled during one of the run's event passes
    showOutputFolderChoice(outputFolderStep.run());
    buttonPressed(this);
}

void Plenwickapp::showOutputFolderChoice(const OutputFolderStep::Result& result) {
    switch (result.outcome) {
    case OutputFolderStep::Outcome::Cancelled:
        state.startEnabled = false;
        state.outputFolderPath.clear();
        break;
    case OutputFolderStep::Outcome::Unusable:
        return;
    case OutputFolderStep::Outcome::Declined:
        state.startEnabled = false;
        state.dpiEnabled = false;
        state.outputFolderPath.clear();
        break;
    case OutputFolderStep::Outcome::Confirmed:
        state.outputFolderPath = result.folder;
        state.dpiEnabled = true;
        state.startEnabled = true;
        break;
    }
    updateControls();
}

void Plenwickapp::doConversion(QObject* /*sender*/) {
    if (running)
        return; // a click that reached the window while an alert or a run was under way
    running = true;
    if (!resolveOutput() || !chooseSourceAndStart())
        running = false;
}

void Plenwickapp::stopConversion(QObject* /*sender*/) {
    if (!run.isRunning())
        return;
    run.requestStop();
    state.stopRequested = true;
    updateControls();
}

bool Plenwickapp::resolveOutput() {
    const std::optional<QUrl> output = resolveOutputFolder(defaults);
    state.outputFolderPath = output ? output->toLocalFile() : QString();
    updateControls();
    return output.has_value();
}

bool Plenwickapp::chooseSourceAndStart() {
    const FolderChooser chooser{.title = WindowTexts::sourceChooserTitle(),
                                .prompt = WindowTexts::sourceChooserPrompt(),
                                .canChooseDirectories = true,
                                .canCreateDirectories = false};
    const FolderChoice choice = services.runFolderChooser(chooser);
    if (choice.result != ChooserResult::Confirmed)
        return false;
    return startWithSource(choice.directoryPath, choice.chosenPath);
}

void Plenwickapp::acceptDrop(const QMimeData& data) {
    if (running)
        return;
    if (!state.startEnabled) {
        refuse(WindowTexts::dropRefusedTitle(), WindowTexts::dropBeforeOutputFolder());
        return;
    }
    const std::variant<QString, RefusedDrop> dropped = droppedFolder(data);
    if (const auto* refused = std::get_if<RefusedDrop>(&dropped)) {
        switch (refused->reason) {
        case DropRefusal::NotOneItem:
            refuse(WindowTexts::dropRefusedTitle(), WindowTexts::dropNotOneItem());
            return;
        case DropRefusal::NotAFolder:
            refuse(WindowTexts::dropRefusedTitle(), WindowTexts::dropNotAFolder(refused->name));
            return;
        case DropRefusal::NotReadable:
            refuse(WindowTexts::dropRefusedTitle(), WindowTexts::dropNotReadable(refused->name));
            return;
        }
    }
    const QString& folder = std::get<QString>(dropped);
    running = true;
    if (!resolveOutput() || !startWithSource(folder, folder))
        running = false;
}

void Plenwickapp::refuse(const QString& title, const QString& reason) {
    Alert refusal;
    refusal.messageText = title;
    refusal.informativeText = reason;
    refusal.buttons = {WindowTexts::gotIt()};
    refusal.titlebarAppearsTransparent = true;
    services.runAlert(refusal);
}

bool Plenwickapp::startWithSource(const QString& directory, const QString& chosen) {
    returnDirectory = directory;
    if (isSameFolder(returnDirectory, state.outputFolderPath)) {
        refuse(WindowTexts::overwriteProtectionTitle(), WindowTexts::overwriteProtection());
        buttonPressed(this);
        return false;
    }
    if (returnDirectory.isEmpty() || returnDirectory == u'/') {
        closingReset();
        return false;
    }
    if (!isOwnToolPresent()) {
        refuse(WindowTexts::failuresTitle(), BatchTexts::toolMissing(ownToolPath()));
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
    run.start(std::move(*plan), dpiValue());
    return true;
}

void Plenwickapp::finishBatch(const RunEnd& end) {
    buttonPressed(this);
    if (stopB->hasFocus())
        outfolderB->setFocus();
    state.batchShown = false;
    updateControls();
    if (!quitting) {
        notifyUnwatchedEnd(end);
        services.openUrl(QUrl::fromLocalFile(state.outputFolderPath));
        if (!end.failures.empty() || !end.notedConversions.empty()) {
            Alert report = runReport(end);
            services.runAlert(report);
        }
    }
    closingReset();
    running = false;
}

void Plenwickapp::notifyUnwatchedEnd(const RunEnd& end) {
    if (myWindow == nullptr || myWindow->isActiveWindow())
        return;
    const auto needAttention =
        static_cast<qsizetype>(end.failures.size() + end.notedConversions.size());
    services.showNotification(WindowTexts::runEndedTitle(),
                              WindowTexts::runEnded(end.converted, needAttention));
}

void Plenwickapp::closingReset() {
    state.outputFolderPath.clear();
    state.startEnabled = false;
    state.dpiEnabled = false;
    showProgress(state.progressMaximum, 0);
    services.beep();
}

qint64 Plenwickapp::dpiValue() const {
    return dpi != nullptr ? intValue(dpi->text()) : 0;
}

} // namespace plenwick
