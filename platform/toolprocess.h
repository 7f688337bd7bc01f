#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace plenwick {

// How one command line ended.
struct ToolRun final {
    // The exit status; -1 when the shell could not be started or a signal ended it.
    int exitStatus = -1;
    // The last line the command wrote to standard error, if any.
    QString errorLine;
    // The lines it wrote to standard error, in order: a tool's warnings on success among them.
    // Bounded: a flood keeps its first lines.
    QStringList errorLines;
    [[nodiscard]] bool succeeded() const { return exitStatus == 0; }
};

// Runs one command line through /bin/sh, as its bytes, in the folder open as `workingFolder`
// (whatever path now leads there), with toolDirectory alone on the command search path so that
// the command lines' bare tool names find the program's own tools and no others. The shell and
// what it starts form a process group of their own, so endRunningTools() reaches them all. Safe
// to call from several threads at once.
ToolRun runToolCommand(const QByteArray& commandLine, const QString& toolDirectory,
                       int workingFolder);

// Sends SIGTERM to every command running, and to those being started at the time. Safe inside a
// signal handler.
void endRunningTools() noexcept;

// The folder holding the program's own command-line tools, found from where the program lies:
// the libexec folder of an installed program, else the build tree's. Empty when neither is there.
QString toolDirectory();
// The program's own image tool, and whether it is there to run. A run starts only when it is.
QString ownToolPath();
bool isOwnToolPresent();

} // namespace plenwick
