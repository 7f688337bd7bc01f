#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace sips {

// What a JP2 header says about colour, which OpenJPEG's tile decoder does not pass on.
struct Jp2ColourHints {
    enum class Space { Unknown, Grey, Rgb, Cmyk, Ycc };
    Space space = Space::Unknown;
    std::optional<int> alphaChannel; // from a channel definition box
};

// Reads the colour specification (enumerated, or an ICC profile's colour space) and channel
// definition boxes from the JP2 header box of the file at `path`.
Jp2ColourHints readJp2ColourHints(const std::string& path);

// Enumerated colour spaces of a JP2 colour specification box.
inline constexpr std::uint32_t jp2Cmyk = 12;
inline constexpr std::uint32_t jp2Grey = 17;

// Rewrites the enumerated colour space in the file's colour specification box. Exiv2 labels
// every file without an ICC profile sRGB. Returns false when the file has no enumerated one.
bool relabelJp2ColourSpace(const std::string& path, std::uint32_t code);

} // namespace sips
