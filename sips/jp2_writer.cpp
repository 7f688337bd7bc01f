#include "jp2_writer.h"

#include "atomic_file.h"
#include "band_prefetch.h"
#include "binary_fields.h"
#include "failure.h"
#include "openjpeg_support.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace sips {

namespace {

// Half-height tiles: two bands (one decoded while the other is encoded) take the memory one band
// of square tiles took, and OpenJPEG's threads keep as busy.
constexpr std::uint32_t tileSide = 512;
constexpr std::uint32_t tileRows = 256;
constexpr int mostResolutions = 6;

// Copies one tile out of a band of interleaved rows into OpenJPEG's planar layout.
template <typename Sample>
void extractTile(const std::uint8_t* band, std::size_t rowBytes, int channels, std::uint32_t x0,
                 std::uint32_t width, std::uint32_t height, std::uint8_t* tile) {
    auto* planes = reinterpret_cast<Sample*>(tile);
    const std::size_t planeSize = std::size_t{width} * height;
    for (std::uint32_t y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const Sample*>(band + y * rowBytes) + x0 * channels;
        for (int c = 0; c < channels; ++c) {
            Sample* plane = planes + c * planeSize + std::size_t{y} * width;
            for (std::uint32_t x = 0; x < width; ++x)
                plane[x] = row[x * channels + c];
        }
    }
}

} // namespace

Jp2Codestream writeJp2Codestream(RowReader& source, std::FILE* out, const std::string& target) {
    const Layout& layout = source.layout();
    const int channels = layout.channels();
    const std::uint32_t tileWidth = std::min(tileSide, layout.width);
    const std::uint32_t tileHeight = std::min(tileRows, layout.height);

    opj_cparameters_t parameters;
    opj_set_default_encoder_parameters(&parameters);
    parameters.tcp_numlayers = 1;
    parameters.tcp_rates[0] = 0; // lossless
    parameters.irreversible = 0;
    parameters.mode = 1; // arithmetic-coding bypass: still lossless, decodes about 20% faster
    parameters.cp_disto_alloc = 1;
    parameters.tile_size_on = OPJ_TRUE;
    parameters.cp_tdx = static_cast<int>(tileWidth);
    parameters.cp_tdy = static_cast<int>(tileHeight);
    // Each resolution level halves the tile; a tile must hold at least one sample at the lowest.
    parameters.numresolution = std::min(
        mostResolutions, static_cast<int>(std::bit_width(std::min(tileWidth, tileHeight))));
    parameters.tcp_mct = channels >= 3 && layout.model != ColourModel::Cmyk ? 1 : 0;

    std::vector<opj_image_cmptparm_t> components(static_cast<std::size_t>(channels));
    for (opj_image_cmptparm_t& component : components) {
        component = {};
        component.dx = 1;
        component.dy = 1;
        component.w = layout.width;
        component.h = layout.height;
        component.prec = static_cast<OPJ_UINT32>(layout.bits);
        component.sgnd = 0;
    }
    OpjImage image(opj_image_tile_create(static_cast<OPJ_UINT32>(channels), components.data(),
                                         OPJ_CLRSPC_UNSPECIFIED));
    if (!image)
        throw Failure(target, "out of memory");
    image->x0 = 0;
    image->y0 = 0;
    image->x1 = layout.width;
    image->y1 = layout.height;

    // The codestream box's length is known once the codestream is written.
    static constexpr std::uint8_t codestreamBox[8] = {0, 0, 0, 0, 'j', 'p', '2', 'c'};
    const long boxStart = std::ftell(out);
    if (boxStart < 0 ||
        std::fwrite(codestreamBox, 1, sizeof codestreamBox, out) != sizeof codestreamBox)
        failWriting(out, target, "cannot write the JPEG 2000 header");

    OpjMessages messages;
    OpjCodec codec(opj_create_compress(OPJ_CODEC_J2K));
    OpjStream stream = opjStreamOver(out, false);
    if (!codec || !stream)
        throw Failure(target, "out of memory");
    routeOpjMessages(codec.get(), messages);
    if (!opj_setup_encoder(codec.get(), &parameters, image.get()) ||
        !opj_codec_set_threads(codec.get(), opjThreadCount()) ||
        !opj_start_compress(codec.get(), image.get(), stream.get()))
        failWriting(out, target, messages.explain("cannot encode JPEG 2000"));

    const std::size_t rowBytes = layout.rowBytes();
    const std::uint32_t tilesAcross = (layout.width + tileWidth - 1) / tileWidth;
    BandPrefetch bands(source, tileHeight);
    std::vector<std::uint8_t> tile(std::size_t{tileWidth} * tileHeight * channels *
                                   layout.bytesPerSample());
    OPJ_UINT32 tileIndex = 0;
    for (std::uint32_t top = 0; top < layout.height; top += tileHeight) {
        const std::uint32_t height = std::min(tileHeight, layout.height - top);
        const std::uint8_t* band = bands.next().data();
        for (std::uint32_t across = 0; across < tilesAcross; ++across, ++tileIndex) {
            const std::uint32_t x0 = across * tileWidth;
            const std::uint32_t width = std::min(tileWidth, layout.width - x0);
            if (layout.bits > 8)
                extractTile<std::uint16_t>(band, rowBytes, channels, x0, width, height,
                                           tile.data());
            else
                extractTile<std::uint8_t>(band, rowBytes, channels, x0, width, height, tile.data());
            const auto size = static_cast<OPJ_UINT32>(std::size_t{width} * height * channels *
                                                      layout.bytesPerSample());
            if (!opj_write_tile(codec.get(), tileIndex, tile.data(), size, stream.get()))
                failWriting(out, target, messages.explain("cannot encode JPEG 2000"));
        }
    }
    if (!opj_end_compress(codec.get(), stream.get()))
        failWriting(out, target, messages.explain("cannot encode JPEG 2000"));
    const long end = std::ftell(out);
    // Length 0 (up to the end of the file) where it does not fit the box's 32 bits.
    const auto length = static_cast<std::uint64_t>(end - boxStart);
    const std::uint32_t recorded = length > 0xFFFFFFFFu ? 0 : static_cast<std::uint32_t>(length);
    std::uint8_t bytes[4];
    storeBigEndian(bytes, recorded, 4);
    if (end < 0 || std::fseek(out, boxStart, SEEK_SET) != 0 || std::fwrite(bytes, 1, 4, out) != 4 ||
        std::fseek(out, end, SEEK_SET) != 0)
        failWriting(out, target, "cannot write the JPEG 2000 codestream box");
    return {boxStart + static_cast<long>(sizeof codestreamBox), end, recorded != 0};
}

} // namespace sips
