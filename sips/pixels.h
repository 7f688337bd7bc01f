#pragma once

#include <cstddef>
#include <cstdint>

namespace sips {

enum class ColourModel { Grey, GreyAlpha, Rgb, RgbAlpha, Cmyk };

constexpr int channelCount(ColourModel model) {
    switch (model) {
    case ColourModel::Grey:
        return 1;
    case ColourModel::GreyAlpha:
        return 2;
    case ColourModel::Rgb:
        return 3;
    case ColourModel::RgbAlpha:
    case ColourModel::Cmyk:
        return 4;
    }
    return 0;
}

// The model of a picture by its channel count; four channels are CMYK ink only when
// `fourAreInk`, else RGB with alpha.
constexpr ColourModel modelOfChannels(unsigned count, bool fourAreInk) {
    switch (count) {
    case 1:
        return ColourModel::Grey;
    case 2:
        return ColourModel::GreyAlpha;
    case 3:
        return ColourModel::Rgb;
    default:
        return fourAreInk ? ColourModel::Cmyk : ColourModel::RgbAlpha;
    }
}

constexpr bool hasAlpha(ColourModel model) {
    return model == ColourModel::GreyAlpha || model == ColourModel::RgbAlpha;
}

struct PictureSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool operator==(const PictureSize&) const = default;
};

// How rows are laid out in memory: interleaved samples, 8-bit or native-endian 16-bit.
// CMYK samples count ink (0 = none), whatever convention the file uses.
struct Layout {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    ColourModel model = ColourModel::Rgb;
    int bits = 8;

    int channels() const { return channelCount(model); }
    std::size_t bytesPerSample() const { return bits > 8 ? 2 : 1; }
    std::size_t rowBytes() const { return std::size_t{width} * channels() * bytesPerSample(); }
};

// A picture delivered top to bottom, a few rows at a time, so that no stage holds it whole.
class RowReader {
public:
    virtual ~RowReader() = default;
    virtual const Layout& layout() const = 0;
    // Fills `rows` with the next `count` rows, each layout().rowBytes() long.
    virtual void read(std::uint8_t* rows, std::uint32_t count) = 0;
};

} // namespace sips
