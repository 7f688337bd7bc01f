#include "toolservices.h"

#include <QCoreApplication>
#include <unistd.h>

namespace plenwick {

ToolRun ToolServices::runCommand(const QByteArray& commandLine) {
    return runToolCommand(commandLine, toolDirectory(), {});
}

bool ToolServices::removeFile(const QByteArray& path) {
    return ::unlink(path.constData()) == 0;
}

void ToolServices::pumpEventsOnce() {
    QCoreApplication::processEvents();
}

} // namespace plenwick
