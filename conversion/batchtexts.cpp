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
        return QCoreApplication::translate("BatchTexts", "%1 s", "seconds").arg(left.count());
    const auto seconds = left - minutes;
    if (minutes.count() >= 10 || seconds.count() == 0)
        return QCoreApplication::translate("BatchTexts", "%1 min", "minutes").arg(minutes.count());
    return QCoreApplication::translate("BatchTexts", "%1 min %2 s", "minutes and seconds")
        .arg(minutes.count())
        .arg(seconds.count());
}

QString outcomeList(const std::vector<PictureOutcome>& outcomes, qsizetype listed,
                    QString (*line)(const PictureOutcome&)) {
    QStringList lines;
    for (const PictureOutcome& outcome : outcomes) {
        if (lines.size() == listed)
            break;
        lines.append(line(outcome));
    }
    // Plural forms take an int; a run never holds more pictures than that.
    const auto unlisted = static_cast<int>(static_cast<qsizetype>(outcomes.size()) - lines.size());
    if (unlisted > 0)
        lines.append(QCoreApplication::translate("BatchTexts", "and %n more", nullptr, unlisted));
    return lines.join(u'\n');
}

} // namespace

QString displayName(const QByteArray& name) {
    return QFile::decodeName(name);
}

QString progress(const BatchProgress& progress) {
    std::vector<qsizetype> numbers;
    QStringList nameList;
    for (const BatchProgress::Picture& picture : progress.inFlight) {
        numbers.push_back(picture.number);
        nameList.append(displayName(picture.name));
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
    const QString names = nameList.join(QStringLiteral(", "));
    if (progress.timeLeft) {
        return QCoreApplication::translate("BatchTexts", "Converting %1 of %2: %3, about %4 left")
            .arg(numbering, QString::number(progress.pictureCount), names,
                 duration(*progress.timeLeft));
    }
    return QCoreApplication::translate("BatchTexts", "Converting %1 of %2: %3")
        .arg(numbering, QString::number(progress.pictureCount), names);
}

QString failureLine(const PictureOutcome& outcome) {
    //: A picture's name, then why it got no copy, or the image tool's notes on it.
    return QCoreApplication::translate("BatchTexts", "%1: %2")
        .arg(displayName(outcome.name), outcome.reason);
}

QString failureList(const std::vector<PictureOutcome>& failures, qsizetype listed) {
    return outcomeList(failures, listed, failureLine);
}

QString noteLine(const PictureOutcome& outcome) {
    // The notes are the image tool's own words, quoted as it printed them.
    return QCoreApplication::translate("BatchTexts", "%1: %2")
        .arg(displayName(outcome.name), outcome.notes.join(QStringLiteral("; ")));
}

QString noteList(const std::vector<PictureOutcome>& noted, qsizetype listed) {
    return outcomeList(noted, listed, noteLine);
}

QString pictures(qsizetype pictureCount) {
    const auto count = static_cast<int>(pictureCount);
    return count == 1 ? QCoreApplication::translate("BatchTexts", "1 picture")
                      : QCoreApplication::translate("BatchTexts", "%n pictures", nullptr, count);
}

QString copyNameTaken(const QByteArray& copyName, const QByteArray& takenBy) {
    return QCoreApplication::translate("BatchTexts",
                                       "its copy %1 is already made from %2 in this run")
        .arg(displayName(copyName), displayName(takenBy));
}

QString outputFolderNotWritable(const QString& systemReason) {
    return QCoreApplication::translate("BatchTexts", "cannot write to the output folder: %1")
        .arg(systemReason);
}

QString toolMissing(const QString& toolPath) {
    return QCoreApplication::translate(
               "BatchTexts", "the program's image tool %1 is missing; reinstall the program")
        .arg(toolPath);
}

QString outputFolderReplaced() {
    return QCoreApplication::translate("BatchTexts",
                                       "the output folder was moved or replaced during the run");
}

QString noCopyWritten() {
    return QCoreApplication::translate("BatchTexts", "the image tool wrote no copy");
}

QString toolStopped() {
    return QCoreApplication::translate("BatchTexts", "the image tool was stopped");
}

QString toolFailed(int exitStatus) {
    return QCoreApplication::translate("BatchTexts", "the image tool failed with exit status %1")
        .arg(exitStatus);
}

QString programEnded() {
    return QCoreApplication::translate("BatchTexts",
                                       "the program ended before this picture was done");
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
