#include "commandline.h"

#include "batchengine.h"
#include "commandlineoptions.h"
#include "interruption.h"
#include "printabletext.h"
#include "progressdisplay.h"
#include "toolcommand.h"
#include "toolservices.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace plenwick {

namespace {

constexpr int FailureExitStatus = 1;
constexpr int SignalExitBase = 128;
// How often the run looks for an interruption; the signal handler has ended the running tools
// already, this only keeps further pictures and steps from starting.
constexpr int InterruptionPollMs = 20;

// Runs the batch on the engine, showing it on the display; answers the pictures not converted.
std::vector<PictureOutcome> runBatch(BatchPlan plan, const ConversionOptions& options,
                                     ProgressDisplay& display) {
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
    return engine.failures();
}

int convert(const ConversionOptions& options) {
    if (!isOwnToolPresent()) {
        writeText(stderr, QStringLiteral("plenwick: ") +
                              printableText(BatchTexts::toolMissing(ownToolPath())) + u'\n');
        return FailureExitStatus;
    }
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
    const std::vector<PictureOutcome> failures = runBatch(std::move(*plan), options, *display);
    display->close();

    if (!failures.empty()) {
        QString report = QStringLiteral("plenwick: %1 of %2 pictures not converted:\n")
                             .arg(failures.size())
                             .arg(pictureCount);
        for (const PictureOutcome& failure : failures)
            report +=
                QStringLiteral("  ") + printableText(BatchTexts::failureLine(failure)) + u'\n';
        writeText(stderr, report);
    }
    if (Interruption::requested()) {
        writeText(stderr, QStringLiteral("plenwick: interrupted; no further picture started\n"));
        return SignalExitBase + Interruption::signalNumber();
    }
    if (!failures.empty())
        return FailureExitStatus;
    writeText(stdout, printableText(QStringLiteral("%1 pictures converted into %2")
                                        .arg(pictureCount)
                                        .arg(options.outputFolder)) +
                          u'\n');
    return 0;
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
