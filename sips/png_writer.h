#pragma once

#include "density.h"
#include "pixels.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace sips {

// Everything a PNG file carries besides its pixels.
struct PngExtras {
    std::optional<Density> density;
    std::vector<std::uint8_t> icc;  // iCCP; must match the colour model (grey or RGB)
    std::vector<std::uint8_t> exif; // eXIf: a TIFF structure without JPEG's "Exif" prefix
    std::string xmp;                // iTXt "XML:com.adobe.xmp"
};

// Encodes grey, grey+alpha, RGB or RGBA rows, 8- or 16-bit, as a non-interlaced PNG.
void writePng(RowReader& source, std::FILE* out, const std::string& target,
              const PngExtras& extras);

} // namespace sips
