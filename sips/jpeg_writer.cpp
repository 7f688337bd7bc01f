#include "jpeg_writer.h"

#include "atomic_file.h"
#include "failure.h"
#include "jpeg_error.h"

#include <algorithm>

namespace sips {

namespace {

constexpr int quality = 97;
constexpr std::uint32_t rowsPerBatch = 16;

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

J_COLOR_SPACE colourSpaceOf(ColourModel model) {
    switch (model) {
    case ColourModel::Grey:
        return JCS_GRAYSCALE;
    case ColourModel::Cmyk:
        return JCS_CMYK;
    default:
        return JCS_RGB;
    }
}

} // namespace

void requestJfifHeader(jpeg_compress_struct& info, const std::optional<Density>& density) {
    info.write_JFIF_header = TRUE;
    if (!density)
        return;
    const Density::Jfif jfif = density->jfif();
    info.density_unit = jfif.unit;
    info.X_density = jfif.x;
    info.Y_density = jfif.y;
}

void writeJpeg(RowReader& source, std::FILE* out, const std::string& target,
               const JpegExtras& extras) {
    const Layout& layout = source.layout();
    for (const JpegSegment& segment : extras.segments) {
        if (segment.bytes.size() > largestSegmentPayload)
            throw Failure(target, "metadata block too large for a JPEG segment");
    }

    Compressor compressor;
    jpeg_compress_struct& info = compressor.info;
    installJpegErrors(compressor.errors, *reinterpret_cast<jpeg_common_struct*>(&info));
    const bool started = jpegGuarded(compressor.errors, [&] {
        jpeg_create_compress(&info);
        compressor.created = true;
        jpeg_stdio_dest(&info, out);
        info.image_width = layout.width;
        info.image_height = layout.height;
        info.input_components = layout.channels();
        info.in_color_space = colourSpaceOf(layout.model);
        jpeg_set_defaults(&info);
        jpeg_set_quality(&info, quality, TRUE);
        for (int component = 0; component < info.num_components; ++component) {
            info.comp_info[component].h_samp_factor = 1;
            info.comp_info[component].v_samp_factor = 1;
        }
        info.dct_method = JDCT_ISLOW;
    });
    if (!started)
        failWriting(out, target, std::string("cannot encode JPEG: ") + compressor.errors.message);
    requestJfifHeader(info, extras.density);

    const bool headerWritten = jpegGuarded(compressor.errors, [&] {
        jpeg_start_compress(&info, TRUE);
        for (const JpegSegment& segment : extras.segments) {
            jpeg_write_marker(&info, segment.marker, segment.bytes.data(),
                              static_cast<unsigned>(segment.bytes.size()));
        }
        if (!extras.icc.empty()) {
            jpeg_write_icc_profile(&info, extras.icc.data(),
                                   static_cast<unsigned>(extras.icc.size()));
        }
        if (extras.streamedSegments)
            extras.streamedSegments(info);
    });
    if (!headerWritten)
        failWriting(out, target, std::string("cannot encode JPEG: ") + compressor.errors.message);

    const std::size_t rowBytes = layout.rowBytes();
    std::vector<std::uint8_t> batch(rowBytes * rowsPerBatch);
    std::uint32_t row = 0;
    while (row < layout.height) {
        const std::uint32_t count = std::min(rowsPerBatch, layout.height - row);
        source.read(batch.data(), count);
        // Adobe's convention, which every CMYK JPEG reader expects: 0 = full ink.
        if (layout.model == ColourModel::Cmyk) {
            for (std::size_t i = 0; i < count * rowBytes; ++i)
                batch[i] = static_cast<std::uint8_t>(255 - batch[i]);
        }
        std::uint8_t* data = batch.data();
        const bool written = jpegGuarded(compressor.errors, [&] {
            for (std::uint32_t done = 0; done < count;) {
                JSAMPROW pointer = data + done * rowBytes;
                done += jpeg_write_scanlines(&info, &pointer, 1);
            }
        });
        if (!written)
            failWriting(out, target,
                        std::string("cannot encode JPEG: ") + compressor.errors.message);
        row += count;
    }
    if (!jpegGuarded(compressor.errors, [&] { jpeg_finish_compress(&info); }))
        failWriting(out, target, std::string("cannot encode JPEG: ") + compressor.errors.message);
}

} // namespace sips
