#include "jpeg_reader.h"

namespace sips {

JpegReader::JpegReader(std::string path)
    : decompressor_(std::move(path)) {
    switch (info_.jpeg_color_space) {
    case JCS_GRAYSCALE:
        info_.out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        info_.out_color_space = JCS_CMYK;
        break;
    default:
        info_.out_color_space = JCS_RGB;
        break;
    }
    info_.dct_method = JDCT_ISLOW;
    decompressor_.start();

    layout_.width = info_.output_width;
    layout_.height = info_.output_height;
    layout_.bits = 8;
    layout_.model = info_.out_color_space == JCS_GRAYSCALE ? ColourModel::Grey
                    : info_.out_color_space == JCS_CMYK    ? ColourModel::Cmyk
                                                           : ColourModel::Rgb;
    // Files with an Adobe marker store CMYK inverted (0 = full ink).
    invertedInk_ = layout_.model == ColourModel::Cmyk && info_.saw_Adobe_marker;
    density_ = jfifDensity(info_);
}

void JpegReader::read(std::uint8_t* rows, std::uint32_t count) {
    const std::size_t rowBytes = layout_.rowBytes();
    decompressor_.guarded([&] {
        for (std::uint32_t done = 0; done < count;) {
            JSAMPROW row = rows + done * rowBytes;
            done += jpeg_read_scanlines(&info_, &row, 1);
        }
    });
    if (invertedInk_) {
        for (std::uint8_t* sample = rows; sample != rows + count * rowBytes; ++sample)
            *sample = static_cast<std::uint8_t>(255 - *sample);
    }
}

} // namespace sips
