#include "jpeg_reader.h"

#include "failure.h"

namespace sips {

JpegReader::JpegReader(std::string path)
    : path_(std::move(path))
    , file_(openForReading(path_)) {
    installJpegErrors(errors_, *reinterpret_cast<jpeg_common_struct*>(&info_));
    const bool started = jpegGuarded(errors_, [this] {
        jpeg_create_decompress(&info_);
        created_ = true;
        jpeg_stdio_src(&info_, file_.get());
        jpeg_read_header(&info_, TRUE);
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
        jpeg_start_decompress(&info_);
    });
    if (!started) {
        // A throwing constructor runs no destructor: release the decoder here.
        if (created_)
            jpeg_destroy_decompress(&info_);
        created_ = false;
        fail();
    }

    layout_.width = info_.output_width;
    layout_.height = info_.output_height;
    layout_.bits = 8;
    layout_.model = info_.out_color_space == JCS_GRAYSCALE ? ColourModel::Grey
                    : info_.out_color_space == JCS_CMYK    ? ColourModel::Cmyk
                                                           : ColourModel::Rgb;
    // Files with an Adobe marker store CMYK inverted (0 = full ink).
    invertedInk_ = layout_.model == ColourModel::Cmyk && info_.saw_Adobe_marker;
    if (info_.saw_JFIF_marker && info_.X_density > 0 && info_.Y_density > 0 &&
        (info_.density_unit == 1 || info_.density_unit == 2)) {
        density_ =
            Density{{info_.X_density, 1},
                    {info_.Y_density, 1},
                    info_.density_unit == 1 ? Density::Unit::Inch : Density::Unit::Centimetre};
    }
}

JpegReader::~JpegReader() {
    if (created_)
        jpeg_destroy_decompress(&info_);
}

void JpegReader::read(std::uint8_t* rows, std::uint32_t count) {
    const std::size_t rowBytes = layout_.rowBytes();
    const bool complete = jpegGuarded(errors_, [&] {
        for (std::uint32_t done = 0; done < count;) {
            JSAMPROW row = rows + done * rowBytes;
            done += jpeg_read_scanlines(&info_, &row, 1);
        }
    });
    if (!complete)
        fail();
    if (invertedInk_) {
        for (std::uint8_t* sample = rows; sample != rows + count * rowBytes; ++sample)
            *sample = static_cast<std::uint8_t>(255 - *sample);
    }
}

void JpegReader::fail() const {
    throw Failure(path_, std::string("cannot decode JPEG data: ") + errors_.message);
}

} // namespace sips
