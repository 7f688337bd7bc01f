#include "buttontitle.h"
#include "folderbookmarks.h"
#include "folderidentity.h"
#include "plenwickapp.h"

#include <QDir>

namespace plenwick {

namespace {

// Every direct entry of the folder, dot names and folders included, in the order the file system
// lists them; nothing when the folder cannot be read.
std::optional<QStringList> listFolder(const QString& path) {
    const QDir folder(path);
    if (!folder.exists() || !folder.isReadable())
        return std::nullopt;
    QStringList names = folder.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    return names;
}

} // namespace

void Plenwickapp::doConversion(QObject* /*sender*/) {
    if (batchInProgress)
        return; // a click handled during one of the run's event passes
    batchInProgress = true;
    runBatch();
    batchInProgress = false;
}

void Plenwickapp::runBatch() {
    bookmarkFileURL.clear();
    const std::optional<QUrl> output = resolveOutputFolder(defaults);
    if (!output) {
        setTitle(*outfolderB, QString::fromUtf16(SelectOutputFolderFirst));
        return;
    }
    bookmarkFileURL = *output;
    setTitle(*outfolderB, bookmarkFileURL.toLocalFile());

    const FolderChooser chooser{.title = QStringLiteral("Select Source Files Folder"),
                                .prompt = QStringLiteral("Select this picture folder"),
                                .canChooseDirectories = true,
                                .canCreateDirectories = false};
    const FolderChoice choice = services.runFolderChooser(chooser);
    if (choice.result != ChooserConfirmed)
        return;
    returnDirectory = choice.directoryPath;

    if (isSameFolder(returnDirectory, title(*outfolderB))) {
        Alert refusal;
        refusal.messageText = QStringLiteral("Overwrite protection Alert");
        refusal.informativeText =
            QStringLiteral("Input folder can not be the same of your Output folder.\n");
        refusal.buttons = {QStringLiteral("Got it")};
        refusal.titlebarAppearsTransparent = true;
        services.runAlert(refusal);
        buttonPressed(this);
        return;
    }
    if (returnDirectory.isEmpty() || returnDirectory == u'/') {
        closingReset();
        return;
    }

    coverB->show();
    progressBar->show();
    storeFolderBookmark(defaults, choice.chosenPath, QString::fromUtf16(SourceFolderKey));

    const std::optional<QStringList> entries = listFolder(returnDirectory);
    if (!entries) {
        // Nothing was converted: take the cover away again so the window stays usable.
        coverB->hide();
        progressBar->hide();
        closingReset();
        return;
    }
    services.pumpEventsOnce();
    progressBar->setMaximum(static_cast<int>(entries->size()));
    progressBar->setValue(0);
    for (qsizetype index = 0; index < entries->size() && !quitting; ++index) {
        progressBar->setValue(static_cast<int>(index));
        convertPicture(entries->at(index));
    }

    services.pumpEventsOnce();
    buttonPressed(this);
    coverB->hide();
    progressBar->hide();
    services.openUrl(QUrl::fromLocalFile(title(*outfolderB)));
    closingReset();
}

void Plenwickapp::closingReset() {
    setTitle(*outfolderB, QString::fromUtf16(SelectOutputFolderFirst));
    startB->setEnabled(false);
    dpi->setEnabled(false);
    progressBar->setValue(0);
    services.beep();
}

} // namespace plenwick
