#include "png_recode.h"

#include "atomic_file.h"
#include "binary_fields.h"
#include "failure.h"
#include "ifd0_edit.h"
#include "messages.h"
#include "picture_limits.h"
#include "png_copy.h"
#include "png_support.h"
#include "row_window.h"
#include "stdio_file.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>
#include <zlib.h>

namespace sips {

namespace {

constexpr std::uint32_t rowsPerBand = 64;

// What the walk below holds in memory, so that a file of countless small chunks costs no more.
constexpr std::uint64_t mostHeldBytes = std::uint64_t{1} << 26;
constexpr std::size_t mostHeldChunks = 1000;

// An ancillary chunk as it stands in the source, and where it stood.
struct HeldChunk {
    png_unknown_chunk chunk{};
    std::vector<std::uint8_t> data;
};

// Walks the chunks of `file` from its start as far as they go, keeping the ancillary ones whose
// CRC matches (less tRNS, which libpng reads, and those the copy writes itself); the others are
// left out with a warning. An eXIf block gets the new resolution.
// The chunk whose header `head` was just read, with its CRC checked and an eXIf chunk given the
// new resolution; nothing, with a warning, when it is cut short, damaged or malformed.
std::optional<HeldChunk> readHeldChunk(std::FILE* file, const std::uint8_t (&head)[8],
                                       std::uint32_t length, const std::string& source,
                                       const std::optional<Density>& density) {
    const std::string name(reinterpret_cast<const char*>(head + 4), 4);
    HeldChunk held;
    held.data.resize(length + std::size_t{4});
    if (std::fread(held.data.data(), 1, held.data.size(), file) != held.data.size()) {
        warn(source, "left out a " + name + " chunk the file ends inside");
        return std::nullopt;
    }
    uLong crc = crc32(crc32(0, nullptr, 0), head + 4, 4);
    crc = crc32(crc, held.data.data(), length);
    if (readBigEndian(held.data.data() + length, 4) != crc) {
        warn(source, "left out a damaged " + name + " chunk (its CRC does not match)");
        return std::nullopt;
    }
    held.data.resize(length);
    if (density && name == "eXIf") {
        std::optional<std::vector<std::uint8_t>> edited =
            withIfd0Values(held.data, densityValues(*density));
        if (!edited) {
            warn(source, "left out a malformed eXIf chunk");
            return std::nullopt;
        }
        held.data = std::move(*edited);
    }
    std::memcpy(held.chunk.name, head + 4, 4);
    return held;
}

std::vector<HeldChunk> soundAncillaryChunks(std::FILE* file, const std::string& source,
                                            const std::optional<Density>& density) {
    std::vector<HeldChunk> kept;
    std::uint64_t heldBytes = 0;
    bool overflowed = false;
    png_byte location = PNG_HAVE_IHDR;
    std::uint8_t head[8];
    if (std::fseek(file, 8, SEEK_SET) != 0)
        return kept;
    while (std::fread(head, 1, sizeof head, file) == sizeof head) {
        const auto length = static_cast<std::uint32_t>(readBigEndian(head, 4));
        const std::string name(reinterpret_cast<const char*>(head + 4), 4);
        const bool critical = (head[4] & 0x20) == 0;
        if (name == "IEND")
            break;
        const bool keepable = !critical && name != "tRNS" && !(density && name == "pHYs");
        const bool fits =
            !overflowed && kept.size() < mostHeldChunks && heldBytes + length <= mostHeldBytes;
        if (!keepable || !fits) {
            if (name == "PLTE")
                location = PNG_HAVE_PLTE;
            else if (name == "IDAT")
                location = PNG_AFTER_IDAT;
            else if (keepable && !overflowed)
                warn(source,
                     "left out the " + name +
                         " chunk and the ancillary chunks after it: more than the tool holds");
            overflowed = overflowed || keepable;
            if (std::fseek(file, long{length} + 4, SEEK_CUR) != 0)
                break;
            continue;
        }
        std::optional<HeldChunk> held = readHeldChunk(file, head, length, source, density);
        if (!held) {
            if (std::feof(file) || std::ferror(file))
                break;
            continue;
        }
        held->chunk.location = location;
        heldBytes += length;
        kept.push_back(*std::move(held));
    }
    for (HeldChunk& held : kept) { // their data stays put from here on
        held.chunk.data = held.data.data();
        held.chunk.size = held.data.size();
    }
    return kept;
}

class PngRecoder final {
public:
    PngRecoder(const std::string& path, const std::string& source, std::FILE* out,
               const std::string& target)
        : source_(source)
        , out_(out)
        , target_(target)
        , file_(openForReading(path)) {
        read_.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &readErrors_, pngRecordAndResume,
                                           pngIgnoreWarning);
        if (read_.png != nullptr)
            read_.info = png_create_info_struct(read_.png);
        write_.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &writeErrors_,
                                             pngRecordAndResume, pngIgnoreWarning);
        if (write_.png != nullptr)
            write_.info = png_create_info_struct(write_.png);
        if (read_.info == nullptr || write_.info == nullptr)
            throw Failure(source_, "out of memory");
        png_init_io(write_.png, out_);
    }

