#pragma once

#include "density.h"
#include "jpeg_decompressor.h"
#include "pixels.h"

#include <optional>
#include <string>

namespace sips {

// Decodes a JPEG file row by row: grey stays grey, CMYK and YCCK come out as CMYK, the rest RGB.
// Damaged scan data is an error, never grey rows.
class JpegReader final : public RowReader {
public:
    explicit JpegReader(std::string path);

    const Layout& layout() const override { return layout_; }
    void read(std::uint8_t* rows, std::uint32_t count) override;
    // The JFIF density, when the file has one with a real unit.
    const std::optional<Density>& density() const { return density_; }

private:
    JpegDecompressor decompressor_;
    jpeg_decompress_struct& info_ = decompressor_.info();
    bool invertedInk_ = false;
    Layout layout_;
    std::optional<Density> density_;
};

} // namespace sips
