#include "png_recode.h"

#include "atomic_file.h"
#include "failure.h"
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

namespace sips {

namespace {

constexpr std::uint32_t rowsPerBand = 64;

// Released by their own destructors, so that a failure half-way leaks nothing.
struct ReadStructs final {
    png_structp png = nullptr;
    png_infop info = nullptr;
    png_infop end = nullptr;
    ReadStructs() = default;
    ReadStructs(const ReadStructs&) = delete;
    ReadStructs& operator=(const ReadStructs&) = delete;
    ~ReadStructs() { png_destroy_read_struct(&png, &info, &end); }
};

struct WriteStructs final {
    png_structp png = nullptr;
    png_infop info = nullptr;
    WriteStructs() = default;
    WriteStructs(const WriteStructs&) = delete;
    WriteStructs& operator=(const WriteStructs&) = delete;
    ~WriteStructs() { png_destroy_write_struct(&png, &info); }
};

// The ancillary chunks libpng kept as they stand, less the ones the copy writes itself; an eXIf
// block gets the new resolution. Their data lives in `held`.
std::vector<png_unknown_chunk> keptChunks(png_structp png, png_infop info,
                                          const std::optional<Density>& density,
                                          const std::string& source,
                                          std::vector<std::vector<std::uint8_t>>& held) {
    png_unknown_chunkp chunks = nullptr;
    const int count = png_get_unknown_chunks(png, info, &chunks);
    std::vector<png_unknown_chunk> kept;
    for (int i = 0; i < count; ++i) {
        png_unknown_chunk chunk = chunks[i];
        const std::string_view name(reinterpret_cast<const char*>(chunk.name), 4);
        if (density && name == "pHYs")
            continue;
        if (density && name == "eXIf") {
            const auto edited = withExifResolution({chunk.data, chunk.data + chunk.size}, *density);
            if (!edited) {
                warn(source, "left out a malformed eXIf chunk");
                continue;
            }
            chunk.data = held.emplace_back(*edited).data();
            chunk.size = held.back().size();
        }
        kept.push_back(chunk);
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
        readErrors_.warnings = &warnings_;
        read_.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &readErrors_, pngRecordAndResume,
                                           pngKeepWarning);
        if (read_.png != nullptr) {
            read_.info = png_create_info_struct(read_.png);
            read_.end = png_create_info_struct(read_.png);
        }
        write_.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &writeErrors_,
                                             pngRecordAndResume, pngIgnoreWarning);
        if (write_.png != nullptr)
            write_.info = png_create_info_struct(write_.png);
        if (read_.info == nullptr || read_.end == nullptr || write_.info == nullptr)
            throw Failure(source_, "out of memory");
        png_init_io(write_.png, out_);
    }

    PictureSize recode(const std::optional<Density>& density) {
        png_uint_32 width = 0;
        png_uint_32 height = 0;
        int depth = 0;
        int colourType = 0;
        int interlace = 0;
        readStep([&] {
            // Every ancillary chunk is kept as it stands (all but IHDR, PLTE, tRNS, IDAT, IEND).
            png_set_keep_unknown_chunks(read_.png, PNG_HANDLE_CHUNK_ALWAYS, nullptr, -1);
            png_init_io(read_.png, file_.get());
            png_read_info(read_.png, read_.info);
            png_get_IHDR(read_.png, read_.info, &width, &height, &depth, &colourType, &interlace,
                         nullptr, nullptr);
        });
        checkPngHeader(source_, width, height,
                       std::uint64_t{png_get_channels(read_.png, read_.info)} *
                           static_cast<std::uint64_t>(depth),
                       sizeOf(file_.get()));
        int passes = 1;
        readStep([&] {
            passes = png_set_interlace_handling(read_.png);
            png_read_update_info(read_.png, read_.info);
        });
        const std::size_t rowBytes = png_get_rowbytes(read_.png, read_.info);

        std::vector<std::vector<std::uint8_t>> held;
        std::vector<png_unknown_chunk> before =
            keptChunks(read_.png, read_.info, density, source_, held);
        writeStep([&] {
            png_set_keep_unknown_chunks(write_.png, PNG_HANDLE_CHUNK_ALWAYS, nullptr, -1);
            png_set_IHDR(write_.png, write_.info, width, height, depth, colourType,
                         PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
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

        if (passes > 1)
            copyInterlacedRows(rowBytes, height, passes);
        else
            copyRows(rowBytes, height);

        // A file without an end chunk ends where libpng looks for one; damage after the image
        // data costs what stood after it.
        const bool ended = pngGuarded(read_.png, [&] { png_read_end(read_.png, read_.end); });
        if (!ended && std::feof(file_.get()) == 0)
            warn(source_,
                 std::string("left out what follows the image data (") + readErrors_.message + ")");
        std::vector<png_unknown_chunk> after =
            keptChunks(read_.png, read_.end, density, source_, held);
        for (png_unknown_chunk& chunk : after)
            chunk.location = PNG_AFTER_IDAT;
        writeStep([&] {
            if (!after.empty())
                png_set_unknown_chunks(write_.png, write_.info, after.data(),
                                       static_cast<int>(after.size()));
            png_write_end(write_.png, write_.info);
        });
        for (const std::string& warning : warnings_)
            warn(source_, "left out a part that cannot be read (" + warning + ")");
        return {width, height};
    }

private:
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
    std::vector<std::string> warnings_;
    ReadStructs read_;
    WriteStructs write_;
};

} // namespace

PictureSize recodePng(const std::string& path, const std::string& source, std::FILE* out,
                      const std::string& target, const std::optional<Density>& density) {
    PngRecoder recoder(path, source, out, target);
    return recoder.recode(density);
}

} // namespace sips
