#include "jp2_boxes.h"

#include "binary_fields.h"
#include "stdio_file.h"

namespace sips {

namespace {

constexpr std::size_t largestHeaderBox = 1u << 24;

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
        return Jp2ColourHints::Space::Sycc;
    case 24:
        return Jp2ColourHints::Space::OtherYcc;
    default:
        return Jp2ColourHints::Space::Unknown;
    }
}

Jp2ColourHints::Space fromProfile(std::span<const std::uint8_t> profile) {
    if (profile.size() < 20)
        return Jp2ColourHints::Space::Unknown;
    const std::string space(reinterpret_cast<const char*>(profile.data()) + 16, 4);
    if (space == "RGB ")
        return Jp2ColourHints::Space::Rgb;
    if (space == "GRAY")
        return Jp2ColourHints::Space::Grey;
    if (space == "CMYK")
        return Jp2ColourHints::Space::Cmyk;
    return Jp2ColourHints::Space::Unknown;
}

Jp2ColourHints readHeaderBox(std::span<const std::uint8_t> header) {
    Jp2ColourHints hints;
    Jp2BoxIterator boxes(header);
    while (const std::optional<Jp2Box> box = boxes.next()) {
        const std::span<const std::uint8_t> body = boxes.content(*box);
        if (box->type == "colr" && body.size() >= 3 &&
            hints.space == Jp2ColourHints::Space::Unknown) {
            if (body[0] == 1 && body.size() >= 7)
                hints.space = fromEnumerated(readBigEndian(&body[3], 4));
            else if (body[0] == 2)
                hints.space = fromProfile(body.subspan(3));
        } else if (box->type == "cdef" && body.size() >= 2) {
            const std::uint64_t count = readBigEndian(body.data(), 2);
            for (std::uint64_t i = 0; i < count && 2 + (i + 1) * 6 <= body.size(); ++i) {
                const std::uint8_t* entry = &body[2 + i * 6];
                const std::uint64_t channelType = readBigEndian(entry + 2, 2);
                if (channelType == 1 || channelType == 2)
                    hints.alphaChannel = static_cast<int>(readBigEndian(entry, 2));
            }
        }
    }
    return hints;
}

// The first box of `type` among `bytes`, with its content.
std::optional<std::span<const std::uint8_t>> findBox(std::span<const std::uint8_t> bytes,
                                                     std::string_view type) {
    Jp2BoxIterator boxes(bytes);
    while (const std::optional<Jp2Box> box = boxes.next()) {
        if (box->type == type)
            return boxes.content(*box);
    }
    return std::nullopt;
}

} // namespace

std::optional<Jp2Box> Jp2BoxIterator::next() {
    if (bytes_.size() - at_ < 8)
        return std::nullopt;
    const std::uint8_t* header = &bytes_[at_];
    std::uint64_t length = readBigEndian(header, 4);
    std::uint64_t headerSize = 8;
    if (length == 1) {
        if (bytes_.size() - at_ < 16)
            return std::nullopt;
        length = readBigEndian(header + 8, 8);
        headerSize = 16;
    } else if (length == 0) {
        length = bytes_.size() - at_;
    }
    if (length < headerSize || length > bytes_.size() - at_)
        return std::nullopt;
    const Jp2Box box{
        {reinterpret_cast<const char*>(header + 4), 4}, at_ + headerSize, length - headerSize};
    at_ += length;
    return box;
}

Jp2FileBoxIterator::Jp2FileBoxIterator(std::FILE* file)
    : file_(file)
    , fileSize_(sizeOf(file)) {}

std::optional<Jp2Box> Jp2FileBoxIterator::next() {
    std::uint8_t header[16];
    if (fileSize_ - at_ < 8 || std::fseek(file_, static_cast<long>(at_), SEEK_SET) != 0 ||
        std::fread(header, 1, 8, file_) != 8)
        return std::nullopt;
    std::uint64_t length = readBigEndian(header, 4);
    std::uint64_t headerSize = 8;
    if (length == 1) {
        if (std::fread(header + 8, 1, 8, file_) != 8)
            return std::nullopt;
        length = readBigEndian(header + 8, 8);
        headerSize = 16;
    } else if (length == 0) {
        length = fileSize_ - at_;
    }
    if (length < headerSize || length > fileSize_ - at_)
        return std::nullopt;
    std::memcpy(type_, header + 4, 4);
    const Jp2Box box{{type_, 4}, at_ + headerSize, length - headerSize};
    at_ += length;
    return box;
}

