#include "mpf_index.h"

#include "exif_structure.h"

#include <span>

namespace sips {

namespace {

constexpr std::uint16_t mpEntryTag = 0xB002;
constexpr std::uint16_t undefinedType = 7;
constexpr std::size_t entrySize = 16; // attribute, size, offset (4 each), two dependent images

// Numbers of a TIFF structure in its own byte order; bounds are checked by the caller.
class TiffNumbers final {
public:
    explicit TiffNumbers(std::span<std::uint8_t> block)
        : block_(block)
        , little_(block[0] == 'I') {}

    std::uint64_t read(std::size_t at, int size) const {
        std::uint64_t value = 0;
        for (int i = 0; i < size; ++i) {
            const std::uint64_t byte = block_[at + static_cast<std::size_t>(i)];
            value |= little_ ? byte << (8 * i) : byte << (8 * (size - 1 - i));
        }
        return value;
    }

    void store32(std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            block_[at + static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(value >> (little_ ? 8 * i : 8 * (3 - i)));
    }

private:
    std::span<std::uint8_t> block_;
    bool little_;
};

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
    TiffNumbers numbers(block);
    const std::uint64_t directory = numbers.read(4, 4);
    const std::uint64_t count = numbers.read(directory, 2);
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::size_t entry = directory + 2 + 12 * i;
        if (numbers.read(entry, 2) != mpEntryTag)
            continue;
        const std::uint64_t bytes = numbers.read(entry + 4, 4);
        if (numbers.read(entry + 2, 2) != undefinedType || bytes == 0 || bytes % entrySize != 0)
            return std::nullopt;
        const std::size_t values = numbers.read(entry + 8, 4);
        bool primary = false;
        for (std::size_t image = values; image < values + bytes; image += entrySize) {
            const std::uint64_t size = numbers.read(image + 4, 4);
            const std::uint64_t offset = numbers.read(image + 8, 4);
            if (offset == 0) { // the picture holding the index
                if (primary || copy.pictureEnd > 0xFFFFFFFFu)
                    return std::nullopt;
                primary = true;
                numbers.store32(image + 4, static_cast<std::uint32_t>(copy.pictureEnd));
                continue;
            }
            const std::uint64_t at = source.indexAt + offset;
            if (at < source.pictureEnd || at + size > sourceSize)
                return std::nullopt;
            const std::uint64_t moved = copy.pictureEnd + (at - source.pictureEnd) - copy.indexAt;
            if (moved > 0xFFFFFFFFu)
                return std::nullopt;
            numbers.store32(image + 8, static_cast<std::uint32_t>(moved));
        }
        return primary ? std::optional(std::move(payload)) : std::nullopt;
    }
    return std::nullopt;
}

} // namespace sips
