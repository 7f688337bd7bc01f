#pragma once

#include "density.h"
#include "jpeg_writer.h"
#include "pixels.h"

#include <cstdio>
#include <optional>
#include <string>

namespace sips {

// What changes when a JPEG file is copied. Unset parts keep the source's segments.
struct JpegEdits {
    std::optional<Density> density;  // the JFIF density; a JFIF header is added where missing
    std::optional<JpegSegment> exif; // replaces the source's EXIF segment; empty bytes remove it
    std::optional<JpegSegment> xmp;  // replaces the source's XMP segment; empty bytes remove it
    bool dropPhotoshopResolution = false;
};

// Copies a JPEG file without decoding it: tables, frame and scans byte for byte, so the decoded
// samples are the source's, and the metadata segments with the edits applied. A kept segment that
// is malformed (EXIF or XMP that does not parse, a broken ICC profile sequence, Photoshop or
// Adobe blocks that do not add up) is dropped with a warning; carried sources are always left
// out. Memory does not grow with the picture. Returns the frame's size.
PictureSize copyJpeg(std::FILE* in, const std::string& source, std::FILE* out,
                     const std::string& target, const JpegEdits& edits);

} // namespace sips
