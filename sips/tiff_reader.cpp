#include "tiff_reader.h"

#include "failure.h"
#include "picture_limits.h"
#include "stdio_file.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace sips {

namespace {

// libtiff reports through process-wide handlers; the tool reads one file at a time.
char lastTiffError[512] = "";

// Of all the codings a TIFF may use, the densest (CCITT Group 4 on a blank page, at least a bit a
// row, and zstd's run blocks) stay under 65536 bytes of samples for each byte of data.
constexpr std::uint64_t mostCodingRatio = 65536;

extern "C" void recordTiffError(const char* module, const char* format, va_list arguments) {
    (void)module;
    std::vsnprintf(lastTiffError, sizeof lastTiffError, format, arguments);
}

void installTiffHandlers() {
    TIFFSetErrorHandler(recordTiffError);
    TIFFSetWarningHandler(nullptr);
}

} // namespace

// The header fields that decide how the first page is read.
struct TiffReader::Fields {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t bits = 0;
    std::uint16_t samples = 0;
    std::uint16_t photometric = 0;
    std::uint16_t planar = PLANARCONFIG_CONTIG;
    std::uint16_t sampleFormat = SAMPLEFORMAT_UINT;
    std::uint16_t orientation = ORIENTATION_TOPLEFT;
    std::uint16_t inkSet = INKSET_CMYK;
    std::uint16_t extraType = EXTRASAMPLE_UNSPECIFIED; // of the first extra sample
};

TiffReader::TiffReader(std::string path)
    : path_(std::move(path)) {
    open();
    const Fields fields = readFields();
    // Strips and tiles are decoded into buffers sized from the header.
    checkClaimedSize(path_, fields.width, fields.height);
    checkDataSize(path_, fields.width, fields.height, dataBytes(),
                  (std::uint64_t{fields.width} * fields.samples * fields.bits + 7) / 8 *
                      fields.height / mostCodingRatio);
    layout_.width = fields.width;
    layout_.height = fields.height;
    tiled_ = TIFFIsTiled(tiff_.get()) != 0;
    if (canStream(fields))
        startStored(fields);
    else
        startRgba(fields.orientation);
}

void TiffReader::open() {
    installTiffHandlers();
    // Read, not mapped: a mapped file counts whole in memory once its strips have been read.
    OwnedDescriptor file = openDescriptorForReading(path_);
    tiff_.reset(TIFFFdOpen(file.get(), path_.c_str(), "rm"));
    if (!tiff_)
        fail("cannot open TIFF");
    file.release(); // closed with the TIFF
}

TiffReader::Fields TiffReader::readFields() const {
    TIFF* tiff = tiff_.get();
    Fields fields;
    std::uint16_t extraCount = 0;
    std::uint16_t* extraTypes = nullptr;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &fields.width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &fields.height);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &fields.bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &fields.samples);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &fields.planar);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLEFORMAT, &fields.sampleFormat);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ORIENTATION, &fields.orientation);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_INKSET, &fields.inkSet);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extraTypes);
    if (extraCount > 0)
        fields.extraType = extraTypes[0];
    if (!TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &fields.photometric))
        fail("TIFF without a photometric interpretation");
    return fields;
}

// Samples read as stored: interleaved strips row by row, else a band of chunks at a time.
void TiffReader::startStored(const Fields& fields) {
    layout_.bits = fields.bits;
    if (fields.photometric == PHOTOMETRIC_SEPARATED)
        layout_.model = ColourModel::Cmyk;
    else if (fields.photometric == PHOTOMETRIC_RGB)
        layout_.model = fields.samples == 4 ? ColourModel::RgbAlpha : ColourModel::Rgb;
    else
        layout_.model = fields.samples == 2 ? ColourModel::GreyAlpha : ColourModel::Grey;
    if (!tiled_ && fields.planar == PLANARCONFIG_CONTIG)
        return;

    planes_ = fields.planar == PLANARCONFIG_SEPARATE ? fields.samples : 1;
    bandRows_ = chunkRows();
    const std::uint64_t chunkBytes =
        tiled_ ? TIFFTileSize64(tiff_.get()) : TIFFStripSize64(tiff_.get());
    if (chunkBytes == 0)
        fail("cannot decode TIFF data");
    chunk_.resize(chunkBytes);
    band_.resize(layout_.rowBytes() * bandRows_);
}

