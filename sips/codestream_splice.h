#pragma once

#include "pixels.h"
#include "sha256.h"

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

namespace sips {

// Puts tiles coded as codestreams of their own (encodeHtTile) together into the picture's one
// codestream, written straight to `out`: the first tile's main header, its size widened to the
// whole picture, then every tile's tile-parts renumbered as that tile, then the end marker.
class CodestreamSplicer final {
public:
    CodestreamSplicer(std::FILE* out, std::string target, PictureSize picture);

    // Tiles come in their order on the picture, the first one at its top left corner.
    void append(std::span<const std::uint8_t> tileCodestream, std::uint32_t tileIndex);
    // Ends the codestream; answers the SHA-256 of all it wrote, so that nobody reads it back.
    Digest finish();

private:
    void write(std::span<const std::uint8_t> bytes);

    std::FILE* out_;
    std::string target_;
    PictureSize picture_;
    bool headerWritten_ = false;
    Sha256 digest_;
};

} // namespace sips
