#include "png_skeleton.h"

#include "binary_fields.h"

#include <array>
#include <cstring>

namespace sips {

std::optional<std::vector<std::uint8_t>> pngWithoutImageData(std::FILE* in, std::size_t limit) {
    static constexpr std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> kept(sizeof signature);
    if (std::fread(kept.data(), 1, kept.size(), in) != kept.size() ||
        std::memcmp(kept.data(), signature, sizeof signature) != 0)
        return std::nullopt;
    std::array<std::uint8_t, 1 << 12> passed; // image data, read past
    for (;;) {
        std::uint8_t head[8];
        if (std::fread(head, 1, sizeof head, in) != sizeof head)
            return std::nullopt; // no IEND
        const std::uint64_t length = readBigEndian(head, 4);
        if (length > 0x7FFFFFFF)
            return std::nullopt;
        const std::uint64_t rest = length + 4; // data and CRC
        if (std::memcmp(head + 4, "IDAT", 4) == 0) {
            for (std::uint64_t left = rest; left > 0;) {
                const std::size_t step =
                    static_cast<std::size_t>(std::min<std::uint64_t>(left, passed.size()));
                if (std::fread(passed.data(), 1, step, in) != step)
                    return std::nullopt;
                left -= step;
            }
            continue;
        }
        if (rest > limit - std::min(limit, kept.size() + sizeof head))
            return std::nullopt;
        const std::size_t at = kept.size();
        kept.insert(kept.end(), head, head + sizeof head);
        kept.resize(at + sizeof head + rest);
        if (std::fread(kept.data() + at + sizeof head, 1, rest, in) != rest)
            return std::nullopt;
        if (std::memcmp(head + 4, "IEND", 4) == 0)
            return std::fgetc(in) == EOF ? std::optional(std::move(kept)) : std::nullopt;
    }
}

} // namespace sips
