#pragma once

#include "density.h"
#include "pixels.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace sips {

// Copies a PNG file chunk by chunk without decoding it: the image data and every other chunk as
// they are, except that pHYs records `density` and an eXIf block its resolution (when `density`
// is set). Every chunk's length and CRC are checked on the way; one that does not add up is a
// Failure, as is a file without IHDR first or IEND last. Returns the picture's size.
PictureSize copyPng(std::FILE* in, const std::string& source, std::FILE* out,
                    const std::string& target, const std::optional<Density>& density);

} // namespace sips
