#pragma once

#include "jpeg_writer.h"

#include <optional>
#include <string>

namespace sips {

// What changes when JPEG data is written again as JPEG. Unset parts keep the source's segments.
struct JpegEdits {
    std::optional<Density> density;
    std::optional<JpegSegment> exif; // replaces the source's EXIF segment
    std::optional<JpegSegment> xmp;  // replaces the source's XMP segment
    bool dropPhotoshopResolution = false;
};

// Copies the source's DCT coefficients into a new file, so the pixels are not encoded again, and
// rewrites only the marker segments: a new JFIF header, the edits, every other segment as it was.
void transcodeJpeg(const std::string& source, std::FILE* out, const std::string& target,
                   const JpegEdits& edits);

} // namespace sips
