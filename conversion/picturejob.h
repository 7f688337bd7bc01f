#pragma once

#include "batchservices.h"
#include "toolcommands.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <atomic>
#include <optional>

namespace plenwick {

struct BatchPlan;

// One picture of a source folder and the copy the batch makes of it.
struct PictureJob final {
    // Its place among all listed entries: the progress value while it is converted.
    qsizetype entryIndex = 0;
    // Its name as the file system holds it, which need not be valid UTF-8.
    QByteArray name;
    PictureFamily family = PictureFamily::Png;
    // The copy's name in its output folder.
    QByteArray copyName;
    // Set when an earlier picture of the same run makes a copy of that name in the same output
    // folder: the earlier one's shown name. Such a picture is not converted, so no copy of the run
    // overwrites another.
    std::optional<QByteArray> copyNameTakenBy;
    // Its folder among the plan's folders.
    std::size_t folder = 0;
};

// What became of one picture.
struct PictureOutcome final {
    QByteArray name;
    bool converted = false;
    // Why it was not converted, in one line: mostly the image tool's own.
    QString reason;
    // What the image tool warned of on the way, each once, in the order said: metadata it left
    // out, a fallback it took. A converted picture with notes is still converted.
    QStringList notes;
};

// Converts one picture of the plan through the image tool: into a fresh scratch JPEG 2000 file
// in the output folder, the DPI set there, then the copy written from it, and the scratch file
// removed. The picture stops at its first failed step; a step that exits non-zero fails, and so
// does a copy that is not there afterwards. Once `abort` is set no further step starts. Safe to
// run for several pictures at once, each with services of its own.
[[nodiscard]] PictureOutcome convertPicture(const BatchPlan& plan, const PictureJob& job,
                                            qint64 dpi, BatchServices& services,
                                            const std::atomic_bool& abort);

} // namespace plenwick
