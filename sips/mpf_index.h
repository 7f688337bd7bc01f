#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace sips {

// The Multi-Picture Format index: an APP2 segment of "MPF\0" and a TIFF structure listing the
// images a JPEG file holds. The first is the file's own picture (offset 0); the others follow its
// end-of-image marker, at offsets counted from the index's TIFF header.
inline constexpr char mpfSignature[] = "MPF"; // with its NUL: 4 bytes

// Where an index and the picture holding it lie in a file.
struct MpfPlacement {
    std::uint64_t indexAt = 0;    // the index's TIFF header
    std::uint64_t pictureEnd = 0; // just past the picture's end-of-image marker
};

// The segment payload `payload` (signature included) with its index rewritten for a copy that
// moved the index and the picture's end from `source` to `copy` and keeps the bytes after the
// picture as they are. nullopt when the index is malformed or lists an image that is not wholly
// in those bytes (`sourceSize` long in all).
std::optional<std::vector<std::uint8_t>> relocatedMpfIndex(std::vector<std::uint8_t> payload,
                                                           const MpfPlacement& source,
                                                           std::uint64_t sourceSize,
                                                           const MpfPlacement& copy);

} // namespace sips
