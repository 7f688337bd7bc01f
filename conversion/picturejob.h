#pragma once

#include "batchplan.h"
#include "batchservices.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <atomic>

namespace plenwick {

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
