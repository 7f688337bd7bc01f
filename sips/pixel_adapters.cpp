#include "pixel_adapters.h"

#include <array>
#include <cstring>

namespace sips {

namespace {

constexpr std::uint32_t full = 65535;

std::uint32_t onWhite(std::uint32_t value, std::uint32_t alpha) {
    return (value * alpha + full * (full - alpha) + full / 2) / full;
}

std::uint32_t inkToLight(std::uint32_t ink, std::uint32_t black) {
    return ((full - ink) * (full - black) + full / 2) / full;
}

} // namespace

PixelConverter::PixelConverter(RowReader& source, ColourModel model, int bits)
    : source_(source)
    , layout_{source.layout().width, source.layout().height, model, bits}
    , sourceRow_(source.layout().rowBytes()) {}

void PixelConverter::read(std::uint8_t* rows, std::uint32_t count) {
    for (std::uint32_t row = 0; row < count; ++row) {
        source_.read(sourceRow_.data(), 1);
        convertRow(sourceRow_.data(), rows + row * layout_.rowBytes());
    }
}

void PixelConverter::convertRow(const std::uint8_t* in, std::uint8_t* out) const {
    const Layout& from = source_.layout();
    const int inChannels = from.channels();
    const int outChannels = layout_.channels();
    const bool wide = from.bits > 8;
    const bool flatten = hasAlpha(from.model) && !hasAlpha(layout_.model);
    const bool fromInk = from.model == ColourModel::Cmyk && layout_.model != ColourModel::Cmyk;

    std::array<std::uint32_t, 4> pixel{};
    for (std::uint32_t x = 0; x < from.width; ++x) {
        for (int c = 0; c < inChannels; ++c) {
            const std::size_t index = std::size_t{x} * inChannels + c;
            if (wide) {
                std::uint16_t value;
                std::memcpy(&value, in + index * 2, 2);
                pixel[c] = value;
            } else {
                pixel[c] = in[index] * 257u;
            }
        }
        if (fromInk) {
            const std::uint32_t black = pixel[3];
            for (int c = 0; c < 3; ++c)
                pixel[c] = inkToLight(pixel[c], black);
        } else if (flatten) {
            const std::uint32_t alpha = pixel[inChannels - 1];
            for (int c = 0; c < inChannels - 1; ++c)
                pixel[c] = onWhite(pixel[c], alpha);
        }
        for (int c = 0; c < outChannels; ++c) {
            const std::size_t index = std::size_t{x} * outChannels + c;
            if (layout_.bits > 8) {
                const auto value = static_cast<std::uint16_t>(pixel[c]);
                std::memcpy(out + index * 2, &value, 2);
            } else {
                out[index] = static_cast<std::uint8_t>((pixel[c] * 255 + full / 2) / full);
            }
        }
    }
}

} // namespace sips
