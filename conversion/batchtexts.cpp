#include "batchtexts.h"

#include <QFile>

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

} // namespace

QString displayName(const QByteArray& name) {
    return QFile::decodeName(name);
}

QString progress(const BatchProgress& progress) {
    QString text = QStringLiteral("Converting %1 of %2: %3")
                       .arg(progress.pictureNumber)
                       .arg(progress.pictureCount)
                       .arg(displayName(progress.name));
    if (progress.timeLeft)
        text += QStringLiteral(" (about %1 left)").arg(duration(*progress.timeLeft));
    return text;
}

QString failureLine(const PictureOutcome& outcome) {
    return displayName(outcome.name) + QStringLiteral(": ") + outcome.reason;
}

QString failureList(const std::vector<PictureOutcome>& failures, qsizetype listed) {
    QStringList lines;
    for (const PictureOutcome& failure : failures) {
        if (lines.size() == listed)
            break;
        lines.append(failureLine(failure));
    }
    const auto unlisted = static_cast<qsizetype>(failures.size()) - lines.size();
    if (unlisted > 0)
        lines.append(QStringLiteral("and %1 more").arg(unlisted));
    return lines.join(u'\n');
}

QString copyNameTaken(const QByteArray& copyName, const QByteArray& takenBy) {
    return QStringLiteral("its copy %1 is already made from %2 in this run")
        .arg(displayName(copyName), displayName(takenBy));
}

QString outputFolderNotWritable(const QString& systemReason) {
    return QStringLiteral("cannot write to the output folder: %1").arg(systemReason);
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

} // namespace plenwick::BatchTexts
