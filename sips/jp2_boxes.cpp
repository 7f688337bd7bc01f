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

std::uint32_t enumeratedColourSpace(ColourModel model) {
    switch (model) {
    case ColourModel::Grey:
    case ColourModel::GreyAlpha:
        return 17;
    case ColourModel::Cmyk:
        return 12;
    default:
        return 16; // sRGB
    }
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

// Reads the JP2 header box's body.
std::vector<std::uint8_t> readHeaderBoxBody(std::FILE* file) {
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
    readHeaderBox(readHeaderBoxBody(file.get()), hints);
    return hints;
}

std::vector<std::uint8_t> jp2Skeleton(const Layout& layout) {
    std::vector<std::uint8_t> file;
    const auto put = [&file](std::uint64_t value, int bytes) {
        for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
            file.push_back(static_cast<std::uint8_t>(value >> shift));
    };
    const auto box = [&](std::uint32_t length, const char* type) {
        put(length, 4);
        file.insert(file.end(), type, type + 4);
    };
    box(12, "jP  ");
    put(0x0D0A870A, 4);
    box(20, "ftyp");
    file.insert(file.end(), {'j', 'p', '2', ' ', 0, 0, 0, 0, 'j', 'p', '2', ' '});
    box(8 + 22 + 15, "jp2h");
    box(22, "ihdr");
    put(layout.height, 4);
    put(layout.width, 4);
    put(static_cast<std::uint64_t>(layout.channels()), 2);
    put(static_cast<std::uint64_t>(layout.bits - 1), 1);
    put(7, 1); // wavelet compression
    put(0, 2); // colour space known, no intellectual property box
    box(15, "colr");
    put(1, 1); // enumerated
    put(0, 2); // no precedence or approximation
    put(enumeratedColourSpace(layout.model), 4);
    box(8, "jp2c");
    return file;
}

bool relabelJp2ColourSpace(std::vector<std::uint8_t>& file, ColourModel model) {
    const std::uint32_t code = enumeratedColourSpace(model);
    for (std::size_t at = 0; file.size() - at >= 8;) {
        const std::uint64_t length = bigEndian(&file[at], 4);
        if (length < 8 || length > file.size() - at)
            return false;
        if (std::memcmp(&file[at + 4], "jp2h", 4) == 0) {
            const std::size_t end = at + static_cast<std::size_t>(length);
            for (std::size_t inner = at + 8; end - inner >= 8;) {
                const std::uint64_t size = bigEndian(&file[inner], 4);
                if (size < 8 || size > end - inner)
                    return false;
                if (std::memcmp(&file[inner + 4], "colr", 4) == 0 && size >= 15 &&
                    file[inner + 8] == 1) {
                    for (int i = 0; i < 4; ++i)
                        file[inner + 11 + i] = static_cast<std::uint8_t>(code >> (24 - 8 * i));
                    return true;
                }
                inner += static_cast<std::size_t>(size);
            }
            return false;
        }
        at += static_cast<std::size_t>(length);
    }
    return false;
}

std::span<const std::uint8_t> jp2BoxesBeforeCodestream(const std::vector<std::uint8_t>& file) {
    for (std::size_t at = 0; file.size() - at >= 8;) {
        if (std::memcmp(&file[at + 4], "jp2c", 4) == 0)
            return {file.data(), at};
        const std::uint64_t length = bigEndian(&file[at], 4);
        if (length < 8 || length > file.size() - at)
            break;
        at += static_cast<std::size_t>(length);
    }
    return {};
}

} // namespace sips