    PictureSize recode(const std::optional<Density>& density) {
        const std::vector<HeldChunk> chunks = soundAncillaryChunks(file_.get(), source_, density);
        std::vector<png_unknown_chunk> before;
        std::vector<png_unknown_chunk> after;
        for (const HeldChunk& held : chunks)
            (held.chunk.location == PNG_AFTER_IDAT ? after : before).push_back(held.chunk);
        if (std::fseek(file_.get(), 0, SEEK_SET) != 0)
            throw Failure(source_, "cannot read the file again");
        const Header header = readHeader();
        writeHeader(header, density, before);

        if (header.passes > 1)
            copyInterlacedRows(header.rowBytes, header.height, header.passes);
        else
            copyRows(header.rowBytes, header.height);

        // Whatever follows the image data (an end chunk or none) libpng need not read.
        writeStep([&] {
            if (!after.empty())
                png_set_unknown_chunks(write_.png, write_.info, after.data(),
                                       static_cast<int>(after.size()));
            png_write_end(write_.png, write_.info);
        });
        return {header.width, header.height};
    }

private:
    struct Header final {
        png_uint_32 width = 0;
        png_uint_32 height = 0;
        int depth = 0;
        int colourType = 0;
        int passes = 1;
        std::size_t rowBytes = 0;
    };

