#pragma once

#include "pixels.h"

#include <memory>
#include <optional>
#include <string>
#include <tiffio.h>
#include <vector>

namespace sips {

// Decodes the first page of a TIFF, a band of rows at a time. 8- or 16-bit grey, RGB or CMYK
// samples are read as stored: interleaved strips row by row, tiles and separate planes a row of
// tiles or a strip at a time. Anything else (YCbCr, palettes, bilevel and other depths,
// premultiplied alpha) goes through libtiff's RGBA reader, as 8-bit RGB(A), a band at a time too.
class TiffReader final : public RowReader {
public:
    explicit TiffReader(std::string path);

    const Layout& layout() const override { return layout_; }
    void read(std::uint8_t* rows, std::uint32_t count) override;

private:
    struct Closer {
        void operator()(TIFF* tiff) const { TIFFClose(tiff); }
    };
    // libtiff's RGBA reader, ended with its owner.
    struct RgbaImage {
        TIFFRGBAImage image{};
        bool begun = false;
        RgbaImage() = default;
        RgbaImage(const RgbaImage&) = delete;
        RgbaImage& operator=(const RgbaImage&) = delete;
        ~RgbaImage() {
            if (begun)
                TIFFRGBAImageEnd(&image);
        }
    };

    struct Fields;

    void open();
    Fields readFields() const;
    std::uint64_t dataBytes() const;
    // Whether the samples can be read as stored rather than through the RGBA reader.
    static bool canStream(const Fields& fields);
    void startStored(const Fields& fields);
    std::uint32_t chunkRows();
    void startRgba(std::uint16_t orientation);
    void readBand(std::uint32_t top);
    void readChunks(std::uint32_t top, std::uint32_t rows);
    void readRgba(std::uint32_t top, std::uint32_t rows);
    [[noreturn]] void fail(const std::string& what) const;

    std::string path_;
    std::unique_ptr<TIFF, Closer> tiff_;
    Layout layout_;
    std::uint32_t nextRow_ = 0;

    // Everything but interleaved strips: each band of rows is put together, then handed out.
    std::uint32_t bandRows_ = 0; // 0 for interleaved strips, read row by row
    std::vector<std::uint8_t> band_;
    std::uint32_t bandTop_ = 0;
    std::uint32_t bandFilled_ = 0;
    // Tiles and separate planes.
    bool tiled_ = false;
    std::uint32_t chunkWidth_ = 0; // a tile's, or the picture's for strips
    std::uint16_t planes_ = 1;
    std::vector<std::uint8_t> chunk_;
    // libtiff's RGBA reader.
    std::unique_ptr<RgbaImage> rgba_;
    std::vector<std::uint32_t> raster_;
};

} // namespace sips
