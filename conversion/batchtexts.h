#pragma once

#include "batchplan.h"
#include "picturejob.h"

#include <QByteArray>
#include <QString>
#include <chrono>
#include <optional>
#include <vector>

namespace plenwick {

// Where a batch stands, as the user is told.
struct BatchProgress final {
    struct Picture final {
        qsizetype number = 0; // from 1, in the order the pictures start
        QByteArray name;
    };
    // The pictures being converted, in the order they started; never empty.
    std::vector<Picture> inFlight;
    qsizetype pictureCount = 0;
    // Known once the first pictures are done.
    std::optional<std::chrono::seconds> timeLeft;
};

// The batch's words for the user, defined once for the window and the command line.
namespace BatchTexts {

// A name as the user reads it; bytes that are not UTF-8 show as replacement characters.
[[nodiscard]] QString displayName(const QByteArray& name);
// "Converting 4 of 12: name.jpg" or "Converting 5–6 of 12: a.jpg, b.jpg", then the time left
// when it is known.
[[nodiscard]] QString progress(const BatchProgress& progress);
// "name.jpg: reason"
[[nodiscard]] QString failureLine(const PictureOutcome& outcome);
// The failed pictures one per line, at most `listed` of them, then "and N more".
[[nodiscard]] QString failureList(const std::vector<PictureOutcome>& failures, qsizetype listed);
// "name.jpg: note; other note"
[[nodiscard]] QString noteLine(const PictureOutcome& outcome);
// The pictures converted with notes one per line, at most `listed` of them, then "and N more".
[[nodiscard]] QString noteList(const std::vector<PictureOutcome>& noted, qsizetype listed);
// "1 picture", "3 pictures"
[[nodiscard]] QString pictures(qsizetype count);

[[nodiscard]] QString copyNameTaken(const QByteArray& copyName, const QByteArray& takenBy);
[[nodiscard]] QString outputFolderNotWritable(const QString& systemReason);
// No picture is converted without the program's own image tool.
[[nodiscard]] QString toolMissing(const QString& toolPath);
[[nodiscard]] QString outputFolderReplaced();
[[nodiscard]] QString noCopyWritten();
[[nodiscard]] QString toolStopped();
[[nodiscard]] QString toolFailed(int exitStatus);
[[nodiscard]] QString programEnded();
[[nodiscard]] QString folderUnreadable(const QString& folder, const QString& systemReason);
[[nodiscard]] QString copiesIntoSourceFolder(const QString& sourceFolder,
                                             const QString& outputFolder);
// Why a listed entry gets no copy, as the rest of a sentence naming it.
[[nodiscard]] QString leftAloneReason(const LeftAloneEntry& entry);

} // namespace BatchTexts

} // namespace plenwick
