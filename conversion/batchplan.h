#pragma once

#include "outputfolderpin.h"
#include "picturejob.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

namespace plenwick {

// A folder whose pictures are listed, and the folder their copies go to.
struct PlannedFolder final {
    // Both as the file system's bytes, without a trailing slash; the source folder absolute, as
    // the tool runs in the output folder.
    QByteArray sourceFolder;
    QByteArray outputFolder;
    // What the user reads before the names of its entries: empty for the one folder of a run,
    // else the folder's path below the folder given, or the path given, with a slash.
    QByteArray shownPrefix;
    // The output folder as it was at plan time, shared by the workers and by the folders whose
    // copies go to the same place; nothing in a dry run.
    std::shared_ptr<const OutputFolderPin> outputPin;
};

// Why a listed entry gets no copy.
enum class LeftAloneReason {
    NotAPictureName, // the extension is none of the picture extensions
    NotARegularFile, // a FIFO, a device, a socket, a dangling link, a folder named like a picture
    Folder,          // a folder, and the run does not descend
    LinkToFolder,    // never followed, so no link leads out of the tree or round in a loop
    OutputFolder,    // the output folder itself, inside the source tree
    FolderOnPath,    // the folder is one of those above it (a loop through a bind mount)
    Unreadable,      // a folder that cannot be listed
};

struct LeftAloneEntry final {
    QByteArray shownName;
    LeftAloneReason reason = LeftAloneReason::NotAPictureName;
    // The system's reason, for a folder that cannot be listed.
    QString systemReason;
};

// A whole batch, decided before anything is converted, so that its pictures can be converted in
// any order or at once and still give the same copies.
struct BatchPlan final {
    // Every folder listed; the first is the first folder given.
    std::vector<PlannedFolder> folders;
    // Every listed entry, folders and dot names included: the progress maximum.
    qsizetype entryCount = 0;
    // The pictures in listing order, folder after folder: regular files (or links to them) whose
    // extension is one of the picture extensions in any letter case.
    std::vector<PictureJob> pictures;
    // The pictures whose copy was there already, when such copies are kept: never converted.
    std::vector<PictureJob> keptCopies;
    // The listed entries that get no copy, in listing order.
    std::vector<LeftAloneEntry> leftAlone;
    // Whether letter case was compared in every output folder as the folder treats it; a dry run
    // makes no probe file and compares names as they are.
    bool letterCaseProbed = true;
};

// How the sources of a run are planned.
struct PlanOptions final {
    // Every subfolder's pictures too, their copies in the same subfolders of the output folder.
    bool recursive = false;
    // A picture whose copy is there already is kept apart rather than converted.
    bool skipExisting = false;
    // Nothing is made or changed: no output folder, no scratch file, no probe file, no clearing.
    bool dryRun = false;
};

// Whether `path` is a regular file or a link to one. A FIFO, a device or a socket is not: opening
// it could wait forever.
[[nodiscard]] bool isRegularFile(const QByteArray& path);

// The entry's name as the user reads it, with its folder where the run has several.
[[nodiscard]] QByteArray shownName(const BatchPlan& plan, const PictureJob& job);
// The path of the copy a picture gets.
[[nodiscard]] QByteArray copyPath(const BatchPlan& plan, const PictureJob& job);

// Lists the source folder, in the order the file system lists it, and decides every picture's
// copy name: compared case-folded where the output folder folds letter case. Nothing when the
// folder cannot be listed. Opens nothing in the source folder but the folder itself. Pins the
// output folder and clears the scratch files killed runs left there.
[[nodiscard]] std::optional<BatchPlan> planBatch(const QString& sourceFolder,
                                                 const QString& outputFolder);

// The same for folders and single files given together, their subfolders too when recursive:
// each folder's copies go to its own place in the output folder, made when it is missing, and
// is pinned, cleared, probed and checked for name collisions on its own. A subfolder that is the
// output folder, or a folder already on the way down, is never entered. When a source cannot be
// listed, or copies would go into a folder the pictures are taken from: why, and nothing is made.
[[nodiscard]] std::variant<BatchPlan, QString>
planSources(const QStringList& sources, const QString& outputFolder, const PlanOptions& options);

} // namespace plenwick
