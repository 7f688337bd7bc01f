#pragma once

#include "pixels.h"

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

namespace sips {

// Writes a JP2 file: the boxes before the codestream, made beforehand (OpenJPEG aborts when handed
// an ICC profile and cannot write metadata), then the rows encoded losslessly (reversible 5/3
// wavelet, one layer) as a tiled codestream, a band of tiles at a time, so memory follows the
// picture's width rather than its area and the file is written once.
void writeJp2(RowReader& source, std::span<const std::uint8_t> header, std::FILE* out,
              const std::string& target);

} // namespace sips
