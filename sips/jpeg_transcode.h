#pragma once

#include "jpeg_segment_plan.h"
#include "pixels.h"

#include <cstdio>
#include <string>

namespace sips {

// Copies a JPEG file that libjpeg reads but whose structure copyJpeg refuses (stray bytes between
// segments, say) by its quantised DCT coefficients: the same coefficients under the same
// quantisation tables give the same samples. Progressive or sequential coding, the restart
// interval and arithmetic coding stay as they were; the Huffman tables are made anew. The metadata
// segments are those copyJpeg keeps, bar a Multi-Picture index; the bytes after the picture follow
// as they are. `path` is opened, `source` named in messages. Returns the picture's size.
PictureSize transcodeJpeg(const std::string& path, const std::string& source, std::FILE* out,
                          const std::string& target, const JpegEdits& edits);

} // namespace sips
