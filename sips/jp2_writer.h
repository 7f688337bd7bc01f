#pragma once

#include "pixels.h"
#include "sha256.h"
#include "ycc_planes.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace sips {

// What was written of a codestream box.
struct Jp2Codestream {
    // Whether the box records its length; one too long for that runs to the end of the file, and
    // no box may follow it.
    bool bounded = true;
    // The SHA-256 of the content, as written.
    Digest digest{};
};

// Writes the codestream box of a JP2 file after the boxes the caller wrote before it: the rows
// coded losslessly with the High-Throughput block coder (reversible 5/3 wavelet, one layer) as a
// tiled codestream, a band of tiles at a time, so memory follows the picture's width rather than
// its area and the file is written once. With `planes`, `source` gives a JPEG's YCbCr planes as
// row groups, coded as they are with Cb and Cr subsampled.
Jp2Codestream writeJp2Codestream(RowReader& source, const std::optional<YccPlanes>& planes,
                                 std::FILE* out, const std::string& target);

} // namespace sips
