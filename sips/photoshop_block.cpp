#include "photoshop_block.h"

#include <cstring>

namespace sips {

namespace {

constexpr std::uint16_t resolutionInfo = 0x03ED;

std::uint32_t bigEndian(const std::uint8_t* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << 8) | bytes[i];
    return value;
}

} // namespace

std::vector<std::uint8_t> withoutPhotoshopResolution(const std::vector<std::uint8_t>& payload) {
    constexpr std::size_t headerSize = sizeof photoshopSignature; // signature and its NUL
    if (payload.size() < headerSize ||
        std::memcmp(payload.data(), photoshopSignature, headerSize) != 0)
        return {};

    std::vector<std::uint8_t> kept(payload.begin(), payload.begin() + headerSize);
    bool keptAny = false;
    std::size_t at = headerSize;
    while (at < payload.size()) {
        // signature (4), id (2), Pascal name padded to even length, size (4), data padded to even
        if (payload.size() - at < 7)
            return {};
        const std::size_t start = at;
        const auto id = static_cast<std::uint16_t>(bigEndian(&payload[at + 4], 2));
        std::size_t nameLength = payload[at + 6] + 1u;
        nameLength += nameLength % 2;
        at += 6 + nameLength;
        if (at + 4 > payload.size())
            return {};
        std::size_t dataLength = bigEndian(&payload[at], 4);
        dataLength += dataLength % 2;
        at += 4;
        if (dataLength > payload.size() - at)
            return {};
        at += dataLength;
        if (id == resolutionInfo)
            continue;
        kept.insert(kept.end(), payload.begin() + static_cast<std::ptrdiff_t>(start),
                    payload.begin() + static_cast<std::ptrdiff_t>(at));
        keptAny = true;
    }
    return keptAny ? kept : std::vector<std::uint8_t>{};
}

} // namespace sips
