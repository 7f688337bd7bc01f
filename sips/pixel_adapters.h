#pragma once

#include "pixels.h"

#include <vector>

namespace sips {

// Turns rows into the colour model and depth an encoder takes. Transparency cannot survive in
// JPEG data, so alpha is composited on white (what a viewer shows over a white page); CMYK becomes
// RGB by the plain ink formula (no colour management); 16-bit samples round to 8.
class PixelConverter final : public RowReader {
public:
    PixelConverter(RowReader& source, ColourModel model, int bits);

    const Layout& layout() const override { return layout_; }
    void read(std::uint8_t* rows, std::uint32_t count) override;

private:
    void convertRow(const std::uint8_t* in, std::uint8_t* out) const;

    RowReader& source_;
    Layout layout_;
    std::vector<std::uint8_t> sourceRow_;
};

} // namespace sips
