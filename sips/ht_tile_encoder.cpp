#include "ht_tile_encoder.h"

// OpenJPH's headers need its architecture header first.
#include <cstdarg>
#include <cstdio>
#include <openjph/ojph_arch.h>
#include <openjph/ojph_codestream.h>
#include <openjph/ojph_file.h>
#include <openjph/ojph_mem.h>
#include <openjph/ojph_message.h>
#include <openjph/ojph_params.h>
#include <stdexcept>

namespace sips {

namespace {

// The coded tile, kept in memory until it is spliced into the file.
class MemorySink final : public ojph::outfile_base {
public:
    std::size_t write(const void* data, std::size_t size) override {
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        bytes_.insert(bytes_.end(), bytes, bytes + size);
        return size;
    }
    ojph::si64 tell() override { return static_cast<ojph::si64>(bytes_.size()); }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

// OpenJPH's message classes have no virtual destructor; these live for the whole run and are
// never deleted through their base.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// OpenJPH prints its errors and throws; the tool reports the message once, as its own line.
class ThrowingError final : public ojph::message_error {
public:
    void operator()(int, const char*, int, const char* format, ...) override {
        char text[256];
        va_list arguments;
        va_start(arguments, format);
        std::vsnprintf(text, sizeof text, format, arguments);
        va_end(arguments);
        throw std::runtime_error(text);
    }
};

class SilentWarning final : public ojph::message_warning {
public:
    void operator()(int, const char*, int, const char*, ...) override {}
};

class SilentInfo final : public ojph::message_info {
public:
    void operator()(int, const char*, int, const char*, ...) override {}
};

#pragma GCC diagnostic pop

void routeOjphMessages() {
    static ThrowingError error;
    static SilentWarning warning;
    static SilentInfo info;
    static const bool routed = [] {
        ojph::configure_error(&error);
        ojph::configure_warning(&warning);
        ojph::configure_info(&info);
        return true;
    }();
    static_cast<void>(routed);
}

template <typename Sample>
void fillLine(ojph::line_buf& line, const std::uint8_t* row, int channels, int channel,
              std::uint32_t width) {
    const auto* samples = reinterpret_cast<const Sample*>(row) + channel;
    for (std::uint32_t x = 0; x < width; ++x)
        line.i32[x] = samples[std::size_t{x} * channels];
}

void fillPlaneLine(ojph::line_buf& line, const std::uint8_t* samples, std::uint32_t width) {
    for (std::uint32_t x = 0; x < width; ++x)
        line.i32[x] = samples[x];
}

// The samples of line `y` of `component` within the tile, from a band of row groups.
const std::uint8_t* planeLine(const YccPlanes& planes, const HtTile& tile,
                              const std::uint8_t* groups, std::size_t groupBytes,
                              std::uint32_t component, std::uint32_t y) {
    if (component == 0)
        return groups + (y / planes.down) * groupBytes + (y % planes.down) * planes.width + tile.x0;
    return groups + y * groupBytes + std::size_t{planes.down} * planes.width +
           (component - 1) * std::size_t{planes.chromaWidth()} + tile.x0 / planes.across;
}

std::vector<std::uint8_t> encodeTile(const HtCoding& coding, const HtTile& tile,
                                     const std::uint8_t* rows, std::size_t rowBytes) {
    routeOjphMessages();
    ojph::codestream codestream;
    ojph::param_siz siz = codestream.access_siz();
    siz.set_image_extent(ojph::point(tile.x0 + tile.width, tile.y0 + tile.height));
    siz.set_image_offset(ojph::point(tile.x0, tile.y0));
    siz.set_tile_size(ojph::size(coding.tileWidth, coding.tileHeight));
    siz.set_tile_offset(ojph::point(tile.x0, tile.y0));
    siz.set_num_components(static_cast<ojph::ui32>(coding.channels));
    for (int c = 0; c < coding.channels; ++c) {
        // Tiles start at multiples of the subsampling factors, so a component's tile holds the
        // samples of the picture's tile.
        const bool chroma = coding.planes && c > 0;
        const ojph::point factors =
            chroma ? ojph::point(coding.planes->across, coding.planes->down) : ojph::point(1, 1);
        siz.set_component(static_cast<ojph::ui32>(c), factors, static_cast<ojph::ui32>(coding.bits),
                          false);
    }
    ojph::param_cod cod = codestream.access_cod();
    cod.set_num_decomposition(static_cast<ojph::ui32>(coding.decompositions));
    cod.set_block_dims(64, 64);
    cod.set_reversible(true);
    cod.set_color_transform(coding.colourTransform);
    // Components of different sizes are given one after the other.
    codestream.set_planar(coding.planes.has_value());

    MemorySink sink;
    codestream.write_headers(&sink);
    // The library says which component's line it wants next.
    std::uint32_t linesGiven[4] = {};
    std::uint32_t widths[4] = {};
    std::uint32_t linesLeft = 0;
    for (int c = 0; c < coding.channels; ++c) {
        const ojph::point factors = siz.get_downsampling(static_cast<ojph::ui32>(c));
        widths[c] = (tile.x0 + tile.width + factors.x - 1) / factors.x - tile.x0 / factors.x;
        linesLeft += (tile.y0 + tile.height + factors.y - 1) / factors.y - tile.y0 / factors.y;
    }
    ojph::ui32 channel = 0;
    ojph::line_buf* line = codestream.exchange(nullptr, channel);
    for (; linesLeft > 0; --linesLeft) {
        const std::uint32_t y = linesGiven[channel]++;
        if (coding.planes) {
            const std::uint8_t* samples =
                planeLine(*coding.planes, tile, rows, rowBytes, channel, y);
            fillPlaneLine(*line, samples, widths[channel]);
        } else if (coding.bits > 8) {
            fillLine<std::uint16_t>(*line, rows + y * rowBytes, coding.channels,
                                    static_cast<int>(channel), tile.width);
        } else {
            fillLine<std::uint8_t>(*line, rows + y * rowBytes, coding.channels,
                                   static_cast<int>(channel), tile.width);
        }
        line = codestream.exchange(line, channel);
    }
    codestream.flush();
    codestream.close();
    return sink.take();
}

} // namespace

} // namespace sips

// The one name the module exports, looked up by the executable.
extern "C" [[gnu::visibility("default")]] sips::HtCoderEntry sipsEncodeHtTile;

extern "C" bool sipsEncodeHtTile(const sips::HtCoding& coding, const sips::HtTile& tile,
                                 const std::uint8_t* rows, std::size_t rowBytes,
                                 std::vector<std::uint8_t>& coded, std::string& problem) {
    try {
        coded = sips::encodeTile(coding, tile, rows, rowBytes);
        return true;
    } catch (const std::exception& error) {
        problem = error.what();
    } catch (...) {
        problem = "unknown error";
    }
    return false;
}
