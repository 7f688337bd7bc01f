#pragma once

#include <string>

namespace sips {

// Whether a PNG holds every sample of the TIFF file at `path`: one page of unsigned grey, RGB or
// palette samples (CMYK, floating point, deeper than 16 bits and several pages do not fit), and
// 16-bit samples stored in strips of interleaved samples, which the TIFF reader keeps 16-bit.
bool pngHoldsTiff(const std::string& path);

} // namespace sips