    // The picture's own chunks up to its image data, read by libpng and checked against the
    // picture limits; the ancillary chunks come from the walk before.
    Header readHeader() {
        Header header;
        int interlace = 0;
        readStep([&] {
            png_set_keep_unknown_chunks(read_.png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
            png_init_io(read_.png, file_.get());
            png_read_info(read_.png, read_.info);
            png_get_IHDR(read_.png, read_.info, &header.width, &header.height, &header.depth,
                         &header.colourType, &interlace, nullptr, nullptr);
        });
        checkPngHeader(source_, header.width, header.height,
                       std::uint64_t{png_get_channels(read_.png, read_.info)} *
                           static_cast<std::uint64_t>(header.depth),
                       sizeOf(file_.get()));
        readStep([&] {
            header.passes = png_set_interlace_handling(read_.png);
            png_read_update_info(read_.png, read_.info);
        });
        header.rowBytes = png_get_rowbytes(read_.png, read_.info);
        return header;
    }

    // The copy's chunks before its image data: the same size, depth, colours, palette and
    // transparency, not interlaced, the new resolution and the ancillary chunks kept.
    void writeHeader(const Header& header, const std::optional<Density>& density,
                     std::vector<png_unknown_chunk>& before) {
        writeStep([&] {
            png_set_keep_unknown_chunks(write_.png, PNG_HANDLE_CHUNK_ALWAYS, nullptr, -1);
            png_set_IHDR(write_.png, write_.info, header.width, header.height, header.depth,
                         header.colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE,
                         PNG_FILTER_TYPE_BASE);
            png_colorp palette = nullptr;
            int colours = 0;
            if (png_get_PLTE(read_.png, read_.info, &palette, &colours) != 0)
                png_set_PLTE(write_.png, write_.info, palette, colours);
            png_bytep alphas = nullptr;
            int count = 0;
            png_color_16p colour = nullptr;
            if (png_get_tRNS(read_.png, read_.info, &alphas, &count, &colour) != 0)
                png_set_tRNS(write_.png, write_.info, alphas, count, colour);
            if (density)
                png_set_pHYs(write_.png, write_.info, density->xPixelsPerMetre(),
                             density->yPixelsPerMetre(), PNG_RESOLUTION_METER);
            if (!before.empty())
                png_set_unknown_chunks(write_.png, write_.info, before.data(),
                                       static_cast<int>(before.size()));
            png_write_info(write_.png, write_.info);
        });
    }

    template <typename Step> void readStep(Step&& step) {
        if (!pngGuarded(read_.png, std::forward<Step>(step)))
            throw Failure(source_, std::string("cannot decode PNG data: ") + readErrors_.message);
    }

    template <typename Step> void writeStep(Step&& step) {
        if (!pngGuarded(write_.png, std::forward<Step>(step)))
            failWriting(out_, target_,
                        std::string("cannot write the copy: ") + writeErrors_.message);
    }

    void copyRows(std::size_t rowBytes, std::uint32_t height) {
        std::vector<std::uint8_t> band(rowBytes * std::min(height, rowsPerBand));
        for (std::uint32_t top = 0; top < height;) {
            const std::uint32_t count = std::min(rowsPerBand, height - top);
            readStep([&] {
                for (std::uint32_t row = 0; row < count; ++row)
                    png_read_row(read_.png, band.data() + row * rowBytes, nullptr);
            });
            writeStep([&] {
                for (std::uint32_t row = 0; row < count; ++row)
                    png_write_row(write_.png, band.data() + row * rowBytes);
            });
            top += count;
        }
    }

    // Every pass covers the whole picture, so the rows are put together first, in memory or in
    // a temporary file, as the reader does.
    void copyInterlacedRows(std::size_t rowBytes, std::uint32_t height, int passes) {
        const std::uint32_t heldRows =
            rowBytes * height > inMemoryLimit ? RowWindow::windowRows(rowBytes, height, 1) : height;
        RowWindow image(rowBytes, height, heldRows);
        for (int pass = 0; pass < passes; ++pass) {
            for (std::uint32_t top = 0; top < height;) {
                const std::uint32_t end = std::min(height, top + heldRows);
                bring(image, top, end);
                image.markWritten();
                readStep([&] {
                    for (std::uint32_t row = top; row < end; ++row)
                        png_read_row(read_.png, image.row(row), nullptr);
                });
                top = end;
            }
        }
        for (std::uint32_t row = 0; row < height; ++row) {
            bring(image, row, row + 1);
            writeStep([&] { png_write_row(write_.png, image.row(row)); });
        }
    }

    void bring(RowWindow& image, std::uint32_t start, std::uint32_t end) const {
        if (!image.bring(start, end))
            throw Failure(source_, "cannot decode PNG data: " + image.failure());
    }

    const std::string& source_;
    std::FILE* out_;
    const std::string& target_;
    FilePtr file_;
    PngErrors readErrors_;
    PngErrors writeErrors_;
    PngReadStructs read_;
    PngWriteStructs write_;
};

} // namespace

PictureSize recodePng(const std::string& path, const std::string& source, std::FILE* out,
                      const std::string& target, const std::optional<Density>& density) {
    PngRecoder recoder(path, source, out, target);
    return recoder.recode(density);
}

} // namespace sips
