#include "jp2_boxes.h"

#include "stdio_file.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace sips {

namespace {

std::uint64_t bigEndian(const std::uint8_t* bytes, int count) {
    std::uint64_t value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << 8) | bytes[i];
    return value;
}

Jp2ColourHints::Space fromEnumerated(std::uint64_t code) {
    switch (code) {
    case 16:
        return Jp2ColourHints::Space::Rgb;
    case 17:
        return Jp2ColourHints::Space::Grey;
    case 12:
        return Jp2ColourHints::Space::Cmyk;
    case 18:
    case 24:
        return Jp2ColourHints::Space::Ycc;
    default:
        return Jp2ColourHints::Space::Unknown;
    }
}

Jp2ColourHints::Space fromProfile(const std::uint8_t* profile, std::size_t size) {
    if (size < 20)
        return Jp2ColourHints::Space::Unknown;
    const std::string space(reinterpret_cast<const char*>(profile) + 16, 4);
    if (space == "RGB ")
        return Jp2ColourHints::Space::Rgb;
    if (space == "GRAY")
        return Jp2ColourHints::Space::Grey;
    if (space == "CMYK")
        return Jp2ColourHints::Space::Cmyk;
    return Jp2ColourHints::Space::Unknown;
}

void readHeaderBox(const std::vector<std::uint8_t>& box, Jp2ColourHints& hints) {
    std::size_t at = 0;
    while (box.size() - at >= 8) {
        const std::uint64_t length = bigEndian(&box[at], 4);
        const std::string type(reinterpret_cast<const char*>(&box[at + 4]), 4);
        if (length < 8 || length > box.size() - at)
            return;
        const std::uint8_t* body = &box[at + 8];
        const std::size_t bodySize = static_cast<std::size_t>(length) - 8;
        if (type == "colr" && bodySize >= 3 && hints.space == Jp2ColourHints::Space::Unknown) {
            if (body[0] == 1 && bodySize >= 7)
                hints.space = fromEnumerated(bigEndian(body + 3, 4));
            else if (body[0] == 2)
                hints.space = fromProfile(body + 3, bodySize - 3);
        } else if (type == "cdef" && bodySize >= 2) {
            const std::uint64_t count = bigEndian(body, 2);
            for (std::uint64_t i = 0; i < count && 2 + (i + 1) * 6 <= bodySize; ++i) {
                const std::uint8_t* entry = body + 2 + i * 6;
                const std::uint64_t channelType = bigEndian(entry + 2, 2);
                if (channelType == 1 || channelType == 2)
                    hints.alphaChannel = static_cast<int>(bigEndian(entry, 2));
            }
        }
        at += static_cast<std::size_t>(length);
    }
}

// Reads the JP2 header box's body, leaving `offset` at its first byte in the file.
std::vector<std::uint8_t> readHeaderBoxBody(std::FILE* file, long& offset) {
    std::uint8_t header[16];
    // The JP2 header box comes before the codestream; only boxes up to it are read.
    while (std::fread(header, 1, 8, file) == 8) {
        std::uint64_t length = bigEndian(header, 4);
        std::uint64_t headerSize = 8;
        if (length == 1) {
            if (std::fread(header + 8, 1, 8, file) != 8)
                break;
            length = bigEndian(header + 8, 8);
            headerSize = 16;
        }
        const bool jp2Header = std::memcmp(header + 4, "jp2h", 4) == 0;
        if (std::memcmp(header + 4, "jp2c", 4) == 0 || length < headerSize || length == 0)
            break;
        const std::uint64_t bodySize = length - headerSize;
        if (jp2Header) {
            if (bodySize > (1u << 24))
                break;
            offset = std::ftell(file);
            std::vector<std::uint8_t> box(static_cast<std::size_t>(bodySize));
            if (std::fread(box.data(), 1, box.size(), file) != box.size())
                break;
            return box;
        }
        if (std::fseek(file, static_cast<long>(bodySize), SEEK_CUR) != 0)
            break;
    }
    return {};
}

} // namespace

Jp2ColourHints readJp2ColourHints(const std::string& path) {
    Jp2ColourHints hints;
    FilePtr file = openForReading(path);
    long offset = 0;
    readHeaderBox(readHeaderBoxBody(file.get(), offset), hints);
    return hints;
}

bool relabelJp2ColourSpace(const std::string& path, std::uint32_t code) {
    FilePtr file(std::fopen(path.c_str(), "r+b"));
    if (!file)
        return false;
    long offset = 0;
    const std::vector<std::uint8_t> box = readHeaderBoxBody(file.get(), offset);
    std::size_t at = 0;
    while (box.size() - at >= 8) {
        const std::uint64_t length = bigEndian(&box[at], 4);
        if (length < 8 || length > box.size() - at)
            return false;
        if (std::memcmp(&box[at + 4], "colr", 4) == 0 && length >= 15 && box[at + 8] == 1) {
            const std::uint8_t bytes[4] = {
                static_cast<std::uint8_t>(code >> 24), static_cast<std::uint8_t>(code >> 16),
                static_cast<std::uint8_t>(code >> 8), static_cast<std::uint8_t>(code)};
            return std::fseek(file.get(), offset + static_cast<long>(at) + 11, SEEK_SET) == 0 &&
                   std::fwrite(bytes, 1, 4, file.get()) == 4 && std::fflush(file.get()) == 0;
        }
        at += static_cast<std::size_t>(length);
    }
    return false;
}

} // namespace sips
