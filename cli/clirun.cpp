#include "clirun.h"

#include "batchengine.h"
#include "interruption.h"
#include "options.h"
#include "planlisting.h"
#include "printabletext.h"
#include "progressdisplay.h"
#include "toolprocess.h"
#include "toolservices.h"

#include <QCoreApplication>
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
        writeText(stderr,
                  printableText(QCoreApplication::translate(
                                    "CommandLine", "plenwick: cannot create the output folder "
                                                   "%1: %2")
                                    .arg(folder, QString::fromStdString(error.message()))) +
                      u'\n');
        return false;
    }
    writeText(stdout, printableText(
                          QCoreApplication::translate("CommandLine", "Created the output folder %1")
                              .arg(folder)) +
                          u'\n');
    return true;
}

// The counts of a run that did not convert every picture, one whole sentence for each case.
QString countsLine(qsizetype converted, qsizetype pictureCount, qsizetype noted, qsizetype failed,
                   qsizetype notStarted) {
    const QString pictures = BatchTexts::pictures(pictureCount);
    if (notStarted > 0 && noted > 0)
        return QCoreApplication::translate("CommandLine", "plenwick: %1 of %2 converted, %3 with a "
                                                          "note, %4 failed, %5 not started")
            .arg(QString::number(converted), pictures, QString::number(noted),
                 QString::number(failed), QString::number(notStarted));
    if (notStarted > 0)
        return QCoreApplication::translate(
                   "CommandLine", "plenwick: %1 of %2 converted, %3 failed, %4 not started")
            .arg(QString::number(converted), pictures, QString::number(failed),
                 QString::number(notStarted));
    if (noted > 0)
        return QCoreApplication::translate(
                   "CommandLine", "plenwick: %1 of %2 converted, %3 with a note, %4 failed")
            .arg(QString::number(converted), pictures, QString::number(noted),
                 QString::number(failed));
    return QCoreApplication::translate("CommandLine", "plenwick: %1 of %2 converted, %3 failed")
        .arg(QString::number(converted), pictures, QString::number(failed));
}

// The failures with their reasons, then every note, the folders that could not be listed, the
// entries left alone, then the counts; on standard error unless every picture was converted.
void report(const BatchResult& result, const BatchPlan& plan, const ConversionOptions& options) {
    const auto pictureCount = static_cast<qsizetype>(plan.pictures.size());
    const bool interrupted = Interruption::requested();
    const auto failed = static_cast<qsizetype>(result.failures.size());
    const auto noted = static_cast<qsizetype>(result.notedConversions.size());
    QString text;
    if (failed > 0) {
        text += (interrupted
                     ? QCoreApplication::translate("CommandLine", "plenwick: %1 of %2 failed:\n")
                     : QCoreApplication::translate("CommandLine",
                                                   "plenwick: %1 of %2 not converted:\n"))
                    .arg(QString::number(failed), BatchTexts::pictures(pictureCount));
        for (const PictureOutcome& failure : result.failures)
            text += QStringLiteral("  ") + printableText(BatchTexts::failureLine(failure)) + u'\n';
    }
    for (const PictureOutcome& outcome : result.notedConversions) {
        // The note is the image tool's own words, quoted as it printed them.
        for (const QString& note : outcome.notes)
            text += printableText(QCoreApplication::translate("CommandLine", "%1: note: %2")
                                      .arg(BatchTexts::displayName(outcome.name), note)) +
                    u'\n';
    }
    text += unreadableFolders(plan);
    if (interrupted)
        text += QCoreApplication::translate("CommandLine",
                                            "plenwick: interrupted; no further picture started\n");
    const QString leftAlone = (options.verbose ? leftAloneListing(plan) : QString()) +
                              leftAloneSummary(plan, options.verbose);
    const qsizetype notStarted = pictureCount - result.ended;
    if (failed == 0 && notStarted == 0 && !hasUnreadableFolders(plan)) {
        writeText(stderr, text);
        const QString pictures = BatchTexts::pictures(pictureCount);
        const QString summary =
            noted > 0
                ? QCoreApplication::translate("CommandLine", "%1 converted into %2, %3 with a note")
                      .arg(pictures, options.outputFolder, QString::number(noted))
                : QCoreApplication::translate("CommandLine", "%1 converted into %2")
                      .arg(pictures, options.outputFolder);
        writeText(stdout, leftAlone + printableText(summary) + u'\n');
        return;
    }
    writeText(stderr, text + leftAlone +
                          printableText(countsLine(result.ended - failed, pictureCount, noted,
                                                   failed, notStarted)) +
                          u'\n');
}

