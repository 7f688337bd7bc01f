#include "file_kind.h"

#include "failure.h"
#include "stdio_file.h"

#include <array>
#include <cerrno>
#include <cstring>

namespace sips {

namespace {

template <std::size_t N>
bool startsWith(const std::array<unsigned char, 12>& head, std::size_t size,
                const unsigned char (&magic)[N]) {
    return size >= N && std::memcmp(head.data(), magic, N) == 0;
}

} // namespace

FileKind detectFileKind(const std::string& path) {
    FilePtr file = openForReading(path);
    std::array<unsigned char, 12> head{};
    const std::size_t size = std::fread(head.data(), 1, head.size(), file.get());

    static constexpr unsigned char jpeg[] = {0xFF, 0xD8, 0xFF};
    static constexpr unsigned char png[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    static constexpr unsigned char tiffLittle[] = {'I', 'I', 42, 0};
    static constexpr unsigned char tiffBig[] = {'M', 'M', 0, 42};
    static constexpr unsigned char jp2[] = {0,   0,   0,    12,   'j',  'P',
                                            ' ', ' ', '\r', '\n', 0x87, '\n'};
    static constexpr unsigned char j2k[] = {0xFF, 0x4F, 0xFF, 0x51};

    if (startsWith(head, size, jpeg))
        return FileKind::Jpeg;
    if (startsWith(head, size, png))
        return FileKind::Png;
    if (startsWith(head, size, tiffLittle) || startsWith(head, size, tiffBig))
        return FileKind::Tiff;
    if (startsWith(head, size, jp2))
        return FileKind::Jp2;
    if (startsWith(head, size, j2k))
        return FileKind::J2kCodestream;
    // A zero-length input is most often the placeholder of a step that failed before.
    throw Failure(path, size == 0 ? "no picture: the file holds no data (an earlier step may have "
                                    "failed)"
                                  : "not a picture this tool reads (JPEG, PNG, TIFF or JPEG 2000)");
}

} // namespace sips
