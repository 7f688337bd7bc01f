#include "plenwickapp.h"

#include "batchengine.h"
#include "buttontitle.h"
#include "intvalue.h"
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
    , defaults(defaults) {}

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
    if (batch)
        batch->setDpi(dpiValue()); // from the next picture on
}

void Plenwickapp::buttonPressed(QObject* /*sender*/) {
    services.pumpEventsOnce();
}

void Plenwickapp::windowWillClose(QObject* /*notification*/) {
    terminateProgram();
}

void Plenwickapp::terminateProgram() {
    quitting = true;
    if (batch) {
        batch->abort();
        batch->wait(); // the tools and their scratch files are gone before the program ends
    }
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

qint64 Plenwickapp::dpiValue() const {
    return dpi != nullptr ? intValue(dpi->text()) : 0;
}

} // namespace plenwick
