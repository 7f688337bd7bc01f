#include "jp2_reader.h"

#include "binary_fields.h"
#include "failure.h"
#include "jp2_boxes.h"
#include "picture_limits.h"
#include "stdio_file.h"

#include <algorithm>
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

    const opj_image_t& image = *header_;
    const OPJ_UINT32 count = image.numcomps;
    if (count == 0 || count > 4 || image.x1 <= image.x0 || image.y1 <= image.y0)
        fail("unsupported JPEG 2000 layout");
    bool alpha = false;
    OPJ_UINT32 deepest = 0;
    for (OPJ_UINT32 c = 0; c < count; ++c) {
        const opj_image_comp_t& component = image.comps[c];
        if (component.dx != 1 || component.dy != 1 || component.sgnd != 0 || component.prec == 0 ||
            component.prec > 16)
            fail("unsupported JPEG 2000 components (subsampled, signed or deeper than 16 bits)");
        alpha = alpha || component.alpha != 0;
        deepest = std::max(deepest, component.prec);
        precision_.push_back(component.prec);
    }
    // OpenJPEG's tile decoder leaves colour space and channel definitions unread.
    const Jp2ColourHints hints =
        kind == FileKind::Jp2 ? readJp2ColourHints(path_) : Jp2ColourHints{};
    alpha = alpha || hints.alphaChannel == static_cast<int>(count) - 1;
    if (hints.space == Jp2ColourHints::Space::Ycc || image.color_space == OPJ_CLRSPC_SYCC ||
        image.color_space == OPJ_CLRSPC_EYCC)
        fail("unsupported JPEG 2000 colour space (YCC)");

    layout_.width = image.x1 - image.x0;
    layout_.height = image.y1 - image.y0;
    layout_.bits = deepest > 8 ? 16 : 8;
    layout_.model = modelOfChannels(count, !alpha && hints.space != Jp2ColourHints::Space::Rgb);

    opj_codestream_info_v2_t* info = opj_get_cstr_info(codec_.get());
    if (info == nullptr)
        fail("cannot decode JPEG 2000 data (truncated or damaged)");
    tilesAcross_ = info->tw;
    opj_destroy_cstr_info(&info);
    bandTop_ = image.y0;
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

void Jp2Reader::fail(const std::string& what) const {
    throw Failure(path_, messages_.explain(what));
}

} // namespace sips
