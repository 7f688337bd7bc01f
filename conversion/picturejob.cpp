#include "picturejob.h"

#include "batchtexts.h"
#include "scratchfile.h"

#include <QFile>
#include <QStringBuilder>
#include <array>

namespace plenwick {

using namespace Qt::Literals::StringLiterals;

namespace {

// The tool's own line without its name and without a path the user never chose to see.
QString toolReason(const ToolRun& run, const std::array<QByteArray, 3>& paths) {
    QString line = run.errorLine;
    const QString toolPrefix = QStringLiteral("sips: error: ");
    if (line.startsWith(toolPrefix))
        line.remove(0, toolPrefix.size());
    for (const QByteArray& path : paths) {
        const QString pathPrefix = QFile::decodeName(path) + QStringLiteral(": ");
        if (line.startsWith(pathPrefix)) {
            line.remove(0, pathPrefix.size());
            break;
        }
    }
    if (!line.isEmpty())
        return line;
    return run.exitStatus < 0 ? BatchTexts::toolStopped() : BatchTexts::toolFailed(run.exitStatus);
}

} // namespace

PictureOutcome convertPicture(const BatchPlan& plan, const PictureJob& job, qint64 dpi,
                              BatchServices& services, const std::atomic_bool& abort) {
    PictureOutcome outcome{job.name, false, QString()};
    if (job.copyNameTakenBy) {
        outcome.reason = BatchTexts::copyNameTaken(job.copyName, *job.copyNameTakenBy);
        return outcome;
    }
    if (abort) {
        outcome.reason = BatchTexts::programEnded();
        return outcome;
    }
    const OutputFolderPin& output = *plan.outputPin;
    const std::variant<ScratchFile, QString> claimed = ScratchFile::claim(output);
    if (const QString* reason = std::get_if<QString>(&claimed)) {
        outcome.reason = BatchTexts::outputFolderNotWritable(*reason);
        return outcome;
    }
    // Removed when the picture is done, from the folder where it was made.
    const QByteArray& scratch = std::get<ScratchFile>(claimed).base();
    const EntryName parts = splitEntryName(job.name);

    // The steps run in the pinned output folder and name it ".": whatever its path comes to
    // name, they write there.
    const QByteArray here = "."_ba;
    const std::array<QByteArray, 3> steps{
        toJpeg2000Command(plan.sourceFolder, job.name, here, scratch),
        setResolutionCommand(here, scratch, dpi),
        finalCommand(job.family, here, scratch, parts.base, parts.extension)};
    const std::array<QByteArray, 3> paths{toolPath(plan.sourceFolder, job.name),
                                          toolPath(here, scratch + ".jp2"_ba),
                                          toolPath(here, job.copyName)};
    bool failed = false;
    for (const QByteArray& step : steps) {
        if (abort) {
            outcome.reason = BatchTexts::programEnded();
            failed = true;
            break;
        }
        // The folder the user chose is no longer where the copies go: stop.
        if (!output.isStillInPlace()) {
            outcome.reason = BatchTexts::outputFolderReplaced();
            failed = true;
            break;
        }
        const ToolRun run = services.runCommand(step, output.descriptor());
        if (!run.succeeded()) {
            outcome.reason = toolReason(run, paths);
            failed = true;
            break;
        }
    }
    if (failed)
        return outcome;
    if (!output.holdsRegularFile(job.copyName)) {
        outcome.reason = BatchTexts::noCopyWritten();
        return outcome;
    }
    outcome.converted = true;
    return outcome;
}

} // namespace plenwick
