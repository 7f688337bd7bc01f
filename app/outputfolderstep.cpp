#include "folderbookmarks.h"
#include "plenwickapp.h"
#include "windowtexts.h"

namespace plenwick {

namespace {

bool isUsableFolderPath(const QString& path) {
    return !path.isEmpty() && path != u'/';
}

} // namespace

void Plenwickapp::outputFolder(QObject* /*sender*/) {
    if (isConverting())
        return; // a click handled during one of the run's event passes

    const FolderChooser chooser{.title = WindowTexts::outputChooserTitle(),
                                .prompt = WindowTexts::outputChooserPrompt(),
                                .canChooseDirectories = true,
                                .canCreateDirectories = true};
    const FolderChoice choice = services.runFolderChooser(chooser);
    // The folder highlighted or typed, else the one shown: confirmed, shown and stored alike.
    const QString chosen = choice.chosenPath.isEmpty() ? choice.directoryPath : choice.chosenPath;

    if (choice.result != ChooserResult::Confirmed) {
        state.startEnabled = false;
        state.outputFolderPath.clear();
        updateControls();
    } else if (isUsableFolderPath(chosen)) {
        Alert confirmation;
        confirmation.messageText = WindowTexts::outputConfirmationTitle();
        confirmation.informativeText = WindowTexts::outputConfirmation(chosen);
        confirmation.buttons = {WindowTexts::ok(), WindowTexts::cancel()};
        confirmation.titlebarAppearsTransparent = true;
        if (services.runAlert(confirmation) == AlertButton::First) {
            state.outputFolderPath = chosen;
            state.dpiEnabled = true;
            state.startEnabled = true;
            updateControls();
            storeFolderBookmark(defaults, chosen, Settings::OutputFolderBookmark);
        } else {
            services.beep();
            state.startEnabled = false;
            state.dpiEnabled = false;
            state.outputFolderPath.clear();
            updateControls();
        }
    }
    buttonPressed(this);
}

} // namespace plenwick
