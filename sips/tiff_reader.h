#pragma once

#include "pixels.h"

#include <memory>
#include <optional>
#include <string>
#include <tiffio.h>
#include <vector>

namespace sips {

// Decodes the first page of a TIFF. 8- or 16-bit grey, RGB or CMYK samples stream: interleaved
// strips row by row, tiles and separate planes a row of tiles or a strip at a time. Anything else
// (YCbCr, palettes, odd depths, premultiplied alpha) goes through libtiff's RGBA reader, which
// decodes the page whole.
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
    void readChunks(std::uint32_t top);
    [[noreturn]] void fail(const std::string& what) const;

    std::string path_;
    std::unique_ptr<TIFF, Closer> tiff_;
    Layout layout_;
    std::vector<std::uint8_t> wholeImage_; // only when not streaming
    std::uint32_t nextRow_ = 0;

    // Tiles, or strips of separate planes: each band of rows is put together from them.
    struct Chunks {
        bool tiled = false;
        std::uint32_t width = 0; // a tile's, or the picture's for strips
        std::uint32_t rows = 0;  // a tile's, or a strip's
        std::uint16_t planes = 1;
        std::vector<std::uint8_t> chunk; // one tile or strip as decoded
        std::vector<std::uint8_t> band;
        std::uint32_t bandTop = 0;
        std::uint32_t bandRows = 0;
    };
    std::optional<Chunks> chunks_;
};

} // namespace sips
