#include "outputfolderstep.h"

#include "folderbookmarks.h"
#include "windowtexts.h"

namespace plenwick {

namespace {

bool isUsableFolderPath(const QString& path) {
    return !path.isEmpty() && path != u'/';
}

} // namespace

OutputFolderStep::OutputFolderStep(DesktopServices& services, UserDefaults& defaults)
    : services(services)
    , defaults(defaults) {}

OutputFolderStep::Result OutputFolderStep::run() {
    const FolderChooser chooser{.title = WindowTexts::outputChooserTitle(),
                                .prompt = WindowTexts::outputChooserPrompt(),
                                .canChooseDirectories = true,
                                .canCreateDirectories = true};
    const FolderChoice choice = services.runFolderChooser(chooser);
    // The folder highlighted or typed, else the one shown: confirmed, shown and stored alike.
    const QString chosen = choice.chosenPath.isEmpty() ? choice.directoryPath : choice.chosenPath;

    if (choice.result != ChooserResult::Confirmed)
        return {Outcome::Cancelled, {}};
    if (!isUsableFolderPath(chosen))
        return {Outcome::Unusable, {}};
    if (!confirm(chosen)) {
        services.beep();
        return {Outcome::Declined, {}};
    }
    storeFolderBookmark(defaults, chosen, Settings::OutputFolderBookmark);
    return {Outcome::Confirmed, chosen};
}

bool OutputFolderStep::confirm(const QString& folder) {
    Alert confirmation;
    confirmation.messageText = WindowTexts::outputConfirmationTitle();
    confirmation.informativeText = WindowTexts::outputConfirmation(folder);
    confirmation.buttons = {WindowTexts::ok(), WindowTexts::cancel()};
    confirmation.titlebarAppearsTransparent = true;
    return services.runAlert(confirmation) == AlertButton::First;
}

} // namespace plenwick
