#pragma once

#include "binary_fields.h"
#include "density.h"
#include "pixels.h"

#include <cstdio>
#include <functional>
#include <jpeglib.h>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace sips {

// One APPn or COM segment: its marker code and payload (signature included, length excluded).
struct JpegSegment {
    int marker = 0;
    std::vector<std::uint8_t> bytes;
};

using JpegBytesWriter = std::function<void(std::span<const std::uint8_t>)>;

// Everything a JPEG file carries besides its pixels.
struct JpegExtras {
    std::optional<Density> density;
    std::vector<JpegSegment> segments; // written in this order, after the JFIF header
    std::vector<std::uint8_t> icc;     // split into APP2 segments by libjpeg
    // Writes further segments last, whole and straight into the file through the function it is
    // given, for data too large to hold in memory.
    std::function<void(const JpegBytesWriter&)> streamedSegments;
};

// Asks for a JFIF header with the density, also for CMYK where libjpeg leaves it out: readers
// take the resolution from it.
void requestJfifHeader(jpeg_compress_struct& info, const std::optional<Density>& density);

// Whether libjpeg can write a picture of this size: at most 65500 pixels a side, a little less
// than the 65535 a JPEG frame records.
inline bool jpegCanHold(const Layout& layout) {
    return layout.width <= JPEG_MAX_DIMENSION && layout.height <= JPEG_MAX_DIMENSION;
}

// Encodes 8-bit grey, RGB or CMYK rows as a baseline JPEG at quality 97 without chroma
// subsampling, which keeps photographs and dithered palette pictures above 40 dB PSNR.
void writeJpeg(RowReader& source, std::FILE* out, const std::string& target,
               const JpegExtras& extras);

} // namespace sips
