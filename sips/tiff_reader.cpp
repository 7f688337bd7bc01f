#include "tiff_reader.h"

#include "failure.h"
#include "picture_limits.h"

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

TiffReader::TiffReader(std::string path)
    : path_(std::move(path)) {
    installTiffHandlers();
    // Read, not mapped: a mapped file counts whole in memory once its strips have been read.
    tiff_.reset(TIFFOpen(path_.c_str(), "rm"));
    if (!tiff_)
        fail("cannot open TIFF");

    TIFF* tiff = tiff_.get();
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t bits = 0;
    std::uint16_t samples = 0;
    std::uint16_t photometric = 0;
    std::uint16_t planar = PLANARCONFIG_CONTIG;
    std::uint16_t sampleFormat = SAMPLEFORMAT_UINT;
    std::uint16_t orientation = ORIENTATION_TOPLEFT;
    std::uint16_t inkSet = INKSET_CMYK;
    std::uint16_t extraCount = 0;
    std::uint16_t* extraTypes = nullptr;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLEFORMAT, &sampleFormat);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ORIENTATION, &orientation);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_INKSET, &inkSet);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extraTypes);
    if (!TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric))
        fail("TIFF without a photometric interpretation");
    // Strips and tiles are decoded into buffers sized from the header.
    checkClaimedSize(path_, width, height);
    checkDataSize(path_, width, height, dataBytes(),
                  (std::uint64_t{width} * samples * bits + 7) / 8 * height / mostCodingRatio);
    layout_.width = width;
    layout_.height = height;

    const std::uint16_t extraType = extraCount > 0 ? extraTypes[0] : EXTRASAMPLE_UNSPECIFIED;
    const bool streamable = sampleFormat == SAMPLEFORMAT_UINT && (bits == 8 || bits == 16) &&
                            (photometric != PHOTOMETRIC_SEPARATED || inkSet == INKSET_CMYK) &&
                            canStream(photometric, samples, extraType);
    if (!streamable) {
        decodeWhole(orientation);
        return;
    }
    layout_.bits = bits;
    if (photometric == PHOTOMETRIC_SEPARATED)
        layout_.model = ColourModel::Cmyk;
    else if (photometric == PHOTOMETRIC_RGB)
        layout_.model = samples == 4 ? ColourModel::RgbAlpha : ColourModel::Rgb;
    else
        layout_.model = samples == 2 ? ColourModel::GreyAlpha : ColourModel::Grey;
    if (!TIFFIsTiled(tiff) && planar == PLANARCONFIG_CONTIG)
        return;

    Chunks chunks;
    chunks.tiled = TIFFIsTiled(tiff) != 0;
    chunks.planes = planar == PLANARCONFIG_SEPARATE ? samples : 1;
    std::uint64_t chunkBytes = 0;
    if (chunks.tiled) {
        TIFFGetField(tiff, TIFFTAG_TILEWIDTH, &chunks.width);
        TIFFGetField(tiff, TIFFTAG_TILELENGTH, &chunks.rows);
        // Tiles may overhang the picture, but not by more than a tile ever needs to.
        if (chunks.width == 0 || chunks.rows == 0 || chunks.width > width + 1024 ||
            chunks.rows > height + 1024)
            fail("TIFF tiles of an impossible size (damaged)");
        chunkBytes = TIFFTileSize64(tiff);
    } else {
        std::uint32_t rowsPerStrip = 0;
        TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
        chunks.width = width;
        chunks.rows = std::clamp(rowsPerStrip, 1u, height);
        chunkBytes = TIFFStripSize64(tiff);
    }
    if (chunkBytes == 0)
        fail("cannot decode TIFF data");
    chunks.chunk.resize(chunkBytes);
    chunks.band.resize(layout_.rowBytes() * chunks.rows);
    chunks_ = std::move(chunks);
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

bool TiffReader::canStream(std::uint16_t photometric, std::uint16_t samples,
                           std::uint16_t extraType) const {
    // Premultiplied alpha needs undoing; the RGBA reader does that.
    const bool plainAlpha = extraType != EXTRASAMPLE_ASSOCALPHA;
    switch (photometric) {
    case PHOTOMETRIC_MINISBLACK:
        return samples == 1 || (samples == 2 && plainAlpha);
    case PHOTOMETRIC_RGB:
        return samples == 3 || (samples == 4 && plainAlpha);
    case PHOTOMETRIC_SEPARATED:
        return samples == 4;
    default:
        return false;
    }
}

