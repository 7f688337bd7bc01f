#pragma once

#include "pixels.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace sips {

// What a JP2 header says about colour, which OpenJPEG's tile decoder does not pass on.
struct Jp2ColourHints {
    enum class Space { Unknown, Grey, Rgb, Cmyk, Ycc };
    Space space = Space::Unknown;
    std::optional<int> alphaChannel; // from a channel definition box
};

// Reads the colour box (enumerated, or an ICC profile's colour space) and channel
// definition boxes from the JP2 header box of the file at `path`.
Jp2ColourHints readJp2ColourHints(const std::string& path);

// The start of a JP2 file for `layout` as OpenJPEG writes it (signature, file type, a header with
// size, depth and enumerated colour space) and an empty codestream box, for Exiv2 to add metadata
// to without the pixels: the codestream is streamed after the header boxes.
std::vector<std::uint8_t> jp2Skeleton(const Layout& layout);

// Sets the enumerated colour space of a JP2 file in memory back to the one `model` needs: Exiv2
// labels every file without an ICC profile sRGB. Returns false when it has no enumerated one.
bool relabelJp2ColourSpace(std::vector<std::uint8_t>& file, ColourModel model);

// The boxes before the codestream box of a JP2 file in memory; empty when it has none.
std::span<const std::uint8_t> jp2BoxesBeforeCodestream(const std::vector<std::uint8_t>& file);

} // namespace sips
