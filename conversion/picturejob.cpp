#include "picturejob.h"

#include "batchplan.h"
#include "batchtexts.h"
#include "scratchfile.h"

#include <QStringBuilder>
#include <array>
#include <optional>

namespace plenwick {

using namespace Qt::Literals::StringLiterals;

namespace {

// A path as the tool writes it in its messages: control characters and backslashes escaped.
QByteArray toolEscaped(const QByteArray& path) {
    QByteArray escaped;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n')
            escaped += "\\n";
        else if (c == '\r')
            escaped += "\\r";
        else if (c == '\t')
            escaped += "\\t";
        else if (c == '\\')
            escaped += "\\\\";
        else if (byte < 0x20 || byte == 0x7f)
            escaped += "\\x" + QByteArray::number(byte, 16).rightJustified(2, '0');
        else
            escaped += c;
    }
    return escaped;
}

// The text of the tool's "sips: KIND: FILE: text" line without its name and without a path the
// user never chose to see; nothing when the line is not of that kind.
std::optional<QString> toolMessage(QString line, const QString& kind,
                                   const std::array<QByteArray, 3>& paths) {
    const QString toolPrefix = QStringLiteral("sips: ") + kind + QStringLiteral(": ");
    if (!line.startsWith(toolPrefix))
        return std::nullopt;
    line.remove(0, toolPrefix.size());
    // The intermediate names the source it carries after itself.
    for (const QByteArray& path : paths) {
        const QString named = QString::fromLocal8Bit(toolEscaped(path));
        for (const QString& prefix : {QString(named + QStringLiteral(": ")),
                                      QString(named + QStringLiteral(" (carried source): "))}) {
            if (line.startsWith(prefix))
                return line.remove(0, prefix.size());
        }
    }
    return line;
}

QString toolReason(const ToolRun& run, const std::array<QByteArray, 3>& paths) {
    const QString line =
        toolMessage(run.errorLine, QStringLiteral("error"), paths).value_or(run.errorLine);
    if (!line.isEmpty())
        return line;
    return run.exitStatus < 0 ? BatchTexts::toolStopped() : BatchTexts::toolFailed(run.exitStatus);
}

void keepWarnings(const ToolRun& run, const std::array<QByteArray, 3>& paths, QStringList& notes) {
    for (const QString& line : run.errorLines) {
        const std::optional<QString> note = toolMessage(line, QStringLiteral("warning"), paths);
        if (note && !note->isEmpty() && !notes.contains(*note))
            notes.append(*note);
    }
}

// The three command lines of one picture, and the paths the tool names in its messages.
struct PictureSteps final {
    std::array<QByteArray, 3> commands;
    std::array<QByteArray, 3> paths;
};

PictureSteps stepsOf(const PlannedFolder& folder, const PictureJob& job, const QByteArray& scratch,
                     qint64 dpi) {
    const EntryName parts = splitEntryName(job.name);
    // The steps run in the pinned output folder and name it ".": whatever its path comes to
    // name, they write there.
    const QByteArray here = "."_ba;
    return {{toJpeg2000Command(folder.sourceFolder, job.name, here, scratch),
             setResolutionCommand(here, scratch, dpi),
             finalCommand(job.family, here, scratch, parts.base, parts.extension)},
            {toolPath(folder.sourceFolder, job.name), toolPath(here, scratch + ".jp2"_ba),
             toolPath(here, job.copyName)}};
}

// Whether a last step the run ended had already put its copy in place. The tool only ever names
// a whole new file, so a copy of another inode than before the step is finished.
bool copyFinishedBeforeTheEnd(const ToolRun& run, const OutputFolderPin& output,
                              const QByteArray& copyName, std::optional<ino_t> before,
                              const std::atomic_bool& abort) {
    if (!abort || run.exitStatus >= 0)
        return false;
    const std::optional<ino_t> after = output.regularFileInode(copyName);
    return after && after != before;
}

// Runs the steps in order, keeping the tool's warnings; why the picture stopped, or nothing when
// every step succeeded.
std::optional<QString> runSteps(const PictureSteps& steps, const QByteArray& copyName,
                                const OutputFolderPin& output, BatchServices& services,
                                const std::atomic_bool& abort, QStringList& notes) {
    for (const QByteArray& step : steps.commands) {
        if (abort)
            return BatchTexts::programEnded();
        // The folder the user chose is no longer where the copies go: stop.
        if (!output.isStillInPlace())
            return BatchTexts::outputFolderReplaced();
        const bool last = &step == &steps.commands.back();
        const std::optional<ino_t> copyBefore =
            last ? output.regularFileInode(copyName) : std::nullopt;
        const ToolRun run = services.runCommand(step, output.descriptor());
        keepWarnings(run, steps.paths, notes);
        if (!run.succeeded() &&
            !(last && copyFinishedBeforeTheEnd(run, output, copyName, copyBefore, abort)))
            return toolReason(run, steps.paths);
    }
    return std::nullopt;
}

} // namespace

PictureOutcome convertPicture(const BatchPlan& plan, const PictureJob& job, qint64 dpi,
                              BatchServices& services, const std::atomic_bool& abort) {
    PictureOutcome outcome{shownName(plan, job), false, QString(), {}};
    if (job.copyNameTakenBy) {
        outcome.reason = BatchTexts::copyNameTaken(job.copyName, *job.copyNameTakenBy);
        return outcome;
    }
    if (abort) {
        outcome.reason = BatchTexts::programEnded();
        return outcome;
    }
    const PlannedFolder& folder = plan.folders[job.folder];
    const OutputFolderPin& output = *folder.outputPin;
    const std::variant<ScratchFile, QString> claimed = ScratchFile::claim(output);
    if (const QString* reason = std::get_if<QString>(&claimed)) {
        outcome.reason = BatchTexts::outputFolderNotWritable(*reason);
        return outcome;
    }
    // Removed when the picture is done, from the folder where it was made.
    const QByteArray& scratch = std::get<ScratchFile>(claimed).base();
    const PictureSteps steps = stepsOf(folder, job, scratch, dpi);
    if (std::optional<QString> reason =
            runSteps(steps, job.copyName, output, services, abort, outcome.notes)) {
        outcome.reason = *std::move(reason);
        return outcome;
    }
    if (!output.holdsRegularFile(job.copyName)) {
        outcome.reason = BatchTexts::noCopyWritten();
        return outcome;
    }
    outcome.converted = true;
    return outcome;
}

} // namespace plenwick
