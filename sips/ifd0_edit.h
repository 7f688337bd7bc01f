#pragma once

#include "density.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace sips {

// One value for an IFD0 entry: a SHORT or LONG (`numerator` alone) or a RATIONAL, count 1.
struct Ifd0Value {
    static constexpr std::uint16_t shortType = 3;
    static constexpr std::uint16_t longType = 4;
    static constexpr std::uint16_t rationalType = 5;

    std::uint16_t tag = 0;
    std::uint16_t type = shortType;
    std::uint32_t numerator = 0;
    std::uint32_t denominator = 1;
};

// The resolution tags (XResolution, YResolution, ResolutionUnit) recording `density`.
std::vector<Ifd0Value> densityValues(const Density& density);

// The EXIF block (a TIFF structure) with these IFD0 entries set, every other byte kept so that
// whatever an offset points to (makers' notes included) stays where it was. An entry of the
// same type and count 1 whose value no other entry shares is patched in place. Otherwise a new
// IFD0 (the old entries and the new ones, ordered by tag) is put at the end of the block and
// the header points to it; values held apart keep their offsets. Nullopt when the block cannot
// be edited safely: its directories do not hold together, or IFD0 cannot grow.
std::optional<std::vector<std::uint8_t>> withIfd0Values(std::span<const std::uint8_t> block,
                                                        std::span<const Ifd0Value> values);

} // namespace sips
