#include "picture_limits.h"

#include "failure.h"

namespace sips {

namespace {

// The most pixels one byte of a JPEG file can describe: Huffman coding spends at least one bit
// on each 8x8 block (512 pixels a byte); a sixteenth of that leaves room for arithmetic coding.
constexpr std::uint64_t densestPixelsPerByte = 4096;

// Deflate cannot compress more than 1032 to 1, so a file smaller than its filtered rows over 1032
// cannot hold them.
constexpr std::uint64_t deflateMostRatio = 1032;

std::string dimensions(std::uint64_t width, std::uint64_t height) {
    return std::to_string(width) + "x" + std::to_string(height) + " pixels";
}

} // namespace

void checkClaimedSize(const std::string& path, std::uint64_t width, std::uint64_t height) {
    if (width == 0 || height == 0)
        throw Failure(path, "picture without pixels (" + dimensions(width, height) + ")");
    if (width > largestSide || height > largestSide || width * height > largestPixelCount)
        throw Failure(path, "picture too large: " + dimensions(width, height) +
                                " (the limit is 250 megapixels and 65535 pixels a side)");
}

void checkDataSize(const std::string& path, std::uint64_t width, std::uint64_t height,
                   std::uint64_t available, std::uint64_t least) {
    if (available < least)
        throw Failure(path, "file far too small for the " + dimensions(width, height) +
                                " it claims (truncated or damaged)");
}

void checkJpegFrame(const std::string& path, std::uint64_t width, std::uint64_t height,
                    std::uint64_t fileBytes) {
    checkClaimedSize(path, width, height);
    checkDataSize(path, width, height, fileBytes, width * height / densestPixelsPerByte);
}

void checkPngHeader(const std::string& path, std::uint64_t width, std::uint64_t height,
                    std::uint64_t bitsPerPixel, std::uint64_t fileBytes) {
    checkClaimedSize(path, width, height);
    const std::uint64_t filteredBytes = height * (1 + (width * bitsPerPixel + 7) / 8);
    checkDataSize(path, width, height, fileBytes, filteredBytes / deflateMostRatio);
}

} // namespace sips
