#pragma once

#include "ycc_planes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sips {

// How the intermediate's codestream is coded: High-Throughput blocks, reversible 5/3 wavelet, one
// quality layer, so that it decodes to exactly the samples it was given.
struct HtCoding {
    std::uint32_t width = 0; // the picture's
    int channels = 0;
    int bits = 8;
    bool colourTransform = false; // the reversible colour transform over the first three channels
    std::uint32_t tileWidth = 0;
    std::uint32_t tileHeight = 0;
    int decompositions = 5;
    // Set for a JPEG's own YCbCr planes, given as row groups: three components of 8 bits, Cb and
    // Cr subsampled in the codestream's image header, no colour transform.
    std::optional<YccPlanes> planes;
};

// Where a tile lies in the picture.
struct HtTile {
    std::uint32_t x0 = 0;
    std::uint32_t y0 = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// Codes one tile as a codestream of its own whose image is that tile, at its place on the
// picture's grid: its tile-part is then the very one the whole picture's codestream holds for it,
// so coding a picture takes the memory of a tile, not of the whole coded picture (the library
// keeps everything it coded until the end). `rows` points at the tile's first sample; rows are
// `rowBytes` apart, their samples interleaved, 8-bit or native-endian 16-bit. For planes, `rows`
// points at the band's first row group and `rowBytes` is the groups' size.
// Throws std::runtime_error when the library refuses the tile.
std::vector<std::uint8_t> encodeHtTile(const HtCoding& coding, const HtTile& tile,
                                       const std::uint8_t* rows, std::size_t rowBytes);

// The coder is a module of its own beside the executable, loaded only by the steps that code a
// tile: the others never map OpenJPH, whose pages would add to every step's memory.
inline constexpr char htCoderModule[] = "sips-htj2k.so";
inline constexpr char htCoderEntry[] = "sipsEncodeHtTile";
// The module's entry: codes the tile into `coded`, or answers false with the reason in `problem`
// (no exception crosses the module's edge).
using HtCoderEntry = bool(const HtCoding& coding, const HtTile& tile, const std::uint8_t* rows,
                          std::size_t rowBytes, std::vector<std::uint8_t>& coded,
                          std::string& problem);

// Loads the coder module once; a Failure naming the module and the reason when it cannot.
void loadHtCoder();

} // namespace sips
