#pragma once

#include "pixels.h"

#include <memory>
#include <string>
#include <tiffio.h>
#include <vector>

namespace sips {

// Decodes the first page of a TIFF. Strips of 8- or 16-bit grey, RGB or CMYK samples stream row
// by row; anything else (tiles, planes, YCbCr, palettes, odd depths) goes through libtiff's RGBA
// reader, which decodes the page whole.
class TiffReader final : public RowReader {
public:
    explicit TiffReader(std::string path);

    const Layout& layout() const override { return layout_; }
    void read(std::uint8_t* rows, std::uint32_t count) override;

private:
    struct Closer {
        void operator()(TIFF* tiff) const { TIFFClose(tiff); }
    };

    std::uint64_t dataBytes() const;
    bool canStream(std::uint16_t photometric, std::uint16_t samples, std::uint16_t extraType) const;
    void decodeWhole(std::uint16_t orientation);
    [[noreturn]] void fail(const std::string& what) const;

    std::string path_;
    std::unique_ptr<TIFF, Closer> tiff_;
    Layout layout_;
    std::vector<std::uint8_t> wholeImage_; // only when not streaming
    std::uint32_t nextRow_ = 0;
};

} // namespace sips
