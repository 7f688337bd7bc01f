#include "file_range.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <limits>
#include <memory>
#include <unistd.h>

namespace sips {

namespace {

struct Range {
    int descriptor;
    std::uint64_t offset;
    std::uint64_t length;
    std::uint64_t position = 0;
    // The stream's buffer; left uninitialised, so that pages never read into take no memory.
    std::unique_ptr<char[]> buffer = std::make_unique_for_overwrite<char[]>(bufferSize);
    static constexpr std::size_t bufferSize = std::size_t{1} << 14;
};

extern "C" ssize_t readRange(void* cookie, char* buffer, std::size_t size) {
    auto* range = static_cast<Range*>(cookie);
    if (range->position >= range->length) // also after a seek past the end
        return 0;
    const std::size_t wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(size, range->length - range->position));
    ssize_t got = -1;
    do
        got = ::pread(range->descriptor, buffer, wanted,
                      static_cast<off_t>(range->offset + range->position));
    while (got < 0 && errno == EINTR);
    if (got > 0)
        range->position += static_cast<std::uint64_t>(got);
    return got;
}

extern "C" int seekRange(void* cookie, off64_t* at, int whence) {
    auto* range = static_cast<Range*>(cookie);
    const std::int64_t base = whence == SEEK_SET   ? 0
                              : whence == SEEK_CUR ? static_cast<std::int64_t>(range->position)
                                                   : static_cast<std::int64_t>(range->length);
    if (*at < -base || *at > std::numeric_limits<std::int64_t>::max() - base) {
        errno = EINVAL;
        return -1;
    }
    range->position = static_cast<std::uint64_t>(base + *at);
    *at = static_cast<off64_t>(range->position);
    return 0;
}

extern "C" int closeRange(void* cookie) {
    delete static_cast<Range*>(cookie);
    return 0;
}

} // namespace

FilePtr openFileRange(int descriptor, std::uint64_t offset, std::uint64_t length) {
    auto range = std::make_unique<Range>(Range{descriptor, offset, length});
    FilePtr stream(::fopencookie(range.get(), "rb", {readRange, nullptr, seekRange, closeRange}));
    if (!stream)
        return stream;
    Range* owned = range.release(); // closeRange frees it with the stream
    std::setvbuf(stream.get(), owned->buffer.get(), _IOFBF, Range::bufferSize);
    return stream;
}

} // namespace sips
