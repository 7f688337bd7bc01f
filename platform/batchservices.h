#pragma once

#include "toolprocess.h"

#include <QByteArray>

namespace plenwick {

// What a batch of conversions asks of the machine: run a command line. Each worker
// of a batch has an instance of its own, on its own thread.
class BatchServices {
public:
    virtual ~BatchServices() = default;

    // Runs one command line through /bin/sh in the folder open as `workingFolder`, and returns
    // when it has ended.
    virtual ToolRun runCommand(const QByteArray& commandLine, int workingFolder) = 0;

protected:
    BatchServices() = default;
    BatchServices(const BatchServices&) = default;
    BatchServices& operator=(const BatchServices&) = default;
};

} // namespace plenwick
