#include "png_reader.h"

#include "failure.h"
#include "picture_limits.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace sips {

PngReader::PngReader(std::string path, PngChecksums checksums)
    : path_(std::move(path))
    , file_(openForReading(path_)) {
    start(sizeOf(file_.get()), checksums);
}

PngReader::PngReader(FilePtr file, std::uint64_t fileBytes, std::string name,
                     PngChecksums checksums)
    : path_(std::move(name))
    , file_(std::move(file)) {
    start(fileBytes, checksums);
}

void PngReader::start(std::uint64_t fileBytes, PngChecksums checksums) {
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &errors_, pngRecordAndResume,
                                  pngIgnoreWarning);
    if (png_ != nullptr)
        info_ = png_create_info_struct(png_);
    if (png_ == nullptr || info_ == nullptr)
        throw Failure(path_, "out of memory");

    int passes = 1;
    png_uint_32 xPerMetre = 0;
    png_uint_32 yPerMetre = 0;
    int unit = PNG_RESOLUTION_UNKNOWN;
    const bool headerRead = pngGuarded(png_, [&] {
        if (checksums == PngChecksums::SkipVerified) {
            // Ancillary chunks keep the default, so that one the checks would drop stays dropped.
            png_set_crc_action(png_, PNG_CRC_QUIET_USE, PNG_CRC_DEFAULT);
            png_set_option(png_, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
        }
        png_init_io(png_, file_.get());
        png_read_info(png_, info_);
    });
    if (!headerRead)
        fail();
    // Interlaced files are decoded whole, in rows sized from the header.
    const std::uint64_t width = png_get_image_width(png_, info_);
    const std::uint64_t height = png_get_image_height(png_, info_);
    checkPngHeader(path_, width, height,
                   std::uint64_t{png_get_channels(png_, info_)} * png_get_bit_depth(png_, info_),
                   fileBytes);

    const bool started = pngGuarded(png_, [&] {
        const int colourType = png_get_color_type(png_, info_);
        const int depth = png_get_bit_depth(png_, info_);
        if (colourType == PNG_COLOR_TYPE_PALETTE)
            png_set_palette_to_rgb(png_);
        if (colourType == PNG_COLOR_TYPE_GRAY && depth < 8)
            png_set_expand_gray_1_2_4_to_8(png_);
        if (png_get_valid(png_, info_, PNG_INFO_tRNS))
            png_set_tRNS_to_alpha(png_);
        if (depth == 16 && std::endian::native == std::endian::little)
            png_set_swap(png_);
        passes = png_set_interlace_handling(png_);
        png_read_update_info(png_, info_);
        png_get_pHYs(png_, info_, &xPerMetre, &yPerMetre, &unit);
    });
    if (!started)
        fail();

    layout_.width = png_get_image_width(png_, info_);
    layout_.height = png_get_image_height(png_, info_);
    layout_.bits = png_get_bit_depth(png_, info_) == 16 ? 16 : 8;
    layout_.model = modelOfChannels(png_get_channels(png_, info_), false);
    if (unit == PNG_RESOLUTION_METER && xPerMetre > 0 && yPerMetre > 0)
        density_ = Density::fromPixelsPerMetre(xPerMetre, yPerMetre);

    if (passes > 1)
        decodeInterlaced(passes);
}

// Every pass covers the whole picture, so the rows are put together first: in memory, or in a
// temporary file for pictures of more than inMemoryLimit bytes, a window of rows at a time.
void PngReader::decodeInterlaced(int passes) {
    const std::size_t rowBytes = layout_.rowBytes();
    const std::uint32_t height = layout_.height;
    const std::uint32_t held =
        rowBytes * height > inMemoryLimit ? RowWindow::windowRows(rowBytes, height, 1) : height;
    image_ = std::make_unique<RowWindow>(rowBytes, height, held);
    for (int pass = 0; pass < passes; ++pass) {
        for (std::uint32_t top = 0; top < height;) {
            const std::uint32_t end = std::min(height, top + held);
            if (!image_->bring(top, end))
                throw Failure(path_, "cannot decode PNG data: " + image_->failure());
            image_->markWritten();
            RowWindow& image = *image_;
            // libpng fills in this pass's pixels of each row, keeping the earlier passes'.
            if (!pngGuarded(png_, [&] {
                    for (std::uint32_t row = top; row < end; ++row)
                        png_read_row(png_, image.row(row), nullptr);
                }))
                fail();
            top = end;
        }
    }
}

PngReader::~PngReader() = default;

void PngReader::read(std::uint8_t* rows, std::uint32_t count) {
    const std::size_t rowBytes = layout_.rowBytes();
    if (image_) {
        for (std::uint32_t row = nextRow_; row < nextRow_ + count; ++row) {
            if (!image_->bring(row, row + 1))
                throw Failure(path_, "cannot decode PNG data: " + image_->failure());
            std::memcpy(rows + (row - nextRow_) * rowBytes, image_->row(row), rowBytes);
        }
    } else {
        const bool complete = pngGuarded(png_, [&] {
            for (std::uint32_t row = 0; row < count; ++row)
                png_read_row(png_, rows + row * rowBytes, nullptr);
        });
        if (!complete)
            fail();
    }
    nextRow_ += count;
}

void PngReader::fail() const {
    // libpng says only "Read Error" when the file ends early.
    if (std::feof(file_.get()) != 0)
        throw Failure(path_, "cannot decode PNG data: the file ends early (truncated)");
    throw Failure(path_, std::string("cannot decode PNG data: ") + errors_.message);
}

} // namespace sips