void TiffReader::decodeWhole(std::uint16_t orientation) {
    // Asking for the file's own orientation keeps the rows as stored; the Orientation tag travels
    // with the EXIF data instead.
    std::vector<std::uint32_t> raster(std::size_t{layout_.width} * layout_.height);
    if (!TIFFReadRGBAImageOriented(tiff_.get(), layout_.width, layout_.height, raster.data(),
                                   orientation, 1))
        fail("cannot decode TIFF data");
    std::uint16_t extraCount = 0;
    std::uint16_t* extraTypes = nullptr;
    TIFFGetFieldDefaulted(tiff_.get(), TIFFTAG_EXTRASAMPLES, &extraCount, &extraTypes);
    layout_.bits = 8;
    layout_.model = extraCount > 0 ? ColourModel::RgbAlpha : ColourModel::Rgb;
    wholeImage_.resize(layout_.rowBytes() * layout_.height);
    std::uint8_t* out = wholeImage_.data();
    for (const std::uint32_t pixel : raster) {
        const std::uint32_t alpha = TIFFGetA(pixel);
        // libtiff hands back premultiplied colour.
        const auto plain = [alpha](std::uint32_t value) {
            if (alpha == 255 || alpha == 0)
                return static_cast<std::uint8_t>(alpha == 0 ? 0 : value);
            return static_cast<std::uint8_t>(
                std::min<std::uint32_t>(255, (value * 255 + alpha / 2) / alpha));
        };
        *out++ = plain(TIFFGetR(pixel));
        *out++ = plain(TIFFGetG(pixel));
        *out++ = plain(TIFFGetB(pixel));
        if (layout_.model == ColourModel::RgbAlpha)
            *out++ = static_cast<std::uint8_t>(alpha);
    }
}

// Puts the band of rows from `top` together from its tiles or strips, plane by plane.
void TiffReader::readChunks(std::uint32_t top) {
    Chunks& chunks = *chunks_;
    TIFF* tiff = tiff_.get();
    const std::size_t sampleBytes = layout_.bytesPerSample();
    const std::size_t pixelBytes = sampleBytes * layout_.channels();
    const std::size_t chunkPixelBytes = chunks.planes > 1 ? sampleBytes : pixelBytes;
    const std::size_t rowBytes = layout_.rowBytes();
    chunks.bandTop = top;
    chunks.bandRows = std::min(chunks.rows, layout_.height - top);
    for (std::uint16_t plane = 0; plane < chunks.planes; ++plane) {
        for (std::uint32_t left = 0; left < layout_.width; left += chunks.width) {
            const tmsize_t wanted = static_cast<tmsize_t>(
                chunks.width * chunkPixelBytes * (chunks.tiled ? chunks.rows : chunks.bandRows));
            const tmsize_t got =
                chunks.tiled ? TIFFReadEncodedTile(tiff, TIFFComputeTile(tiff, left, top, 0, plane),
                                                   chunks.chunk.data(), wanted)
                             : TIFFReadEncodedStrip(tiff, TIFFComputeStrip(tiff, top, plane),
                                                    chunks.chunk.data(), wanted);
            if (got != wanted)
                fail("cannot decode TIFF data");
            const std::size_t columns = std::min(chunks.width, layout_.width - left);
            for (std::uint32_t row = 0; row < chunks.bandRows; ++row) {
                const std::uint8_t* from =
                    chunks.chunk.data() + row * chunks.width * chunkPixelBytes;
                std::uint8_t* to = chunks.band.data() + row * rowBytes + left * pixelBytes;
                if (chunks.planes == 1) {
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
    if (!wholeImage_.empty()) {
        std::memcpy(rows, wholeImage_.data() + nextRow_ * rowBytes, count * rowBytes);
        nextRow_ += count;
        return;
    }
    if (chunks_) {
        for (std::uint32_t row = 0; row < count; ++row, ++nextRow_) {
            if (nextRow_ >= chunks_->bandTop + chunks_->bandRows)
                readChunks(nextRow_);
            std::memcpy(rows + row * rowBytes,
                        chunks_->band.data() + (nextRow_ - chunks_->bandTop) * rowBytes, rowBytes);
        }
        return;
    }
    for (std::uint32_t row = 0; row < count; ++row, ++nextRow_) {
        if (TIFFReadScanline(tiff_.get(), rows + row * rowBytes, nextRow_, 0) < 0)
            fail("cannot decode TIFF data");
    }
}

void TiffReader::fail(const std::string& what) const {
    throw Failure(path_, *lastTiffError == '\0' ? what : what + ": " + lastTiffError);
}

} // namespace sips
