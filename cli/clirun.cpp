#include "clirun.h"

#include "batchengine.h"
#include "interruption.h"
#include "options.h"
#include "planlisting.h"
#include "printabletext.h"
#include "progressdisplay.h"
#include "runreport.h"
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

constexpr int SignalExitBase = 128;
// How often the run looks for an interruption; the signal handler has ended the running tools
// already, this only keeps further pictures and steps from starting.
constexpr int InterruptionPollMs = 20;

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
        return printDryRun(plan, options);
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
    printReport(result, listed, options);

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
