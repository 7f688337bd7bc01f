#include "toolservices.h"

namespace plenwick {

ToolRun ToolServices::runCommand(const QByteArray& commandLine) {
    return runToolCommand(commandLine, toolDirectory());
}

} // namespace plenwick
