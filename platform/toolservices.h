#pragma once

#include "batchservices.h"

namespace plenwick {

// The batch services for real: the program's own tools. Each thread may use
// an instance of its own at the same time.
class ToolServices final : public BatchServices {
public:
    ToolRun runCommand(const QByteArray& commandLine, int workingFolder) override;
};

} // namespace plenwick
