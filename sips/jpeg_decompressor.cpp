#include "jpeg_decompressor.h"

#include "failure.h"
#include "picture_limits.h"

namespace sips {

JpegDecompressor::JpegDecompressor(std::string path, std::span<const int> savedMarkers,
                                   unsigned savedLength)
    : path_(std::move(path))
    , file_(openForReading(path_)) {
    jpeg_decompress_struct& info = libjpeg_.info;
    installJpegErrors(errors_, *reinterpret_cast<jpeg_common_struct*>(&info));
    guarded([&] {
        jpeg_create_decompress(&info);
        libjpeg_.created = true;
        coefficients_.install(info);
        jpeg_stdio_src(&info, file_.get());
        for (const int marker : savedMarkers)
            jpeg_save_markers(&info, marker, savedLength);
        jpeg_read_header(&info, TRUE);
    });
    // libjpeg sizes its buffers from the header, the whole picture's coefficients for
    // progressive files (in memory or in a file).
    checkJpegFrame(path_, info.image_width, info.image_height, sizeOf(file_.get()));
}

void JpegDecompressor::start() {
    jpeg_decompress_struct& info = libjpeg_.info;
    guarded([&] { jpeg_start_decompress(&info); });
    refuseMissingScans();
}

jvirt_barray_ptr* JpegDecompressor::readCoefficients() {
    jvirt_barray_ptr* arrays = nullptr;
    guarded([&] { arrays = jpeg_read_coefficients(&libjpeg_.info); });
    refuseMissingScans();
    return arrays;
}

void JpegDecompressor::lendCoefficients(jpeg_compress_struct& compressor) const {
    coefficients_.lend(compressor);
}

std::FILE* JpegDecompressor::fileAfterPicture() {
    const long position = std::ftell(file_.get());
    const std::size_t unread = libjpeg_.info.src->bytes_in_buffer;
    if (position < 0 || static_cast<std::size_t>(position) < unread ||
        std::fseek(file_.get(), position - static_cast<long>(unread), SEEK_SET) != 0)
        throw Failure(path_, "cannot read the file again");
    libjpeg_.info.src->bytes_in_buffer = 0;
    return file_.get();
}

void JpegDecompressor::refuseMissingScans() const {
    const jpeg_decompress_struct& info = libjpeg_.info;
    if (!info.progressive_mode || info.coef_bits == nullptr)
        return;
    for (int component = 0; component < info.num_components; ++component) {
        for (int k = 0; k < DCTSIZE2; ++k) {
            if (info.coef_bits[component][k] != 0)
                throw Failure(path_, "cannot decode JPEG data: progressive scans missing "
                                     "(truncated or damaged)");
        }
    }
}

void JpegDecompressor::fail() const {
    const std::string& store = coefficients_.failure();
    throw Failure(path_, "cannot decode JPEG data: " + (store.empty() ? errors_.message : store));
}

std::optional<Density> jfifDensity(const jpeg_decompress_struct& info) {
    if (!info.saw_JFIF_marker || info.X_density == 0 || info.Y_density == 0 ||
        (info.density_unit != 1 && info.density_unit != 2))
        return std::nullopt;
    return Density{{info.X_density, 1},
                   {info.Y_density, 1},
                   info.density_unit == 1 ? Density::Unit::Inch : Density::Unit::Centimetre};
}

} // namespace sips
