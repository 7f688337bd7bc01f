#include "png_copy.h"

#include "atomic_file.h"
#include "binary_fields.h"
#include "failure.h"
#include "ifd0_edit.h"
#include "messages.h"
#include "picture_limits.h"
#include "stdio_file.h"

#include <array>
#include <cctype>
#include <cstring>
#include <vector>
#include <zlib.h>

namespace sips {

namespace {

constexpr std::uint8_t pngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint32_t largestChunk = 0x7FFFFFFF;
constexpr std::uint32_t largestHeldChunk = 1u << 24; // eXIf, edited in memory

class PngChunkCopier final {
public:
    PngChunkCopier(std::FILE* in, const std::string& source, std::FILE* out,
                   const std::string& target)
        : in_(in)
        , source_(source)
        , out_(out)
        , target_(target) {}

    void put(std::span<const std::uint8_t> bytes) {
        writeBytes(out_, target_, bytes, "cannot write the copy");
    }

    void putChunk(const char* type, std::span<const std::uint8_t> data) {
        std::vector<std::uint8_t> head;
        appendBigEndian(head, data.size(), 4);
        head.insert(head.end(), type, type + 4);
        uLong crc = crc32(crc32(0, nullptr, 0), head.data() + 4, 4);
        crc = crc32(crc, data.data(), static_cast<uInt>(data.size()));
        put(head);
        put(data);
        std::vector<std::uint8_t> tail;
        appendBigEndian(tail, crc, 4);
        put(tail);
    }

    // Reads the next chunk's length and type; false at the end of the file.
    bool nextHeader(std::uint32_t& length, std::array<char, 4>& type) {
        std::uint8_t head[8];
        const std::size_t got = std::fread(head, 1, sizeof head, in_);
        if (got == 0)
            return false;
        if (got != sizeof head)
            fail("the file ends inside a chunk header");
        const std::uint64_t value = readBigEndian(head, 4);
        if (value > largestChunk)
            fail("a chunk longer than PNG allows");
        length = static_cast<std::uint32_t>(value);
        std::memcpy(type.data(), head + 4, 4);
        for (const char c : type) {
            if (!std::isalpha(static_cast<unsigned char>(c)))
                fail("a chunk type that is not four letters");
        }
        return true;
    }

    // Reads a chunk's data and CRC, checking it, and hands the data to `sink` in pieces. Returns
    // the CRC.
    template <typename Sink>
    std::uint32_t passData(const std::array<char, 4>& type, std::uint32_t length, Sink&& sink) {
        uLong crc = crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(type.data()), 4);
        for (std::uint32_t left = length; left > 0;) {
            const std::size_t step = std::min<std::size_t>(left, buffer_.size());
            if (std::fread(buffer_.data(), 1, step, in_) != step)
                fail("the file ends inside a chunk");
            crc = crc32(crc, buffer_.data(), static_cast<uInt>(step));
            sink(std::span<const std::uint8_t>(buffer_.data(), step));
            left -= static_cast<std::uint32_t>(step);
        }
        std::uint8_t stored[4];
        if (std::fread(stored, 1, 4, in_) != 4)
            fail("the file ends inside a chunk");
        if (readBigEndian(stored, 4) != crc)
            fail("a chunk whose CRC does not match its data");
        return static_cast<std::uint32_t>(crc);
    }

    std::vector<std::uint8_t> readData(const std::array<char, 4>& type, std::uint32_t length) {
        std::vector<std::uint8_t> data;
        data.reserve(length);
        passData(type, length, [&](std::span<const std::uint8_t> piece) {
            data.insert(data.end(), piece.begin(), piece.end());
        });
        return data;
    }

