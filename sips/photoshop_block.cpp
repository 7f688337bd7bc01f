#include "photoshop_block.h"

#include "binary_fields.h"

#include <algorithm>
#include <cstring>

namespace sips {

namespace {

constexpr std::uint16_t resolutionInfo = 0x03ED;

bool knownResourceSignature(std::span<const std::uint8_t> at) {
    for (const char* signature : {"8BIM", "PHUT", "AgHg", "DCSR", "MeSa"}) {
        if (std::memcmp(at.data(), signature, 4) == 0)
            return true;
    }
    return false;
}

} // namespace

std::optional<std::vector<std::uint8_t>>
checkedPhotoshopBlock(std::span<const std::uint8_t> payload, bool dropResolution) {
    constexpr std::size_t headerSize = sizeof photoshopSignature; // signature and its NUL
    if (!startsWith(payload, photoshopSignature))
        return std::nullopt;

    std::vector<std::uint8_t> kept(payload.begin(), payload.begin() + headerSize);
    bool keptAny = false;
    std::size_t at = headerSize;
    while (at < payload.size()) {
        // signature (4), id (2), Pascal name padded to even length, size (4), data padded to even
        if (payload.size() - at < 7 || !knownResourceSignature(payload.subspan(at)))
            return std::nullopt;
        const std::size_t start = at;
        const auto id = static_cast<std::uint16_t>(readBigEndian(&payload[at + 4], 2));
        std::size_t nameLength = payload[at + 6] + 1u;
        nameLength += nameLength % 2;
        at += 6 + nameLength;
        if (at > payload.size() || payload.size() - at < 4)
            return std::nullopt;
        std::size_t dataLength = readBigEndian(&payload[at], 4);
        at += 4;
        if (dataLength > payload.size() - at)
            return std::nullopt;
        // The pad byte may be missing after the last resource.
        dataLength = std::min(dataLength + dataLength % 2, payload.size() - at);
        at += dataLength;
        if (dropResolution && id == resolutionInfo)
            continue;
        kept.insert(kept.end(), payload.begin() + static_cast<std::ptrdiff_t>(start),
                    payload.begin() + static_cast<std::ptrdiff_t>(at));
        keptAny = true;
    }
    if (!keptAny)
        kept.clear();
    return kept;
}

} // namespace sips
