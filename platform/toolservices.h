#pragma once

#include "batchservices.h"

namespace plenwick {

// The batch services of a program without a window: the program's own tools, the file system and
// the current thread's events. Each thread may use an instance of its own at the same time.
class ToolServices final : public BatchServices {
public:
    ToolRun runCommand(const QByteArray& commandLine) override;
    bool removeFile(const QByteArray& path) override;
    void pumpEventsOnce() override;
};

} // namespace plenwick
