#include "batchtexts.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <algorithm>

namespace plenwick::BatchTexts {

namespace {

QString duration(std::chrono::seconds left) {
    const auto minutes = std::chrono::duration_cast<std::chrono::minutes>(left);
    if (minutes.count() == 0)
        return QStringLiteral("%1 s").arg(left.count());
    const auto seconds = left - minutes;
    if (minutes.count() >= 10 || seconds.count() == 0)
        return QStringLiteral("%1 min").arg(minutes.count());
    return QStringLiteral("%1 min %2 s").arg(minutes.count()).arg(seconds.count());
}

QString outcomeList(const std::vector<PictureOutcome>& outcomes, qsizetype listed,
                    QString (*line)(const PictureOutcome&)) {
    QStringList lines;
    for (const PictureOutcome& outcome : outcomes) {
        if (lines.size() == listed)
            break;
        lines.append(line(outcome));
    }
    const auto unlisted = static_cast<qsizetype>(outcomes.size()) - lines.size();
    if (unlisted > 0)
        lines.append(QStringLiteral("and %1 more").arg(unlisted));
    return lines.join(u'\n');
}

} // namespace

QString displayName(const QByteArray& name) {
    return QFile::decodeName(name);
}

QString progress(const BatchProgress& progress) {
    std::vector<qsizetype> numbers;
    QStringList names;
    for (const BatchProgress::Picture& picture : progress.inFlight) {
        numbers.push_back(picture.number);
        names.append(displayName(picture.name));
    }
    std::sort(numbers.begin(), numbers.end());
    QString numbering;
    if (numbers.size() > 1 &&
        numbers.back() - numbers.front() == static_cast<qsizetype>(numbers.size()) - 1) {
        numbering = QStringLiteral("%1\u2013%2").arg(numbers.front()).arg(numbers.back());
    } else {
        QStringList each;
        for (const qsizetype number : numbers)
            each.append(QString::number(number));
        numbering = each.join(QStringLiteral(", "));
    }
    QString text = QStringLiteral("Converting %1 of %2: %3")
                       .arg(numbering)
                       .arg(progress.pictureCount)
                       .arg(names.join(QStringLiteral(", ")));
    if (progress.timeLeft)
        text += QStringLiteral(", about %1 left").arg(duration(*progress.timeLeft));
    return text;
}

QString failureLine(const PictureOutcome& outcome) {
    return displayName(outcome.name) + QStringLiteral(": ") + outcome.reason;
}

QString failureList(const std::vector<PictureOutcome>& failures, qsizetype listed) {
    return outcomeList(failures, listed, failureLine);
}

QString noteLine(const PictureOutcome& outcome) {
    return displayName(outcome.name) + QStringLiteral(": ") +
           outcome.notes.join(QStringLiteral("; "));
}

QString noteList(const std::vector<PictureOutcome>& noted, qsizetype listed) {
    return outcomeList(noted, listed, noteLine);
}

QString pictures(qsizetype count) {
    return count == 1 ? QStringLiteral("1 picture") : QStringLiteral("%1 pictures").arg(count);
}

QString copyNameTaken(const QByteArray& copyName, const QByteArray& takenBy) {
    return QStringLiteral("its copy %1 is already made from %2 in this run")
        .arg(displayName(copyName), displayName(takenBy));
}

QString outputFolderNotWritable(const QString& systemReason) {
    return QStringLiteral("cannot write to the output folder: %1").arg(systemReason);
}

QString toolMissing(const QString& toolPath) {
    return QStringLiteral("the program's image tool %1 is missing; reinstall the program")
        .arg(toolPath);
}

QString outputFolderReplaced() {
    return QStringLiteral("the output folder was moved or replaced during the run");
}

QString noCopyWritten() {
    return QStringLiteral("the image tool wrote no copy");
}

QString toolStopped() {
    return QStringLiteral("the image tool was stopped");
}

QString toolFailed(int exitStatus) {
    return QStringLiteral("the image tool failed with exit status %1").arg(exitStatus);
}

QString programEnded() {
    return QStringLiteral("the program ended before this picture was done");
}

QString folderUnreadable(const QString& folder, const QString& systemReason) {
    return QCoreApplication::translate("BatchTexts", "The folder %1 cannot be listed: %2.")
        .arg(folder, systemReason);
}

QString copiesIntoSourceFolder(const QString& sourceFolder, const QString& outputFolder) {
    return QCoreApplication::translate("BatchTexts",
                                       "The copies of the pictures in %1 would go into %2, a "
                                       "folder whose pictures are converted: they would replace "
                                       "the pictures.")
        .arg(sourceFolder, outputFolder);
}

QString leftAloneReason(const LeftAloneEntry& entry) {
    switch (entry.reason) {
    case LeftAloneReason::NotAPictureName:
        return QCoreApplication::translate(
            "BatchTexts", "its name does not end in .jpg, .jpeg, .png, .tif or .tiff");
    case LeftAloneReason::NotARegularFile:
        return QCoreApplication::translate("BatchTexts", "it is not a regular file");
    case LeftAloneReason::Folder:
        return QCoreApplication::translate("BatchTexts",
                                           "it is a folder, and only --recursive enters folders");
    case LeftAloneReason::LinkToFolder:
        return QCoreApplication::translate("BatchTexts",
                                           "it is a link to a folder, and links are not followed");
    case LeftAloneReason::OutputFolder:
        return QCoreApplication::translate("BatchTexts", "it is the output folder");
    case LeftAloneReason::FolderOnPath:
        return QCoreApplication::translate(
            "BatchTexts",
            "it is the folder it lies in, or one above that, so entering it would loop");
    case LeftAloneReason::Unreadable:
        return QCoreApplication::translate("BatchTexts", "the folder cannot be listed: %1")
            .arg(entry.systemReason);
    }
    return QString();
}

} // namespace plenwick::BatchTexts
