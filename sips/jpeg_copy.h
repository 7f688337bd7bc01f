#pragma once

#include "jpeg_segment_plan.h"
#include "pixels.h"

#include <cstdio>
#include <string>

namespace sips {

// Copies a JPEG file without decoding it: tables, frame and scans byte for byte, so the decoded
// samples are the source's, and the metadata segments as JpegSegmentPlan keeps them. Memory does
// not grow with the picture. Returns the frame's size.
PictureSize copyJpeg(std::FILE* in, const std::string& source, std::FILE* out,
                     const std::string& target, const JpegEdits& edits);

} // namespace sips
