#include "buttontitle.h"
#include "commandlines.h"
#include "plenwickapp.h"
#include "scratchfile.h"

namespace plenwick {

void Plenwickapp::convertPicture(const QString& entryName) {
    const auto [base, extension] = splitEntryName(entryName);
    const qint64 dpiText = dpiValue();
    const std::optional<PictureFamily> family = pictureFamily(extension);
    if (!family)
        return;

    // The output folder is read from the button for every step, as the run keeps it there.
    const auto outputFolder = [this] {
        return title(*outfolderB);
    };
    const std::optional<QString> scratch = claimScratchName(outputFolder());
    if (!scratch)
        return; // the output folder cannot be written: no step could succeed

    services.runShellCommand(
        toJpeg2000Command(returnDirectory, entryName, outputFolder(), *scratch));
    services.pumpEventsOnce();
    services.runShellCommand(setResolutionCommand(outputFolder(), *scratch, dpiText));
    services.pumpEventsOnce();
    services.runShellCommand(finalCommand(*family, outputFolder(), *scratch, base, extension));
    services.pumpEventsOnce();
    services.removeFile(scratchFilePath(outputFolder(), *scratch));
    services.pumpEventsOnce();
}

} // namespace plenwick
