#include "jp2_reader.h"

#include "binary_fields.h"
#include "failure.h"
#include "jp2_boxes.h"
#include "picture_limits.h"
#include "stdio_file.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace sips {

namespace {

// OpenJPEG hands tile samples back in 1, 2 or 4 bytes, depending on their precision.
std::size_t storedSampleSize(OPJ_UINT32 precision) {
    return precision <= 8 ? 1 : precision <= 16 ? 2 : 4;
}

std::uint32_t storedSample(const std::uint8_t* data, std::size_t size, std::size_t index) {
    switch (size) {
    case 1:
        return data[index];
    case 2: {
        std::uint16_t value;
        std::memcpy(&value, data + index * 2, 2);
        return value;
    }
    default: {
        std::uint32_t value;
        std::memcpy(&value, data + index * 4, 4);
        return value;
    }
    }
}

// Rescales a sample of `from` bits to `to` bits (8 or 16).
std::uint32_t rescale(std::uint32_t value, OPJ_UINT32 from, int to) {
    if (from == static_cast<OPJ_UINT32>(to))
        return value;
    const std::uint64_t fromMax = (std::uint64_t{1} << from) - 1;
    const std::uint64_t toMax = (std::uint64_t{1} << to) - 1;
    return static_cast<std::uint32_t>(
        (std::min<std::uint64_t>(value, fromMax) * toMax + fromMax / 2) / fromMax);
}

// Full-range BT.601 as JFIF defines it, in 16-bit fixed point as libjpeg computes it.
struct SyccTables {
    std::int32_t redFromCr[256];
    std::int32_t blueFromCb[256];
    std::int32_t greenFromCb[256]; // scaled, with the rounding half
    std::int32_t greenFromCr[256]; // scaled
    SyccTables() {
        constexpr double one = 65536.0;
        for (int i = 0; i < 256; ++i) {
            const int centred = i - 128;
            redFromCr[i] = static_cast<std::int32_t>(std::lround(1.402 * centred));
            blueFromCb[i] = static_cast<std::int32_t>(std::lround(1.772 * centred));
            greenFromCb[i] = static_cast<std::int32_t>(std::lround(-0.344136 * one * centred)) +
                             static_cast<std::int32_t>(one / 2);
            greenFromCr[i] = static_cast<std::int32_t>(std::lround(-0.714136 * one * centred));
        }
    }
};

std::uint8_t clamped(std::int32_t value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

void syccToRgb(std::uint8_t y, std::uint8_t cb, std::uint8_t cr, std::uint8_t* rgb) {
    static const SyccTables tables;
    rgb[0] = clamped(y + tables.redFromCr[cr]);
    rgb[1] = clamped(y + ((tables.greenFromCb[cb] + tables.greenFromCr[cr]) >> 16));
    rgb[2] = clamped(y + tables.blueFromCb[cb]);
}

// What the codestream's SIZ segment claims, read before OpenJPEG sees the file: it allocates
// per-tile state and whole tiles from these numbers.
struct ClaimedSize {
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    std::uint64_t tiles = 0;
    std::uint64_t codestreamBytes = 0;
};

// Finds the codestream: the file itself, or a JP2 file's top-level "jp2c" box. Leaves the file
// at its start and returns its length.
std::uint64_t seekCodestream(std::FILE* file, FileKind kind, const std::string& path) {
    const std::uint64_t fileSize = sizeOf(file);
    std::rewind(file);
    if (kind != FileKind::Jp2)
        return fileSize;
    Jp2FileBoxIterator boxes(file);
    while (const std::optional<Jp2Box> box = boxes.next()) {
        if (box->type == "jp2c") {
            std::fseek(file, static_cast<long>(box->contentOffset), SEEK_SET);
            return box->contentSize;
        }
    }
    // The walk also ends at a box longer than what is left of the file.
    throw Failure(path, "cannot decode JPEG 2000 data: no whole codestream box (the file is "
                        "truncated or damaged)");
}

ClaimedSize readClaimedSize(std::FILE* file, FileKind kind, const std::string& path) {
    const std::uint64_t codestreamBytes = seekCodestream(file, kind, path);
    // SOC, then SIZ: Lsiz, Rsiz, Xsiz, Ysiz, XOsiz, YOsiz, XTsiz, YTsiz, XTOsiz, YTOsiz.
    std::uint8_t siz[42];
    if (std::fread(siz, 1, sizeof siz, file) != sizeof siz || readBigEndian(siz, 4) != 0xFF4FFF51)
        throw Failure(path, "cannot decode JPEG 2000 data: the codestream does not start with "
                            "its image header");
    const std::uint64_t right = readBigEndian(siz + 8, 4);
    const std::uint64_t bottom = readBigEndian(siz + 12, 4);
    const std::uint64_t left = readBigEndian(siz + 16, 4);
    const std::uint64_t top = readBigEndian(siz + 20, 4);
    const std::uint64_t tileWidth = readBigEndian(siz + 24, 4);
    const std::uint64_t tileHeight = readBigEndian(siz + 28, 4);
    const std::uint64_t tileLeft = readBigEndian(siz + 32, 4);
    const std::uint64_t tileTop = readBigEndian(siz + 36, 4);
    if (right <= left || bottom <= top || tileWidth == 0 || tileHeight == 0 || tileLeft > left ||
        tileTop > top)
        throw Failure(path, "cannot decode JPEG 2000 data: impossible image or tile size");
    ClaimedSize claimed;
    claimed.width = right - left;
    claimed.height = bottom - top;
    // Capped so that the count and the bytes it needs cannot overflow: more tiles than that are
    // refused all the same.
    constexpr std::uint64_t mostTilesASide = std::uint64_t{1} << 28;
    claimed.tiles = std::min((right - tileLeft + tileWidth - 1) / tileWidth, mostTilesASide) *
                    std::min((bottom - tileTop + tileHeight - 1) / tileHeight, mostTilesASide);
    claimed.codestreamBytes = codestreamBytes;
    return claimed;
}

// Every tile has at least one tile-part: an SOT segment and an SOD marker.
constexpr std::uint64_t smallestTileBytes = 14;
// The most pixels a byte of codestream can hold: a flat picture codes to a few bytes a tile.
constexpr std::uint64_t densestPixelsPerByte = 65536;

} // namespace

Jp2Reader::Jp2Reader(std::string path, FileKind kind)
    : path_(std::move(path))
    , file_(openForReading(path_))
    , codec_(opj_create_decompress(kind == FileKind::Jp2 ? OPJ_CODEC_JP2 : OPJ_CODEC_J2K)) {
    const ClaimedSize claimed = readClaimedSize(file_.get(), kind, path_);
    checkClaimedSize(path_, claimed.width, claimed.height);
    checkDataSize(path_, claimed.width, claimed.height, claimed.codestreamBytes,
                  std::max(claimed.tiles * smallestTileBytes,
                           claimed.width * claimed.height / densestPixelsPerByte));
    readHeader();
    readLayout(kind);
    opj_codestream_info_v2_t* info = opj_get_cstr_info(codec_.get());
    if (info == nullptr)
        fail("cannot decode JPEG 2000 data (truncated or damaged)");
    tilesAcross_ = info->tw;
    opj_destroy_cstr_info(&info);
    bandTop_ = header_->y0;
}

void Jp2Reader::readHeader() {
    std::rewind(file_.get());
    stream_ = opjReadStreamOver(file_.get());
    if (!codec_ || !stream_)
        fail("out of memory");
    routeOpjMessages(codec_.get(), messages_);
    // A codestream that stops early is an error, not a picture with its last tiles left grey.
    opj_decoder_set_strict_mode(codec_.get(), OPJ_TRUE);
    opj_dparameters_t parameters;
    opj_set_default_decoder_parameters(&parameters);
    opj_image_t* header = nullptr;
    if (!opj_setup_decoder(codec_.get(), &parameters) ||
        !opj_codec_set_threads(codec_.get(), opjThreadCount()) ||
        !opj_read_header(stream_.get(), codec_.get(), &header))
        fail("cannot decode JPEG 2000 data (truncated or damaged)");
    header_.reset(header);
}

void Jp2Reader::readLayout(FileKind kind) {
    const opj_image_t& image = *header_;
    const OPJ_UINT32 count = image.numcomps;
    if (count == 0 || count > 4 || image.x1 <= image.x0 || image.y1 <= image.y0)
        fail("unsupported JPEG 2000 layout");
    // OpenJPEG's tile decoder leaves colour space and channel definitions unread.
    const Jp2ColourHints hints =
        kind == FileKind::Jp2 ? readJp2ColourHints(path_) : Jp2ColourHints{};
    if (hints.space == Jp2ColourHints::Space::OtherYcc || image.color_space == OPJ_CLRSPC_EYCC)
        fail("unsupported JPEG 2000 colour space (YCC)");
    sycc_ = hints.space == Jp2ColourHints::Space::Sycc || image.color_space == OPJ_CLRSPC_SYCC;
    if (sycc_)
        checkSyccComponents();
    bool alpha = false;
    OPJ_UINT32 deepest = 0;
    for (OPJ_UINT32 c = 0; c < count; ++c) {
        const opj_image_comp_t& component = image.comps[c];
        if ((!sycc_ && (component.dx != 1 || component.dy != 1)) || component.sgnd != 0 ||
            component.prec == 0 || component.prec > 16)
            fail("unsupported JPEG 2000 components (subsampled, signed or deeper than 16 bits)");
        alpha = alpha || component.alpha != 0;
        deepest = std::max(deepest, component.prec);
        precision_.push_back(component.prec);
    }
    alpha = alpha || hints.alphaChannel == static_cast<int>(count) - 1;

    layout_.width = image.x1 - image.x0;
    layout_.height = image.y1 - image.y0;
    layout_.bits = deepest > 8 ? 16 : 8;
    layout_.model =
        sycc_ ? ColourModel::Rgb
              : modelOfChannels(count, !alpha && hints.space != Jp2ColourHints::Space::Rgb);
}

// The intermediate of a JPEG keeps its planes: Y whole, Cb and Cr subsampled alike.
void Jp2Reader::checkSyccComponents() const {
    const opj_image_t& image = *header_;
    const opj_image_comp_t* c = image.comps;
    if (image.numcomps != 3 || c[0].dx != 1 || c[0].dy != 1 || c[1].dx != c[2].dx ||
        c[1].dy != c[2].dy || c[1].dx == 0 || c[1].dx > 4 || c[1].dy == 0 || c[1].dy > 4)
        fail("unsupported JPEG 2000 components (sYCC other than three, Cb and Cr alike)");
    for (OPJ_UINT32 i = 0; i < image.numcomps; ++i) {
        if (c[i].sgnd != 0 || c[i].prec != 8)
            fail("unsupported JPEG 2000 components (sYCC other than 8 bits)");
    }
}

void Jp2Reader::read(std::uint8_t* rows, std::uint32_t count) {
    const std::size_t rowBytes = layout_.rowBytes();
    while (count > 0) {
        if (bandRowsRead_ == bandRows_)
            decodeNextBand();
        const std::uint32_t take = std::min(count, bandRows_ - bandRowsRead_);
        std::memcpy(rows, band_.data() + bandRowsRead_ * rowBytes, take * rowBytes);
        rows += take * rowBytes;
        bandRowsRead_ += take;
        count -= take;
    }
}

void Jp2Reader::decodeNextBand() {
    const opj_image_t& image = *header_;
    bandTop_ += bandRows_;
    bandRows_ = 0;
    bandRowsRead_ = 0;
    const std::size_t rowBytes = layout_.rowBytes();
    for (std::uint32_t across = 0; across < tilesAcross_; ++across) {
        OPJ_UINT32 index = 0;
        OPJ_UINT32 size = 0;
        OPJ_INT32 x0 = 0;
        OPJ_INT32 y0 = 0;
        OPJ_INT32 x1 = 0;
        OPJ_INT32 y1 = 0;
        OPJ_UINT32 components = 0;
        OPJ_BOOL more = OPJ_FALSE;
        if (!opj_read_tile_header(codec_.get(), stream_.get(), &index, &size, &x0, &y0, &x1, &y1,
                                  &components, &more) ||
            !more)
            fail("cannot decode JPEG 2000 data (truncated or damaged)");
        // Tiles are decoded in codestream order; a row of tiles must arrive together.
        if (index / tilesAcross_ != nextBandRow_ || static_cast<std::uint32_t>(y0) != bandTop_)
            fail("unsupported JPEG 2000 tile order");
        const auto rows = static_cast<std::uint32_t>(y1 - y0);
        if (bandRows_ == 0) {
            bandRows_ = rows;
            band_.resize(rowBytes * rows);
        }
        tile_.resize(size);
        if (!opj_decode_tile_data(codec_.get(), index, tile_.data(), size, stream_.get()))
            fail("cannot decode JPEG 2000 data (truncated or damaged)");
        if (sycc_)
            storeSyccTile(tile_.data(), size, static_cast<std::uint32_t>(x0),
                          static_cast<std::uint32_t>(x1), static_cast<std::uint32_t>(y0), rows);
        else
            storeTile(tile_.data(), static_cast<std::uint32_t>(x0) - image.x0,
                      static_cast<std::uint32_t>(x1) - image.x0, rows);
    }
    ++nextBandRow_;
}

void Jp2Reader::storeTile(const std::uint8_t* data, std::uint32_t x0, std::uint32_t x1,
                          std::uint32_t rows) {
    const std::uint32_t width = x1 - x0;
    const std::size_t planeSize = std::size_t{width} * rows;
    const int channels = layout_.channels();
    const std::size_t rowBytes = layout_.rowBytes();
    const std::uint8_t* plane = data;
    for (int c = 0; c < channels; ++c) {
        const OPJ_UINT32 precision = precision_[static_cast<std::size_t>(c)];
        const std::size_t sampleSize = storedSampleSize(precision);
        const bool exact = precision == static_cast<OPJ_UINT32>(layout_.bits);
        for (std::uint32_t y = 0; y < rows; ++y) {
            std::uint8_t* row = band_.data() + y * rowBytes;
            const std::size_t first = std::size_t{y} * width;
            if (layout_.bits == 8 && exact) {
                const std::uint8_t* in = plane + first;
                std::uint8_t* out = row + std::size_t{x0} * channels + c;
                for (std::uint32_t x = 0; x < width; ++x)
                    out[x * channels] = in[x];
            } else if (layout_.bits == 8) {
                for (std::uint32_t x = 0; x < width; ++x) {
                    row[(x0 + x) * channels + c] = static_cast<std::uint8_t>(
                        rescale(storedSample(plane, sampleSize, first + x), precision, 8));
                }
            } else {
                auto* samples = reinterpret_cast<std::uint16_t*>(row);
                for (std::uint32_t x = 0; x < width; ++x) {
                    samples[(x0 + x) * channels + c] = static_cast<std::uint16_t>(
                        rescale(storedSample(plane, sampleSize, first + x), precision, 16));
                }
            }
        }
        plane += planeSize * sampleSize;
    }
}

void Jp2Reader::storeSyccTile(const std::uint8_t* data, std::size_t size, std::uint32_t x0,
                              std::uint32_t x1, std::uint32_t y0, std::uint32_t rows) {
    const opj_image_t& image = *header_;
    const std::uint32_t across = image.comps[1].dx;
    const std::uint32_t down = image.comps[1].dy;
    const auto ceilDiv = [](std::uint32_t value, std::uint32_t by) {
        return (value + by - 1) / by;
    };
    const std::uint32_t width = x1 - x0;
    // A component's tile spans the samples of its grid that fall within the tile.
    const std::uint32_t chromaLeft = ceilDiv(x0, across);
    const std::uint32_t chromaTop = ceilDiv(y0, down);
    const std::uint32_t chromaWidth = ceilDiv(x1, across) - chromaLeft;
    const std::uint32_t chromaRows = ceilDiv(y0 + rows, down) - chromaTop;
    const std::size_t lumaSize = std::size_t{width} * rows;
    const std::size_t chromaSize = std::size_t{chromaWidth} * chromaRows;
    if (chromaWidth == 0 || chromaRows == 0 || size < lumaSize + 2 * chromaSize)
        fail("cannot decode JPEG 2000 data (truncated or damaged)");
    const std::uint8_t* luma = data;
    const std::uint8_t* blue = data + lumaSize;
    const std::uint8_t* red = blue + chromaSize;
    // Each chroma sample stands for the pixels of its cell, as opj_decompress upsamples.
    chromaColumn_.resize(width);
    for (std::uint32_t x = 0; x < width; ++x)
        chromaColumn_[x] =
            std::min((x0 + x) / across - std::min((x0 + x) / across, chromaLeft), chromaWidth - 1);
    const std::size_t rowBytes = layout_.rowBytes();
    for (std::uint32_t y = 0; y < rows; ++y) {
        const std::uint32_t cell = (y0 + y) / down;
        const std::size_t chromaRow =
            std::min(cell - std::min(cell, chromaTop), chromaRows - 1) * std::size_t{chromaWidth};
        const std::uint8_t* lumaRow = luma + std::size_t{y} * width;
        std::uint8_t* out = band_.data() + y * rowBytes + std::size_t{x0 - header_->x0} * 3;
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::size_t at = chromaRow + chromaColumn_[x];
            syccToRgb(lumaRow[x], blue[at], red[at], out + std::size_t{x} * 3);
        }
    }
}

void Jp2Reader::fail(const std::string& what) const {
    throw Failure(path_, messages_.explain(what));
}

} // namespace sips
