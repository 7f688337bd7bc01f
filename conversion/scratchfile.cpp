#include "scratchfile.h"

#include <QFileInfo>
#include <QTemporaryFile>

namespace plenwick {

std::optional<QString> claimScratchName(const QString& outputFolder) {
    QTemporaryFile placeholder(outputFolder + QStringLiteral("/.plenwick-XXXXXX.jp2"));
    placeholder.setAutoRemove(false); // the image tool replaces it; the run removes it
    if (!placeholder.open())
        return std::nullopt;
    return QFileInfo(placeholder.fileName()).completeBaseName();
}

} // namespace plenwick
