#include "jpeg_transcode.h"

#include "atomic_file.h"
#include "binary_fields.h"
#include "failure.h"
#include "jpeg_decompressor.h"
#include "jpeg_error.h"

#include <array>

namespace sips {

namespace {

// Every APPn and COM segment, whole.
constexpr std::array<int, 17> metadataMarkers = {
    JPEG_APP0,      JPEG_APP0 + 1,  JPEG_APP0 + 2,  JPEG_APP0 + 3,  JPEG_APP0 + 4,  JPEG_APP0 + 5,
    JPEG_APP0 + 6,  JPEG_APP0 + 7,  JPEG_APP0 + 8,  JPEG_APP0 + 9,  JPEG_APP0 + 10, JPEG_APP0 + 11,
    JPEG_APP0 + 12, JPEG_APP0 + 13, JPEG_APP0 + 14, JPEG_APP0 + 15, JPEG_COM};
constexpr unsigned wholeSegment = 0xFFFF;

// Owns a compressor; destroying it releases libjpeg's memory whatever state it is in.
struct Compressor final {
    JpegErrors errors;
    jpeg_compress_struct info{};
    bool created = false;
    Compressor() = default;
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;
    ~Compressor() {
        if (created)
            jpeg_destroy_compress(&info);
    }
};

} // namespace

PictureSize transcodeJpeg(const std::string& path, const std::string& source, std::FILE* out,
                          const std::string& target, const JpegEdits& edits) {
    JpegDecompressor reader(path, metadataMarkers, wholeSegment);
    jpeg_decompress_struct& in = reader.info();
    JpegSegmentPlan plan(source, edits);
    for (jpeg_saved_marker_ptr marker = in.marker_list; marker; marker = marker->next)
        plan.take({marker->marker, {marker->data, marker->data + marker->data_length}}, 0);
    jvirt_barray_ptr* coefficients = reader.readCoefficients();
    const std::vector<std::uint8_t> header = plan.headerWithoutIndex(target);

    Compressor compressor;
    jpeg_compress_struct& info = compressor.info;
    installJpegErrors(compressor.errors, *reinterpret_cast<jpeg_common_struct*>(&info));
    const bool written = jpegGuarded(compressor.errors, [&] {
        jpeg_create_compress(&info);
        compressor.created = true;
        jpeg_stdio_dest(&info, out);
        jpeg_copy_critical_parameters(&in, &info);
        // The plan's segments stand for the source's JFIF and Adobe headers.
        info.write_JFIF_header = FALSE;
        info.write_Adobe_marker = FALSE;
        info.restart_interval = in.restart_interval;
        info.arith_code = in.arith_code;
        info.optimize_coding = !in.arith_code;
        if (in.progressive_mode)
            jpeg_simple_progression(&info);
        reader.lendCoefficients(info);
        jpeg_write_coefficients(&info, coefficients);
        // The header holds the start-of-image marker, then whole segments.
        for (std::size_t at = 2; at + 4 <= header.size();) {
            const auto length = static_cast<unsigned>(readBigEndian(&header[at + 2], 2));
            jpeg_write_marker(&info, header[at + 1], &header[at + 4], length - 2);
            at += 2 + length;
        }
        jpeg_finish_compress(&info);
    });
    if (!written)
        failWriting(out, target,
                    std::string("cannot write the copy: ") + compressor.errors.message);

    // What follows the picture (further images, a video, a maker's trailer) travels as it is.
    std::array<std::uint8_t, 1 << 16> buffer;
    std::FILE* file = reader.fileAfterPicture();
    while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file))
        writeBytes(out, target, {buffer.data(), got}, "cannot write the copy");
    if (std::ferror(file))
        throw Failure(source, "cannot read the data after the picture");
    return {in.image_width, in.image_height};
}

} // namespace sips
