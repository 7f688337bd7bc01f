#include "toolservices.h"

#include <unistd.h>

namespace plenwick {

ToolRun ToolServices::runCommand(const QByteArray& commandLine) {
    return runToolCommand(commandLine, toolDirectory());
}

bool ToolServices::removeFile(const QByteArray& path) {
    return ::unlink(path.constData()) == 0;
}

} // namespace plenwick
