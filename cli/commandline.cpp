#include "commandline.h"

#include "commandlineoptions.h"
#include "interruption.h"
#include "parallelbatch.h"
#include "printabletext.h"
#include "progressdisplay.h"

#include <QThread>

namespace plenwick {

namespace {

constexpr int FailureExitStatus = 1;
constexpr int SignalExitBase = 128;

int convert(const ConversionOptions& options) {
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
    const ParallelBatch batch{
        .started = [&display](const BatchProgress& progress) { display->pictureStarted(progress); },
        .finished =
            [&display, pictureCount](const PictureOutcome& outcome, qsizetype picturesDone) {
                display->pictureFinished(outcome, picturesDone, pictureCount);
            }};
    const std::vector<PictureOutcome> failures =
        batch.run(*plan, options.dpi, options.jobs, Interruption::requested());
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
