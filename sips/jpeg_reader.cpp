#include "jpeg_reader.h"

#include "failure.h"
#include "picture_limits.h"

namespace sips {

JpegReader::JpegReader(std::string path)
    : path_(std::move(path))
    , file_(openForReading(path_)) {
    installJpegErrors(errors_, *reinterpret_cast<jpeg_common_struct*>(&info_));
    const bool headerRead = jpegGuarded(errors_, [this] {
        jpeg_create_decompress(&info_);
        decompressor_.created = true;
        coefficients_.install(info_);
        jpeg_stdio_src(&info_, file_.get());
        jpeg_read_header(&info_, TRUE);
    });
    if (!headerRead)
        fail();
    // libjpeg sizes its buffers from the header, the whole picture's coefficients for
    // progressive files (in memory or in a file).
    const std::uint64_t width = info_.image_width;
    const std::uint64_t height = info_.image_height;
    checkJpegFrame(path_, width, height, sizeOf(file_.get()));

    const bool started = jpegGuarded(errors_, [this] {
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
    if (!started)
        fail();
    checkProgressionComplete(info_, path_);

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
    const std::string& store = coefficients_.failure();
    throw Failure(path_, "cannot decode JPEG data: " + (store.empty() ? errors_.message : store));
}

} // namespace sips