    // Copies the chunk as it stands, its CRC checked on the way.
    void copyAsItStands(const std::array<char, 4>& type, std::uint32_t length) {
        std::uint8_t head[8];
        storeBigEndian(head, length, 4);
        std::memcpy(head + 4, type.data(), 4);
        put(head);
        std::uint8_t crc[4];
        storeBigEndian(
            crc,
            passData(type, length, [this](std::span<const std::uint8_t> piece) { put(piece); }), 4);
        put(crc);
    }

    [[noreturn]] void fail(const std::string& what) const {
        throw Failure(source_, "damaged or truncated PNG file: " + what);
    }

    const std::string& source() const { return source_; }

private:
    std::FILE* in_;
    const std::string& source_;
    std::FILE* out_;
    const std::string& target_;
    std::array<std::uint8_t, 1 << 16> buffer_{};
};

std::vector<std::uint8_t> physData(const Density& density) {
    std::vector<std::uint8_t> data;
    appendBigEndian(data, density.xPixelsPerMetre(), 4);
    appendBigEndian(data, density.yPixelsPerMetre(), 4);
    data.push_back(1); // per metre
    return data;
}

// Checks the image header against the picture limits and copies it; the picture's size.
PictureSize copyHeader(PngChunkCopier& copier, std::FILE* in, const std::array<char, 4>& type,
                       std::uint32_t length) {
    if (std::string_view(type.data(), 4) != "IHDR" || length != 13)
        copier.fail("no image header first");
    const std::vector<std::uint8_t> header = copier.readData(type, length);
    const PictureSize size{static_cast<std::uint32_t>(readBigEndian(header.data(), 4)),
                           static_cast<std::uint32_t>(readBigEndian(header.data() + 4, 4))};
    // Samples per pixel by colour type: grey, RGB, palette, grey+alpha, RGBA.
    const std::uint8_t colourType = header[9];
    const std::uint64_t channels = colourType == 2   ? 3
                                   : colourType == 4 ? 2
                                   : colourType == 6 ? 4
                                                     : 1;
    checkPngHeader(copier.source(), size.width, size.height, channels * header[8], sizeOf(in));
    copier.putChunk("IHDR", header);
    return size;
}

// The eXIf chunk with the new resolution in its first directory; a malformed one is left out.
void copyExifWithDensity(PngChunkCopier& copier, const std::array<char, 4>& type,
                         std::uint32_t length, const Density& density) {
    const auto edited = withIfd0Values(copier.readData(type, length), densityValues(density));
    if (edited)
        copier.putChunk("eXIf", *edited);
    else
        warn(copier.source(), "left out a malformed eXIf chunk");
}

} // namespace

PictureSize copyPng(std::FILE* in, const std::string& source, std::FILE* out,
                    const std::string& target, const std::optional<Density>& density) {
    PngChunkCopier copier(in, source, out, target);
    std::uint8_t signature[8];
    if (std::fread(signature, 1, 8, in) != 8 || std::memcmp(signature, pngSignature, 8) != 0)
        copier.fail("no PNG signature");
    copier.put(signature);

    PictureSize size;
    bool sawHeader = false;
    bool sawData = false;
    std::uint32_t length = 0;
    std::array<char, 4> type{};
    while (copier.nextHeader(length, type)) {
        const std::string_view name(type.data(), 4);
        if (!sawHeader) {
            size = copyHeader(copier, in, type, length);
            sawHeader = true;
            continue;
        }
        if (density && name == "pHYs") {
            copier.passData(type, length, [](std::span<const std::uint8_t>) {});
            continue;
        }
        if (name == "IDAT" && !sawData && density)
            copier.putChunk("pHYs", physData(*density));
        sawData = sawData || name == "IDAT";
        if (density && name == "eXIf" && length <= largestHeldChunk) {
            copyExifWithDensity(copier, type, length, *density);
            continue;
        }
        copier.copyAsItStands(type, length);
        if (name == "IEND")
            break;
    }
    if (!sawHeader || !sawData || std::string_view(type.data(), 4) != "IEND")
        copier.fail("no image data or no end chunk");
    return size;
}

} // namespace sips
