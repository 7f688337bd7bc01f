#pragma once

#include "pixels.h"

#include <cstdint>

namespace sips {

// A YCbCr picture whose Cb and Cr planes hold one sample per `across` x `down` pixels, as a JPEG
// stores it. A RowReader delivers such planes as row groups, each `down` luma rows of the
// picture's width followed by one Cb and one Cr row of chromaWidth(): a band of groups then holds
// the same rows of the picture in all three planes. The last group's luma rows below the picture
// are padding.
struct YccPlanes {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t across = 1;
    std::uint32_t down = 1;

    std::uint32_t chromaWidth() const { return (width + across - 1) / across; }
    std::uint32_t chromaHeight() const { return (height + down - 1) / down; }
    std::size_t groupBytes() const {
        return std::size_t{down} * width + 2 * std::size_t{chromaWidth()};
    }
    // What the RowReader says: one group is one "row" of grey bytes.
    Layout groupLayout() const {
        return {static_cast<std::uint32_t>(groupBytes()), chromaHeight(), ColourModel::Grey, 8};
    }
};

} // namespace sips