// The rows of a tile, or of a strip, checked against the picture.
std::uint32_t TiffReader::chunkRows() {
    TIFF* tiff = tiff_.get();
    std::uint32_t rows = 0;
    if (tiled_) {
        TIFFGetField(tiff, TIFFTAG_TILEWIDTH, &chunkWidth_);
        TIFFGetField(tiff, TIFFTAG_TILELENGTH, &rows);
        // Tiles may overhang the picture, but not by more than a tile ever needs to.
        if (chunkWidth_ == 0 || rows == 0 || chunkWidth_ > layout_.width + 1024 ||
            rows > layout_.height + 1024)
            fail("TIFF tiles of an impossible size (damaged)");
        return rows;
    }
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &rows);
    chunkWidth_ = layout_.width;
    return std::clamp(rows, 1u, layout_.height);
}

void TiffReader::startRgba(std::uint16_t orientation) {
    rgba_ = std::make_unique<RgbaImage>();
    char message[1024] = "";
    if (!TIFFRGBAImageOK(tiff_.get(), message) ||
        !TIFFRGBAImageBegin(&rgba_->image, tiff_.get(), 1, message))
        fail(std::string("cannot decode TIFF data: ") + message);
    rgba_->begun = true;
    // Asking for the file's own orientation keeps the rows as stored; the Orientation tag travels
    // with the EXIF data instead.
    rgba_->image.req_orientation = orientation;
    layout_.bits = 8;
    layout_.model = rgba_->image.alpha != 0 ? ColourModel::RgbAlpha : ColourModel::Rgb;
    // Whole tiles or strips per band, and bands of a few hundred rows where strips are short.
    const std::uint32_t rows = chunkRows();
    bandRows_ = tiled_ ? rows : std::min(layout_.height, rows * std::max(1u, 256 / rows));
    raster_.resize(std::size_t{layout_.width} * bandRows_);
    band_.resize(layout_.rowBytes() * bandRows_);
}

// The bytes of strip or tile data the file really holds: what the byte counts claim, as far as it
// lies inside the file.
std::uint64_t TiffReader::dataBytes() const {
    TIFF* tiff = tiff_.get();
    struct stat info {};
    const std::uint64_t fileSize =
        ::stat(path_.c_str(), &info) == 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
    const std::uint32_t striles =
        TIFFIsTiled(tiff) ? TIFFNumberOfTiles(tiff) : TIFFNumberOfStrips(tiff);
    std::uint64_t total = 0;
    for (std::uint32_t strile = 0; strile < striles; ++strile) {
        const std::uint64_t offset = TIFFGetStrileOffset(tiff, strile);
        const std::uint64_t count = TIFFGetStrileByteCount(tiff, strile);
        if (offset < fileSize)
            total += std::min(count, fileSize - offset);
    }
    return total;
}

bool TiffReader::canStream(const Fields& fields) {
    if (fields.sampleFormat != SAMPLEFORMAT_UINT || (fields.bits != 8 && fields.bits != 16) ||
        (fields.photometric == PHOTOMETRIC_SEPARATED && fields.inkSet != INKSET_CMYK))
        return false;
    // Premultiplied alpha needs undoing; the RGBA reader does that.
    const bool plainAlpha = fields.extraType != EXTRASAMPLE_ASSOCALPHA;
    switch (fields.photometric) {
    case PHOTOMETRIC_MINISBLACK:
        return fields.samples == 1 || (fields.samples == 2 && plainAlpha);
    case PHOTOMETRIC_RGB:
        return fields.samples == 3 || (fields.samples == 4 && plainAlpha);
    case PHOTOMETRIC_SEPARATED:
        return fields.samples == 4;
    default:
        return false;
    }
}

