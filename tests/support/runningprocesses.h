#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <sys/types.h>
#include <vector>

namespace plenwick::test {

// The running processes with the text in their command line: the image tools at work on a
// folder, say. A process that has ended and awaits its parent has an empty command line.
inline std::vector<pid_t> processesMentioning(const QString& text) {
    const QByteArray wanted = QFile::encodeName(text);
    std::vector<pid_t> found;
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile commandLine(QStringLiteral("/proc/") + pid + QStringLiteral("/cmdline"));
        if (pid.front().isDigit() && commandLine.open(QIODevice::ReadOnly) &&
            commandLine.readAll().contains(wanted))
            found.push_back(static_cast<pid_t>(pid.toInt()));
    }
    return found;
}

} // namespace plenwick::test
