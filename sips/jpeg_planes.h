#pragma once

#include "jpeg_decompressor.h"
#include "ycc_planes.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sips {

// Reads the Y, Cb and Cr planes of a JPEG as they are coded, without upsampling or colour
// conversion (libjpeg's raw-data decode), an iMCU row at a time, as row groups (YccPlanes).
class JpegPlaneReader final : public RowReader {
public:
    // The reader of the JPEG at `path` when its planes stand for the picture on their own and
    // other readers convert them back: three components in YCbCr, 8 bits, Cb and Cr sampled alike
    // at 4:2:0 or 4:2:2, even sides, and no ICC profile (a profile describes the RGB picture,
    // which a JPEG 2000 file labelled sYCC cannot say). Else nullptr: JpegReader decodes it to
    // RGB. A damaged header is a Failure.
    static std::unique_ptr<JpegPlaneReader> open(const std::string& path);

    const YccPlanes& planes() const { return planes_; }
    // The JFIF density, when the file has one with a real unit.
    std::optional<Density> density() const { return jfifDensity(info_); }
    const Layout& layout() const override { return layout_; }
    void read(std::uint8_t* rows, std::uint32_t count) override;

private:
    explicit JpegPlaneReader(std::string path);
    bool takesPlanes();
    void start();
    void readImcuRow();

    JpegDecompressor decompressor_;
    jpeg_decompress_struct& info_ = decompressor_.info();
    YccPlanes planes_;
    Layout layout_;
    // One iMCU row of each component, as libjpeg fills it: rows padded to whole blocks.
    std::vector<std::uint8_t> samples_[3];
    std::vector<JSAMPROW> rows_[3];
    std::uint32_t groupsPerImcu_ = 0;
    std::uint32_t nextGroup_ = 0;
};

} // namespace sips
