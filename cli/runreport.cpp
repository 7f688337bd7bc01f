#include "runreport.h"

#include "batchtexts.h"
#include "interruption.h"
#include "planlisting.h"
#include "printabletext.h"
#include "progressdisplay.h"

#include <QCoreApplication>
#include <algorithm>

namespace plenwick {

namespace {

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

// The pictures not converted, each with its reason; empty when there are none.
QString failuresText(const std::vector<PictureOutcome>& failures, qsizetype pictureCount,
                     bool interrupted) {
    if (failures.empty())
        return QString();
    QString text =
        (interrupted
             ? QCoreApplication::translate("CommandLine", "plenwick: %1 of %2 failed:\n")
             : QCoreApplication::translate("CommandLine", "plenwick: %1 of %2 not converted:\n"))
            .arg(QString::number(failures.size()), BatchTexts::pictures(pictureCount));
    for (const PictureOutcome& failure : failures)
        text += QStringLiteral("  ") + printableText(BatchTexts::failureLine(failure)) + u'\n';
    return text;
}

// Every note of the pictures converted with notes, one per line.
QString notesText(const std::vector<PictureOutcome>& notedConversions) {
    QString text;
    for (const PictureOutcome& outcome : notedConversions) {
        // The note is the image tool's own words, quoted as it printed them.
        for (const QString& note : outcome.notes)
            text += printableText(QCoreApplication::translate("CommandLine", "%1: note: %2")
                                      .arg(BatchTexts::displayName(outcome.name), note)) +
                    u'\n';
    }
    return text;
}

} // namespace

void printReport(const BatchResult& result, const BatchPlan& plan,
                 const ConversionOptions& options) {
    const auto pictureCount = static_cast<qsizetype>(plan.pictures.size());
    const bool interrupted = Interruption::requested();
    const auto failed = static_cast<qsizetype>(result.failures.size());
    const auto noted = static_cast<qsizetype>(result.notedConversions.size());
    QString text = failuresText(result.failures, pictureCount, interrupted) +
                   notesText(result.notedConversions) + unreadableFolders(plan);
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

int printDryRun(const BatchPlan& plan, const ConversionOptions& options) {
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

} // namespace plenwick
