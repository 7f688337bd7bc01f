#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <sys/types.h>
#include <vector>

namespace plenwick::test {

// The running processes working in the folder: the image tools, which run in the output folder,
// and the shells that start them.
inline std::vector<pid_t> processesWorkingIn(const QString& folder) {
    const QString wanted = QFileInfo(folder).canonicalFilePath();
    std::vector<pid_t> found;
    // A folder not made yet has no canonical path, nor has an ended process a working folder.
    if (wanted.isEmpty())
        return found;
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        if (pid.front().isDigit() &&
            QFileInfo(QStringLiteral("/proc/") + pid + QStringLiteral("/cwd")).symLinkTarget() ==
                wanted)
            found.push_back(static_cast<pid_t>(pid.toInt()));
    }
    return found;
}

} // namespace plenwick::test
