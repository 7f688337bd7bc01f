#pragma once

#include "batchtexts.h"
#include "picturejob.h"

#include <cstdio>
#include <memory>

namespace plenwick {

// How a running batch shows itself on standard output.
class ProgressDisplay {
public:
    virtual ~ProgressDisplay() = default;
    ProgressDisplay(const ProgressDisplay&) = delete;
    ProgressDisplay& operator=(const ProgressDisplay&) = delete;

    virtual void progressChanged(const BatchProgress& progress) = 0;
    virtual void pictureFinished(const PictureOutcome& outcome, qsizetype picturesDone,
                                 qsizetype pictureCount) = 0;
    // The run is over: nothing of the display may stay in the way of what follows.
    virtual void close() = 0;

    // A bar redrawn in place when `output` is a terminal, else one line per picture.
    [[nodiscard]] static std::unique_ptr<ProgressDisplay> forStream(std::FILE* output);

protected:
    ProgressDisplay() = default;
};

// Writes the text to the stream in the locale's encoding, at once.
void writeText(std::FILE* stream, const QString& text);

} // namespace plenwick
