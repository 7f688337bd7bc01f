#include "commandline.h"

#include "batchengine.h"
#include "commandlineoptions.h"
#include "interruption.h"
#include "printabletext.h"
#include "progressdisplay.h"
#include "toolcommand.h"
#include "toolservices.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QTimer>
#include <filesystem>
#include <system_error>

namespace plenwick {

namespace {

constexpr int FailureExitStatus = 1;
constexpr int SignalExitBase = 128;
// How often the run looks for an interruption; the signal handler has ended the running tools
// already, this only keeps further pictures and steps from starting.
constexpr int InterruptionPollMs = 20;

// What became of a run's pictures.
struct BatchResult final {
    std::vector<PictureOutcome> failures;
    std::vector<PictureOutcome> notedConversions;
    qsizetype ended = 0; // the others were never started
};

// Runs the batch on the engine, showing it on the display.
BatchResult runBatch(BatchPlan plan, const ConversionOptions& options, ProgressDisplay& display) {
    BatchEngine engine(std::move(plan), options.jobs,
                       [] { return std::make_unique<ToolServices>(); });
    const qsizetype pictureCount = engine.pictureCount();
    QObject::connect(
        &engine, &BatchEngine::progressChanged, &engine,
        [&display](const BatchProgress& progress) { display.progressChanged(progress); });
    QObject::connect(&engine, &BatchEngine::pictureFinished, &engine,
                     [&display, pictureCount](const PictureOutcome& outcome, qsizetype done) {
                         display.pictureFinished(outcome, done, pictureCount);
                     });
    QEventLoop loop;
    QObject::connect(&engine, &BatchEngine::finished, &loop, &QEventLoop::quit);
    QTimer interruption;
    QObject::connect(&interruption, &QTimer::timeout, &engine, [&engine] {
        if (Interruption::requested())
            engine.abort();
    });
    interruption.start(InterruptionPollMs);
    engine.start(options.dpi);
    loop.exec();
    return {engine.failures(), engine.notedConversions(), engine.picturesEnded()};
}

// A missing output folder is made, with its parents, as `mkdir -p` would; false when it cannot be.
bool makeOutputFolder(const QString& folder) {
    if (QFileInfo::exists(folder))
        return true;
    std::error_code error;
    std::filesystem::create_directories(QFile::encodeName(folder).toStdString(), error);
    if (error) {
        writeText(stderr, printableText(QStringLiteral("plenwick: cannot create the output folder "
                                                       "%1: %2")
                                            .arg(folder, QString::fromStdString(error.message()))) +
                              u'\n');
        return false;
    }
    writeText(stdout,
              printableText(QStringLiteral("Created the output folder %1").arg(folder)) + u'\n');
    return true;
}

// The failures with their reasons, then every note, then the counts; on standard error unless
// every picture was converted.
void report(const BatchResult& result, qsizetype pictureCount, const QString& outputFolder) {
    const bool interrupted = Interruption::requested();
    const auto failed = static_cast<qsizetype>(result.failures.size());
    const auto noted = static_cast<qsizetype>(result.notedConversions.size());
    QString text;
    if (failed > 0) {
        text += (interrupted ? QStringLiteral("plenwick: %1 of %2 failed:\n")
                             : QStringLiteral("plenwick: %1 of %2 not converted:\n"))
                    .arg(failed)
                    .arg(BatchTexts::pictures(pictureCount));
        for (const PictureOutcome& failure : result.failures)
            text += QStringLiteral("  ") + printableText(BatchTexts::failureLine(failure)) + u'\n';
    }
    for (const PictureOutcome& outcome : result.notedConversions) {
        for (const QString& note : outcome.notes)
            text += printableText(BatchTexts::displayName(outcome.name) +
                                  QStringLiteral(": note: ") + note) +
                    u'\n';
    }
    if (interrupted)
        text += QStringLiteral("plenwick: interrupted; no further picture started\n");
    const QString withNotes = noted > 0 ? QStringLiteral(", %1 with a note").arg(noted) : QString();
    const qsizetype notStarted = pictureCount - result.ended;
    if (failed == 0 && notStarted == 0) {
        writeText(stderr, text);
        writeText(stdout, printableText(QStringLiteral("%1 converted into %2")
                                            .arg(BatchTexts::pictures(pictureCount), outputFolder) +
                                        withNotes) +
                              u'\n');
        return;
    }
    QString counts =
        QStringLiteral("plenwick: %1 of %2 converted")
            .arg(QString::number(result.ended - failed), BatchTexts::pictures(pictureCount)) +
        withNotes + QStringLiteral(", %1 failed").arg(failed);
    if (notStarted > 0)
        counts += QStringLiteral(", %1 not started").arg(notStarted);
    writeText(stderr, text + printableText(counts) + u'\n');
}

int convert(const ConversionOptions& options) {
    if (!isOwnToolPresent()) {
        writeText(stderr, QStringLiteral("plenwick: ") +
                              printableText(BatchTexts::toolMissing(ownToolPath())) + u'\n');
        return FailureExitStatus;
    }
    if (!makeOutputFolder(options.outputFolder))
        return FailureExitStatus;
    const std::optional<BatchPlan> plan = planBatch(options.sourceFolder, options.outputFolder);
    if (!plan) {
        writeText(
            stderr,
            printableText(
                QStringLiteral("plenwick: cannot list the folder %1").arg(options.sourceFolder)) +
                u'\n');
        return FailureExitStatus;
    }
    const auto pictureCount = static_cast<qsizetype>(plan->pictures.size());
    if (pictureCount == 0) {
        writeText(
            stdout,
            printableText(
                QStringLiteral("No JPEG, PNG or TIFF picture in %1").arg(options.sourceFolder)) +
                u'\n');
        return 0;
    }

    const Interruption interruption;
    const std::unique_ptr<ProgressDisplay> display = ProgressDisplay::forStream(stdout);
    const BatchResult result = runBatch(std::move(*plan), options, *display);
    display->close();
    report(result, pictureCount, options.outputFolder);

    if (Interruption::requested())
        return SignalExitBase + Interruption::signalNumber();
    return result.failures.empty() ? 0 : FailureExitStatus;
}

} // namespace

int runCommandLine(const QStringList& arguments, const QString& version) {
    const ParsedCommandLine parsed =
        parseCommandLine(arguments, version, QThread::idealThreadCount());
    if (const auto* information = std::get_if<InformationRequest>(&parsed)) {
        writeText(stdout, information->text);
        return 0;
    }
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        writeText(stderr, QStringLiteral("plenwick: %1\nTry 'plenwick --help'.\n")
                              .arg(printableText(error->message)));
        return UsageExitStatus;
    }
    return convert(std::get<ConversionOptions>(parsed));
}

} // namespace plenwick
