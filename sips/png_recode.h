#pragma once

#include "density.h"
#include "pixels.h"

#include <cstdio>
#include <optional>
#include <string>

namespace sips {

// Encodes anew a PNG file that libpng reads but whose chunks copyPng refuses (no end chunk, an
// ancillary chunk whose CRC does not match): the same rows at the same bit depth and colour type,
// with the same palette and transparency, not interlaced. The other ancillary chunks travel as
// they are, except that pHYs records `density` and an eXIf block its resolution when `density`
// is set; a chunk libpng cannot read is left out with a warning. `path` is opened, `source`
// named in messages. Returns the picture's size.
PictureSize recodePng(const std::string& path, const std::string& source, std::FILE* out,
                      const std::string& target, const std::optional<Density>& density);

} // namespace sips
