#pragma once

#include "commandlines.h"
#include "outputfolderpin.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace plenwick {

// One picture of the source folder and the copy the batch makes of it.
struct PictureJob final {
    // Its place among all listed entries: the progress value while it is converted.
    qsizetype entryIndex = 0;
    // Its name as the file system holds it, which need not be valid UTF-8.
    QByteArray name;
    PictureFamily family = PictureFamily::Png;
    // The copy's name in the output folder.
    QByteArray copyName;
    // Set when an earlier picture of the same run makes a copy of that name: the earlier one's
    // name. Such a picture is not converted, so no copy of the run overwrites another.
    std::optional<QByteArray> copyNameTakenBy;
};

// A whole batch, decided before anything is converted, so that its pictures can be converted in
// any order or at once and still give the same copies.
struct BatchPlan final {
    // Both folders as the file system's bytes, without a trailing slash; the source folder
    // absolute, as the tool runs in the output folder.
    QByteArray sourceFolder;
    QByteArray outputFolder;
    // Every direct entry of the source folder, folders and dot names included: the progress
    // maximum.
    qsizetype entryCount = 0;
    // The pictures in listing order: regular files (or links to them) whose extension is one of
    // the picture extensions in any letter case.
    std::vector<PictureJob> pictures;
    // The output folder as it was at plan time, shared by the workers.
    std::shared_ptr<const OutputFolderPin> outputPin;
};

// Whether `path` is a regular file or a link to one. A FIFO, a device or a socket is not: opening
// it could wait forever.
[[nodiscard]] bool isRegularFile(const QByteArray& path);

// Lists the source folder, in the order the file system lists it, and decides every picture's
// copy name: compared case-folded where the output folder folds letter case. Nothing when the
// folder cannot be listed. Opens nothing in the source folder but the folder itself. Pins the
// output folder and clears the scratch files killed runs left there.
[[nodiscard]] std::optional<BatchPlan> planBatch(const QString& sourceFolder,
                                                 const QString& outputFolder);

} // namespace plenwick
