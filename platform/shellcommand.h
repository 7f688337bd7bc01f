#pragma once

#include <QString>

namespace plenwick {

// Runs one command line through /bin/sh with toolDirectory first on the command search path, so
// that the command lines' bare tool names find the program's own tools. Returns the exit status,
// or -1 when the shell could not be started or was killed. Window repaints are handled while the
// command runs; user input waits for the caller's own event passes.
int runShellCommand(const QString& commandLine, const QString& toolDirectory);

// The folder holding the program's own command-line tools: beside an installed program, else the
// build tree's.
QString toolDirectory();

} // namespace plenwick
