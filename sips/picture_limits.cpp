#include "picture_limits.h"

#include "failure.h"

#include <sys/stat.h>

namespace sips {

namespace {

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

std::uint64_t sizeOf(std::FILE* file) {
    struct stat info {};
    if (::fstat(::fileno(file), &info) != 0 || info.st_size < 0)
        return 0;
    return static_cast<std::uint64_t>(info.st_size);
}

} // namespace sips