void TiffReader::readRgba(std::uint32_t top, std::uint32_t rows) {
    rgba_->image.row_offset = static_cast<int>(top);
    rgba_->image.col_offset = 0;
    if (!TIFFRGBAImageGet(&rgba_->image, raster_.data(), layout_.width, rows))
        fail("cannot decode TIFF data");
    std::uint8_t* out = band_.data();
    for (auto pixel = raster_.begin(); pixel != raster_.begin() + std::size_t{layout_.width} * rows;
         ++pixel) {
        const std::uint32_t alpha = TIFFGetA(*pixel);
        // libtiff hands back premultiplied colour.
        const auto plain = [alpha](std::uint32_t value) {
            if (alpha == 255 || alpha == 0)
                return static_cast<std::uint8_t>(alpha == 0 ? 0 : value);
            return static_cast<std::uint8_t>(
                std::min<std::uint32_t>(255, (value * 255 + alpha / 2) / alpha));
        };
        *out++ = plain(TIFFGetR(*pixel));
        *out++ = plain(TIFFGetG(*pixel));
        *out++ = plain(TIFFGetB(*pixel));
        if (layout_.model == ColourModel::RgbAlpha)
            *out++ = static_cast<std::uint8_t>(alpha);
    }
}

void TiffReader::readBand(std::uint32_t top) {
    bandTop_ = top;
    bandFilled_ = std::min(bandRows_, layout_.height - top);
    if (rgba_)
        readRgba(top, bandFilled_);
    else
        readChunks(top, bandFilled_);
}

// Puts `rows` rows from `top` together from their tiles or strip, plane by plane.
void TiffReader::readChunks(std::uint32_t top, std::uint32_t rows) {
    TIFF* tiff = tiff_.get();
    const std::size_t sampleBytes = layout_.bytesPerSample();
    const std::size_t pixelBytes = sampleBytes * layout_.channels();
    const std::size_t chunkPixelBytes = planes_ > 1 ? sampleBytes : pixelBytes;
    const std::size_t rowBytes = layout_.rowBytes();
    for (std::uint16_t plane = 0; plane < planes_; ++plane) {
        for (std::uint32_t left = 0; left < layout_.width; left += chunkWidth_) {
            const tmsize_t wanted =
                static_cast<tmsize_t>(chunkWidth_ * chunkPixelBytes * (tiled_ ? bandRows_ : rows));
            const tmsize_t got =
                tiled_ ? TIFFReadEncodedTile(tiff, TIFFComputeTile(tiff, left, top, 0, plane),
                                             chunk_.data(), wanted)
                       : TIFFReadEncodedStrip(tiff, TIFFComputeStrip(tiff, top, plane),
                                              chunk_.data(), wanted);
            if (got != wanted)
                fail("cannot decode TIFF data");
            const std::size_t columns = std::min(chunkWidth_, layout_.width - left);
            for (std::uint32_t row = 0; row < rows; ++row) {
                const std::uint8_t* from = chunk_.data() + row * chunkWidth_ * chunkPixelBytes;
                std::uint8_t* to = band_.data() + row * rowBytes + left * pixelBytes;
                if (planes_ == 1) {
                    std::memcpy(to, from, columns * pixelBytes);
                    continue;
                }
                for (std::size_t x = 0; x < columns; ++x)
                    std::memcpy(to + x * pixelBytes + plane * sampleBytes, from + x * sampleBytes,
                                sampleBytes);
            }
        }
    }
}

void TiffReader::read(std::uint8_t* rows, std::uint32_t count) {
    const std::size_t rowBytes = layout_.rowBytes();
    for (std::uint32_t row = 0; row < count; ++row, ++nextRow_) {
        std::uint8_t* to = rows + row * rowBytes;
        if (bandRows_ == 0) {
            if (TIFFReadScanline(tiff_.get(), to, nextRow_, 0) < 0)
                fail("cannot decode TIFF data");
            continue;
        }
        if (nextRow_ >= bandTop_ + bandFilled_)
            readBand(nextRow_);
        std::memcpy(to, band_.data() + (nextRow_ - bandTop_) * rowBytes, rowBytes);
    }
}

void TiffReader::fail(const std::string& what) const {
    throw Failure(path_, *lastTiffError == '\0' ? what : what + ": " + lastTiffError);
}

} // namespace sips
