#include "shellcommand.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

namespace plenwick {

namespace {
constexpr int RepaintIntervalMs = 30;
}

int runShellCommand(const QString& commandLine, const QString& toolDirectory) {
    QProcess shell;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString path = environment.value(QStringLiteral("PATH"));
    environment.insert(QStringLiteral("PATH"),
                       path.isEmpty() ? toolDirectory : toolDirectory + u':' + path);
    shell.setProcessEnvironment(environment);
    shell.setProcessChannelMode(QProcess::ForwardedChannels);
    shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), commandLine});
    if (!shell.waitForStarted())
        return -1;
    // Repaint events may also notice the child's end, so test the state, not only the wait.
    while (shell.state() != QProcess::NotRunning && !shell.waitForFinished(RepaintIntervalMs))
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (shell.exitStatus() != QProcess::NormalExit)
        return -1;
    return shell.exitCode();
}

QString toolDirectory() {
    // Looked up once: where the program lies does not change while it runs.
    static const QString directory = [] {
        const QDir installed(QCoreApplication::applicationDirPath() +
                             QStringLiteral("/../" PLENWICK_LIBEXEC_DIR "/plenwick"));
        if (QFileInfo::exists(installed.filePath(QStringLiteral("sips"))))
            return installed.canonicalPath();
        return QStringLiteral(PLENWICK_BUILD_TOOL_DIR);
    }();
    return directory;
}

} // namespace plenwick
