#pragma once

#include <cstdint>
#include <string>

namespace sips {

// A header can claim any size. These limits are checked before any buffer is sized from it, so a
// few hundred hostile bytes cannot cost gigabytes or minutes.
constexpr std::uint64_t largestPixelCount = 250'000'000;
constexpr std::uint64_t largestSide = 65535;

// Refuses a claimed size over the limits, or without pixels.
void checkClaimedSize(const std::string& path, std::uint64_t width, std::uint64_t height);

// Refuses a file that holds `available` bytes of image data when its format cannot store the
// claimed picture in fewer than `least`: it is truncated, or a bomb.
void checkDataSize(const std::string& path, std::uint64_t width, std::uint64_t height,
                   std::uint64_t available, std::uint64_t least);

// The header checks of a JPEG frame and a PNG image header, for the readers and the copies alike:
// the claimed size, and the file's bytes against the least the format can store it in.
void checkJpegFrame(const std::string& path, std::uint64_t width, std::uint64_t height,
                    std::uint64_t fileBytes);
void checkPngHeader(const std::string& path, std::uint64_t width, std::uint64_t height,
                    std::uint64_t bitsPerPixel, std::uint64_t fileBytes);

} // namespace sips
