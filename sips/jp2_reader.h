#pragma once

#include "file_kind.h"
#include "openjpeg_support.h"
#include "pixels.h"
#include "stdio_file.h"

#include <vector>

namespace sips {

// Decodes JPEG 2000 (JP2 file or bare codestream) a row of tiles at a time. Samples deeper than
// 8 bits come out as 16-bit, shallower ones scaled to 8. Four components are RGBA
// when the header says RGB or defines an alpha channel, else CMYK. sYCC (Cb and Cr possibly
// subsampled) comes out as RGB.
class Jp2Reader final : public RowReader {
public:
    Jp2Reader(std::string path, FileKind kind);

    const Layout& layout() const override { return layout_; }
    void read(std::uint8_t* rows, std::uint32_t count) override;

private:
    void readHeader();
    void readLayout(FileKind kind);
    void checkSyccComponents() const;
    void decodeNextBand();
    void storeTile(const std::uint8_t* data, std::uint32_t x0, std::uint32_t x1,
                   std::uint32_t rows);
    // Upsamples Cb and Cr of an sYCC tile and converts it to RGB.
    void storeSyccTile(const std::uint8_t* data, std::size_t size, std::uint32_t x0,
                       std::uint32_t x1, std::uint32_t y0, std::uint32_t rows);
    [[noreturn]] void fail(const std::string& what) const;

    std::string path_;
    FilePtr file_;
    OpjMessages messages_;
    OpjCodec codec_;
    OpjStream stream_;
    OpjImage header_;
    Layout layout_;
    std::vector<OPJ_UINT32> precision_; // per component, as stored
    bool sycc_ = false;
    std::vector<std::uint32_t> chromaColumn_; // of each column of a tile
    std::uint32_t tilesAcross_ = 1;
    std::uint32_t bandTop_ = 0;      // first image row in the band
    std::uint32_t bandRows_ = 0;     // rows the band holds
    std::uint32_t bandRowsRead_ = 0; // rows already handed out
    std::uint32_t nextBandRow_ = 0;  // tile row decoded next
    std::vector<std::uint8_t> band_;
    std::vector<std::uint8_t> tile_;
};

} // namespace sips
