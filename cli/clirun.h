#pragma once

#include <QString>
#include <QStringList>

namespace plenwick {

// The program run from a terminal or a script: parses the arguments (the program's name first),
// converts the source folder and answers the exit status. Needs no display and never touches the
// window's settings.
[[nodiscard]] int runCli(const QStringList& arguments, const QString& version);

} // namespace plenwick
