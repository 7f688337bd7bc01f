#include "mpf_index.h"

#include "binary_fields.h"
#include "exif_structure.h"

#include <span>

namespace sips {

namespace {

constexpr std::uint16_t mpEntryTag = 0xB002;
constexpr std::uint16_t undefinedType = 7;
constexpr std::size_t entrySize = 16; // attribute, size, offset (4 each), two dependent images

} // namespace

std::optional<std::vector<std::uint8_t>> relocatedMpfIndex(std::vector<std::uint8_t> payload,
                                                           const MpfPlacement& source,
                                                           std::uint64_t sourceSize,
                                                           const MpfPlacement& copy) {
    constexpr std::size_t signatureSize = sizeof mpfSignature;
    if (payload.size() < signatureSize + 8)
        return std::nullopt;
    const std::span<std::uint8_t> block = std::span(payload).subspan(signatureSize);
    // Every directory and value inside the segment, so the reads below stay in it.
    if (!exifStructureSound(block))
        return std::nullopt;
    const bool little = block[0] == 'I';
    const auto read = [&](std::size_t at, int size) {
        return readTiffNumber(&block[at], size, little);
    };
    const auto store = [&](std::size_t at, std::uint64_t value) {
        storeTiffNumber(&block[at], value, 4, little);
    };
    const std::uint64_t directory = read(4, 4);
    const std::uint64_t count = read(directory, 2);
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::size_t entry = directory + 2 + 12 * i;
        if (read(entry, 2) != mpEntryTag)
            continue;
        const std::uint64_t bytes = read(entry + 4, 4);
        if (read(entry + 2, 2) != undefinedType || bytes == 0 || bytes % entrySize != 0)
            return std::nullopt;
        const std::size_t values = read(entry + 8, 4);
        bool primary = false;
        for (std::size_t image = values; image < values + bytes; image += entrySize) {
            const std::uint64_t size = read(image + 4, 4);
            const std::uint64_t offset = read(image + 8, 4);
            if (offset == 0) { // the picture holding the index
                if (primary || copy.pictureEnd > 0xFFFFFFFFu)
                    return std::nullopt;
                primary = true;
                store(image + 4, copy.pictureEnd);
                continue;
            }
            const std::uint64_t at = source.indexAt + offset;
            if (at < source.pictureEnd || at + size > sourceSize)
                return std::nullopt;
            const std::uint64_t moved = copy.pictureEnd + (at - source.pictureEnd) - copy.indexAt;
            if (moved > 0xFFFFFFFFu)
                return std::nullopt;
            store(image + 8, moved);
        }
        return primary ? std::optional(std::move(payload)) : std::nullopt;
    }
    return std::nullopt;
}

} // namespace sips
