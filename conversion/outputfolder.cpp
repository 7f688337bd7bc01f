#include "buttontitle.h"
#include "folderbookmarks.h"
#include "plenwickapp.h"

namespace plenwick {

namespace {

bool isUsableFolderPath(const QString& path) {
    return !path.isEmpty() && path != u'/';
}

QString confirmationText(const QString& path) {
    return QStringLiteral(
               "All DPI changed pictures will be copied and saved to this OUTPUT folder:\n\n%1\n\n"
               "Please double check the folder is which you selected, depending on the browsing "
               "mode you are using, sometimes you have to double clicking the folder and make it "
               "displaying in blue.\n")
        .arg(path);
}

} // namespace

void Plenwickapp::outputFolder(QObject* /*sender*/) {
    if (batchInProgress)
        return; // the run reads the output folder from the button until it ends

    const FolderChooser chooser{.title = QStringLiteral("Select Destination (output) Folder"),
                                .prompt = QStringLiteral("Select This Folder"),
                                .canChooseDirectories = true,
                                .canCreateDirectories = true};
    const FolderChoice choice = services.runFolderChooser(chooser);

    if (choice.result != ChooserConfirmed) {
        startB->setEnabled(false);
        setTitle(*outfolderB, QString::fromUtf16(SelectOutputFolderFirst));
    } else if (isUsableFolderPath(choice.directoryPath)) {
        Alert confirmation;
        confirmation.messageText = QStringLiteral("File Saving Folder Confirmation");
        confirmation.informativeText = confirmationText(choice.directoryPath);
        confirmation.buttons = {QStringLiteral("Ok"), QStringLiteral("Cancel")};
        confirmation.titlebarAppearsTransparent = true;
        if (services.runAlert(confirmation) == AlertFirstButtonReturn) {
            setTitle(*outfolderB, choice.directoryPath);
            dpi->setEnabled(true);
            startB->setEnabled(true);
            storeFolderBookmark(defaults, choice.chosenPath, QString::fromUtf16(OutputFolderKey));
        } else {
            services.beep();
            startB->setEnabled(false);
            dpi->setEnabled(false);
            setTitle(*outfolderB, QString::fromUtf16(SelectOutputFolderFirst));
        }
    }
    buttonPressed(this);
}

} // namespace plenwick