// What the run would do, with nothing made or changed; the status the run would end with as far
// as it is known beforehand.
int dryRun(const BatchPlan& plan, const ConversionOptions& options) {
    const auto wouldFail = std::ranges::count_if(
        plan.pictures, [](const PictureJob& job) { return job.copyNameTakenBy.has_value(); });
    const auto wouldConvert = static_cast<qsizetype>(plan.pictures.size()) - wouldFail;
    writeText(stdout, dryRunListing(plan) + leftAloneSummary(plan, true) +
                          printableText(
                              QCoreApplication::translate("CommandLine",
                                                          "Dry run: %1 would be converted into"
                                                          " %2; nothing was changed.")
                                  .arg(BatchTexts::pictures(wouldConvert), options.outputFolder)) +
                          u'\n');
    return wouldFail > 0 || hasUnreadableFolders(plan) ? FailureExitStatus : 0;
}

int convert(const ConversionOptions& options) {
    if (!isOwnToolPresent()) {
        writeText(stderr, printableText(QCoreApplication::translate("CommandLine", "plenwick: %1")
                                            .arg(BatchTexts::toolMissing(ownToolPath()))) +
                              u'\n');
        return FailureExitStatus;
    }
    if (!options.dryRun && !makeOutputFolder(options.outputFolder))
        return FailureExitStatus;
    std::variant<BatchPlan, QString> planned =
        planSources(options.sources, options.outputFolder,
                    PlanOptions{options.recursive, options.skipExisting, options.dryRun});
    if (const QString* error = std::get_if<QString>(&planned)) {
        writeText(
            stderr,
            printableText(QCoreApplication::translate("CommandLine", "plenwick: %1").arg(*error)) +
                u'\n');
        return UsageExitStatus;
    }
    BatchPlan& plan = std::get<BatchPlan>(planned);
    if (options.dryRun)
        return dryRun(plan, options);
    if (plan.pictures.empty()) {
        QString text = unreadableFolders(plan);
        if (plan.keptCopies.empty())
            text += printableText(QCoreApplication::translate("CommandLine",
                                                              "No JPEG, PNG or TIFF picture in %1")
                                      .arg(options.sources.join(QStringLiteral(", ")))) +
                    u'\n';
        text += (options.verbose ? leftAloneListing(plan) : QString()) +
                leftAloneSummary(plan, options.verbose);
        writeText(stdout, text);
        return hasUnreadableFolders(plan) ? FailureExitStatus : 0;
    }

    const Interruption interruption;
    const std::unique_ptr<ProgressDisplay> display = ProgressDisplay::forStream(stdout);
    const BatchPlan listed = plan;
    const BatchResult result = runBatch(std::move(plan), options, *display);
    display->close();
    report(result, listed, options);

    if (Interruption::requested())
        return SignalExitBase + Interruption::signalNumber();
    return result.failures.empty() && !hasUnreadableFolders(listed) ? 0 : FailureExitStatus;
}

} // namespace

int runCli(const QStringList& arguments, const QString& version) {
    const ParsedArguments parsed = parseArguments(arguments, version, QThread::idealThreadCount());
    if (const auto* information = std::get_if<InformationRequest>(&parsed)) {
        writeText(stdout, information->text);
        return 0;
    }
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        writeText(stderr, QCoreApplication::translate("CommandLine",
                                                      "plenwick: %1\nTry 'plenwick --help'.\n")
                              .arg(printableText(error->message)));
        return UsageExitStatus;
    }
    return convert(std::get<ConversionOptions>(parsed));
}

} // namespace plenwick
