#include "toolservices.h"

namespace plenwick {

ToolRun ToolServices::runCommand(const QByteArray& commandLine, int workingFolder) {
    return runToolCommand(commandLine, toolDirectory(), workingFolder);
}

} // namespace plenwick
