#pragma once

#include <cstdint>
#include <span>

namespace sips {

// Whether an EXIF block (a TIFF structure: byte order, 42, IFD0 offset, then IFDs) holds
// together: every directory it links to (IFD0, IFD1, EXIF, GPS, interoperability) and every value
// its entries point to lies inside the block, and no directory is reached twice. Exiv2 reads past
// such faults, but other readers reject a file that carries them.
bool exifStructureSound(std::span<const std::uint8_t> block);

} // namespace sips
