#pragma once

#include "pixels.h"

#include <cstdio>
#include <string>

namespace sips {

// Encodes rows losslessly (reversible 5/3 wavelet, one layer) as a tiled JP2, a band of tiles at a
// time, so memory follows the picture's width rather than its area. Metadata is added afterwards
// by Exiv2: OpenJPEG aborts when handed an ICC profile and cannot write resolution boxes.
void writeJp2(RowReader& source, std::FILE* out, const std::string& target);

} // namespace sips
