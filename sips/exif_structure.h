#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace sips {

// Whether an EXIF block (a TIFF structure: byte order, 42, IFD0 offset, then IFDs) holds
// together: every directory it links to (IFD0, IFD1, EXIF, GPS, interoperability) and every value
// its entries point to lies inside the block, and no directory is reached twice. Exiv2 reads past
// such faults, but other readers reject a file that carries them.
bool exifStructureSound(std::span<const std::uint8_t> block);

// Bytes of the block that something points to: a directory or an entry's value held apart.
struct ExifRange {
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    bool overlaps(const ExifRange& other) const {
        return offset < other.offset + other.size && other.offset < offset + size;
    }
};

// Every range the block's directories point to (directories, values held apart, the thumbnail),
// or nullopt when the block does not hold together as exifStructureSound judges it.
std::optional<std::vector<ExifRange>> exifRanges(std::span<const std::uint8_t> block);

} // namespace sips