std::optional<std::vector<std::uint8_t>> readJp2Box(std::FILE* file, const Jp2Box& box,
                                                    std::size_t limit) {
    if (box.contentSize > limit ||
        std::fseek(file, static_cast<long>(box.contentOffset), SEEK_SET) != 0)
        return std::nullopt;
    std::vector<std::uint8_t> content(static_cast<std::size_t>(box.contentSize));
    if (std::fread(content.data(), 1, content.size(), file) != content.size())
        return std::nullopt;
    return content;
}

Jp2ColourHints readJp2ColourHints(const std::string& path) {
    FilePtr file = openForReading(path);
    Jp2FileBoxIterator boxes(file.get());
    // The JP2 header box comes before the codestream; only boxes up to it are read.
    while (const std::optional<Jp2Box> box = boxes.next()) {
        if (box->type == "jp2c")
            break;
        if (box->type == "jp2h") {
            const auto content = readJp2Box(file.get(), *box, largestHeaderBox);
            return content ? readHeaderBox(*content) : Jp2ColourHints{};
        }
    }
    return {};
}

std::optional<PictureSize> jp2PictureSize(std::span<const std::uint8_t> headerContent) {
    const auto imageHeader = findBox(headerContent, "ihdr");
    if (!imageHeader || imageHeader->size() < 8)
        return std::nullopt;
    return PictureSize{static_cast<std::uint32_t>(readBigEndian(&(*imageHeader)[4], 4)),
                       static_cast<std::uint32_t>(readBigEndian(imageHeader->data(), 4))};
}

std::vector<std::uint8_t> jp2Skeleton(const Layout& layout) {
    std::vector<std::uint8_t> file;
    const auto box = [&](std::uint32_t length, const char* type) {
        appendBigEndian(file, length, 4);
        file.insert(file.end(), type, type + 4);
    };
    box(12, "jP  ");
    appendBigEndian(file, 0x0D0A870A, 4);
    // The codestream is High-Throughput: "jph " joins the compatibility list. The brand stays
    // "jp2 ", which Exiv2 0.27 requires to read the file's metadata at all.
    box(24, "ftyp");
    file.insert(file.end(),
                {'j', 'p', '2', ' ', 0, 0, 0, 0, 'j', 'p', '2', ' ', 'j', 'p', 'h', ' '});
    box(8 + 22 + 15, "jp2h");
    box(22, "ihdr");
    appendBigEndian(file, layout.height, 4);
    appendBigEndian(file, layout.width, 4);
    appendBigEndian(file, static_cast<std::uint64_t>(layout.channels()), 2);
    appendBigEndian(file, static_cast<std::uint64_t>(layout.bits - 1), 1);
    appendBigEndian(file, 7, 1); // wavelet compression
    appendBigEndian(file, 0, 2); // colour space known, no intellectual property box
    box(15, "colr");
    appendBigEndian(file, 1, 1); // enumerated
    appendBigEndian(file, 0, 2); // no precedence or approximation
    appendBigEndian(file, enumeratedColourSpace(layout.model), 4);
    box(8, "jp2c");
    return file;
}

namespace {

bool setEnumeratedColourSpace(std::vector<std::uint8_t>& file, std::uint32_t code) {
    const auto header = findBox(file, "jp2h");
    if (!header)
        return false;
    const auto colour = findBox(*header, "colr");
    if (!colour || colour->size() < 7 || (*colour)[0] != 1)
        return false;
    const auto at = static_cast<std::size_t>(colour->data() - file.data()) + 3;
    storeBigEndian(&file[at], code, 4);
    return true;
}

} // namespace

bool relabelJp2ColourSpace(std::vector<std::uint8_t>& file, ColourModel model) {
    return setEnumeratedColourSpace(file, enumeratedColourSpace(model));
}

bool labelJp2Sycc(std::vector<std::uint8_t>& file) {
    constexpr std::uint32_t sycc = 18;
    return setEnumeratedColourSpace(file, sycc);
}

std::span<const std::uint8_t> jp2BoxesBeforeCodestream(const std::vector<std::uint8_t>& file) {
    // Exiv2 writes the codestream box of a skeleton with length 8 (empty), which ends the file.
    Jp2BoxIterator boxes(file);
    while (const std::optional<Jp2Box> box = boxes.next()) {
        if (box->type == "jp2c")
            return {file.data(), static_cast<std::size_t>(box->contentOffset - 8)};
    }
    return {};
}

} // namespace sips
