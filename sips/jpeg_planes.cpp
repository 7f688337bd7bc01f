#include "jpeg_planes.h"

#include "failure.h"

#include <cstring>

namespace sips {

namespace {

constexpr int iccMarker[] = {JPEG_APP0 + 2};
constexpr char iccSignature[] = "ICC_PROFILE"; // with its terminating zero

bool hasIccProfile(const jpeg_decompress_struct& info) {
    for (jpeg_saved_marker_ptr marker = info.marker_list; marker; marker = marker->next) {
        if (marker->marker == iccMarker[0] && marker->data_length >= sizeof iccSignature &&
            std::memcmp(marker->data, iccSignature, sizeof iccSignature) == 0)
            return true;
    }
    return false;
}

// How many luma samples a chroma sample spans, when libjpeg's factors make it a whole number.
std::uint32_t spanOf(int luma, int chroma) {
    return chroma > 0 && luma % chroma == 0 ? static_cast<std::uint32_t>(luma / chroma) : 0;
}

// The samplings whose intermediate the readers convert back to RGB correctly: opj_decompress
// converts only 4:2:0, 4:2:2 and 4:4:4, and Pillow 9.4 neither converts unsubsampled sYCC nor
// places the chroma of a tile whose width or height is odd. So 4:2:0 and 4:2:2, in pictures
// whose sides are whole multiples of the chroma cell.
bool readersConvert(const YccPlanes& planes) {
    return planes.across == 2 && (planes.down == 1 || planes.down == 2) &&
           planes.width % planes.across == 0 && planes.height % planes.down == 0;
}

} // namespace

std::unique_ptr<JpegPlaneReader> JpegPlaneReader::open(const std::string& path) {
    // Owned at once; the constructor is private so that only a reader that takes planes exists.
    std::unique_ptr<JpegPlaneReader> reader(new JpegPlaneReader(path));
    if (!reader->takesPlanes())
        return nullptr;
    reader->start();
    return reader;
}

// Enough of each APP2 segment is kept to recognise an ICC profile.
JpegPlaneReader::JpegPlaneReader(std::string path)
    : decompressor_(std::move(path), iccMarker, sizeof iccSignature) {}

bool JpegPlaneReader::takesPlanes() {
    if (info_.jpeg_color_space != JCS_YCbCr || info_.num_components != 3 ||
        info_.data_precision != 8 || hasIccProfile(info_))
        return false;
    const jpeg_component_info* components = info_.comp_info;
    const jpeg_component_info& luma = components[0];
    const jpeg_component_info& blue = components[1];
    const jpeg_component_info& red = components[2];
    if (blue.h_samp_factor != red.h_samp_factor || blue.v_samp_factor != red.v_samp_factor ||
        luma.h_samp_factor != info_.max_h_samp_factor ||
        luma.v_samp_factor != info_.max_v_samp_factor)
        return false;
    planes_.width = info_.image_width;
    planes_.height = info_.image_height;
    planes_.across = spanOf(luma.h_samp_factor, blue.h_samp_factor);
    planes_.down = spanOf(luma.v_samp_factor, blue.v_samp_factor);
    return readersConvert(planes_);
}

void JpegPlaneReader::start() {
    info_.raw_data_out = TRUE;
    info_.out_color_space = JCS_YCbCr;
    info_.dct_method = JDCT_ISLOW;
    decompressor_.start();

    const jpeg_component_info* components = info_.comp_info;
    const PictureSize expected[3] = {{planes_.width, planes_.height},
                                     {planes_.chromaWidth(), planes_.chromaHeight()},
                                     {planes_.chromaWidth(), planes_.chromaHeight()}};
    for (int c = 0; c < 3; ++c) {
        const jpeg_component_info& component = components[c];
        if (component.downsampled_width != expected[c].width ||
            component.downsampled_height != expected[c].height)
            throw Failure(decompressor_.path(),
                          "cannot decode JPEG data: unexpected component size");
        const std::size_t rowBytes = std::size_t{component.width_in_blocks} * DCTSIZE;
        const std::size_t rows = static_cast<std::size_t>(component.v_samp_factor) * DCTSIZE;
        samples_[c].resize(rowBytes * rows);
        rows_[c].resize(rows);
        for (std::size_t row = 0; row < rows; ++row)
            rows_[c][row] = samples_[c].data() + row * rowBytes;
    }
    groupsPerImcu_ = static_cast<std::uint32_t>(components[1].v_samp_factor) * DCTSIZE;
    layout_ = planes_.groupLayout();
}

void JpegPlaneReader::readImcuRow() {
    JSAMPARRAY planes[3] = {rows_[0].data(), rows_[1].data(), rows_[2].data()};
    const auto lines = static_cast<JDIMENSION>(info_.max_v_samp_factor * DCTSIZE);
    JDIMENSION read = 0;
    decompressor_.guarded([&] { read = jpeg_read_raw_data(&info_, planes, lines); });
    if (read != lines)
        throw Failure(decompressor_.path(), "cannot decode JPEG data (truncated or damaged)");
}

void JpegPlaneReader::read(std::uint8_t* rows, std::uint32_t count) {
    const std::size_t width = planes_.width;
    const std::size_t chromaWidth = planes_.chromaWidth();
    for (std::uint32_t i = 0; i < count; ++i, ++nextGroup_) {
        const std::uint32_t inImcu = nextGroup_ % groupsPerImcu_;
        if (inImcu == 0)
            readImcuRow();
        std::uint8_t* group = rows + i * layout_.rowBytes();
        for (std::uint32_t line = 0; line < planes_.down; ++line)
            std::memcpy(group + line * width, rows_[0][inImcu * planes_.down + line], width);
        group += planes_.down * width;
        std::memcpy(group, rows_[1][inImcu], chromaWidth);
        std::memcpy(group + chromaWidth, rows_[2][inImcu], chromaWidth);
    }
}

} // namespace sips
