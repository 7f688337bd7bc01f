#include "planlisting.h"

#include "batchtexts.h"
#include "printabletext.h"

#include <QCoreApplication>
#include <QSet>
#include <algorithm>
#include <sys/stat.h>

namespace plenwick {

namespace {

QString shown(const QByteArray& name) {
    return BatchTexts::displayName(name);
}

// One line of the listing: a name in it cannot break it.
QString line(const QString& text) {
    return printableText(text) + u'\n';
}

// English has a sentence of its own for one; the other counts take each language's plural forms.
QString counted(qsizetype count, const char* one, const char* several) {
    if (count == 1)
        return QCoreApplication::translate("CommandLine", one);
    return QCoreApplication::translate("CommandLine", several, nullptr, static_cast<int>(count));
}

bool isThere(const QByteArray& path) {
    struct stat status {};
    return ::lstat(path.constData(), &status) == 0;
}

qsizetype countOf(const BatchPlan& plan, std::initializer_list<LeftAloneReason> reasons) {
    return std::ranges::count_if(plan.leftAlone, [reasons](const LeftAloneEntry& entry) {
        return std::ranges::find(reasons, entry.reason) != reasons.end();
    });
}

QString keptLine(const BatchPlan& plan, const PictureJob& job) {
    return line(
        QCoreApplication::translate("CommandLine", "%1 is skipped: its copy %2 is already there.")
            .arg(shown(shownName(plan, job)), shown(copyPath(plan, job))));
}

} // namespace

QString dryRunListing(const BatchPlan& plan) {
    QString text;
    QSet<QByteArray> madeFolders;
    for (const PictureJob& job : plan.pictures) {
        const QByteArray& folder = plan.folders[job.folder].outputFolder;
        if (!isThere(folder) && !madeFolders.contains(folder)) {
            madeFolders.insert(folder);
            text += line(QCoreApplication::translate("CommandLine", "The folder %1 would be made.")
                             .arg(shown(folder)));
        }
        const QString source = shown(shownName(plan, job));
        const QString copy = shown(copyPath(plan, job));
        if (job.copyNameTakenBy)
            text += line(
                QCoreApplication::translate("CommandLine", "%1 would not be converted: %2.")
                    .arg(source, BatchTexts::copyNameTaken(job.copyName, *job.copyNameTakenBy)));
        else if (isThere(copyPath(plan, job)))
            text += line(
                QCoreApplication::translate("CommandLine", "%1 would be replaced by a copy of %2.")
                    .arg(copy, source));
        else
            text += line(QCoreApplication::translate("CommandLine", "%1 would be written from %2.")
                             .arg(copy, source));
    }
    text += leftAloneListing(plan) + unreadableFolders(plan);
    if (!plan.letterCaseProbed && !plan.pictures.empty())
        text += line(QCoreApplication::translate(
            "CommandLine",
            "A dry run makes no probe file, so copy names are compared with their letter case even"
            " where the output folder would take two of them for one."));
    return text;
}

QString leftAloneListing(const BatchPlan& plan) {
    QString text;
    for (const PictureJob& job : plan.keptCopies)
        text += keptLine(plan, job);
    for (const LeftAloneEntry& entry : plan.leftAlone) {
        if (entry.reason != LeftAloneReason::Unreadable)
            text += line(QCoreApplication::translate("CommandLine", "%1 is left alone: %2.")
                             .arg(shown(entry.shownName), BatchTexts::leftAloneReason(entry)));
    }
    return text;
}

QString unreadableFolders(const BatchPlan& plan) {
    QString text;
    for (const LeftAloneEntry& entry : plan.leftAlone) {
        if (entry.reason == LeftAloneReason::Unreadable)
            text += line(
                QCoreApplication::translate("CommandLine", "plenwick: %1")
                    .arg(BatchTexts::folderUnreadable(shown(entry.shownName), entry.systemReason)));
    }
    return text;
}

QString leftAloneSummary(const BatchPlan& plan, bool named) {
    QStringList lines;
    if (const auto kept = static_cast<qsizetype>(plan.keptCopies.size()); kept > 0)
        lines << counted(
            kept,
            QT_TRANSLATE_NOOP("CommandLine", "1 picture was skipped: its copy is already there."),
            QT_TRANSLATE_N_NOOP("CommandLine",
                                "%n pictures were skipped: their copies are already there."));
    if (const qsizetype names = countOf(plan, {LeftAloneReason::NotAPictureName}); names > 0)
        lines << counted(
            names,
            QT_TRANSLATE_NOOP("CommandLine",
                              "1 file was left alone: its name is not that of a JPEG, PNG or TIFF"
                              " picture."),
            QT_TRANSLATE_N_NOOP(
                "CommandLine", "%n files were left alone: their names are not those of JPEG, PNG or"
                               " TIFF pictures."));
    if (const qsizetype others = countOf(plan, {LeftAloneReason::NotARegularFile}); others > 0)
        lines << counted(
            others,
            QT_TRANSLATE_NOOP("CommandLine", "1 entry was left alone: it is not a regular file."),
            QT_TRANSLATE_N_NOOP("CommandLine",
                                "%n entries were left alone: they are not regular files."));
    if (const qsizetype folders =
            countOf(plan, {LeftAloneReason::Folder, LeftAloneReason::LinkToFolder,
                           LeftAloneReason::OutputFolder, LeftAloneReason::FolderOnPath});
        folders > 0)
        lines << counted(folders, QT_TRANSLATE_NOOP("CommandLine", "1 folder was not entered."),
                         QT_TRANSLATE_N_NOOP("CommandLine", "%n folders were not entered."));
    if (const qsizetype unreadable = countOf(plan, {LeftAloneReason::Unreadable}); unreadable > 0)
        lines << counted(unreadable,
                         QT_TRANSLATE_NOOP("CommandLine", "1 folder could not be listed."),
                         QT_TRANSLATE_N_NOOP("CommandLine", "%n folders could not be listed."));
    if (lines.isEmpty())
        return QString();
    if (!named)
        lines << QCoreApplication::translate("CommandLine",
                                             "Run with --verbose to see each with its reason.");
    return lines.join(u'\n') + u'\n';
}

bool hasUnreadableFolders(const BatchPlan& plan) {
    return countOf(plan, {LeftAloneReason::Unreadable}) > 0;
}

} // namespace plenwick
