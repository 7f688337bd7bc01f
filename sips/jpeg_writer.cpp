#include "jpeg_writer.h"

#include "atomic_file.h"
#include "band_prefetch.h"
#include "failure.h"
#include "jpeg_error.h"

#include <algorithm>
#include <jerror.h>
#include <utility>

namespace sips {

namespace {

constexpr int quality = 97;
// Rows decoded ahead while the header, the carry and the rows before them are written.
constexpr std::uint32_t rowsPerBand = 256;

// libjpeg's output into a stdio file through a buffer of ours, which can be flushed at any point
// so that bytes written straight into the file fall between libjpeg's.
struct FileSink final {
    jpeg_destination_mgr manager{}; // first member: libjpeg hands back a pointer to it
    std::FILE* file = nullptr;
    std::vector<JOCTET> buffer = std::vector<JOCTET>(1 << 16);

    // Writes what libjpeg has put in the buffer so far; false on a write error.
    bool flush() {
        const std::size_t pending = buffer.size() - manager.free_in_buffer;
        const bool written = std::fwrite(buffer.data(), 1, pending, file) == pending;
        manager.next_output_byte = buffer.data();
        manager.free_in_buffer = buffer.size();
        return written;
    }
};

FileSink& sinkOf(j_compress_ptr info) {
    return *reinterpret_cast<FileSink*>(info->dest);
}

extern "C" void startSink(j_compress_ptr info) {
    FileSink& sink = sinkOf(info);
    sink.manager.next_output_byte = sink.buffer.data();
    sink.manager.free_in_buffer = sink.buffer.size();
}

extern "C" boolean emptySink(j_compress_ptr info) {
    // libjpeg calls this with the buffer full, whatever free_in_buffer says.
    FileSink& sink = sinkOf(info);
    sink.manager.free_in_buffer = 0;
    if (!sink.flush())
        raiseJpegError(reinterpret_cast<j_common_ptr>(info), JERR_FILE_WRITE);
    return TRUE;
}

extern "C" void finishSink(j_compress_ptr info) {
    FileSink& sink = sinkOf(info);
    if (!sink.flush() || std::fflush(sink.file) != 0)
        raiseJpegError(reinterpret_cast<j_common_ptr>(info), JERR_FILE_WRITE);
}

// Owns a compressor; destroying it releases libjpeg's memory whatever state it is in.
struct Compressor final {
    JpegErrors errors;
    jpeg_compress_struct info{};
    FileSink sink;
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

// Runs a libjpeg step; an error in it fails the write with libjpeg's message.
template <typename Step>
void encodeStep(Compressor& compressor, std::FILE* out, const std::string& target, Step&& step) {
    if (!jpegGuarded(compressor.errors, std::forward<Step>(step)))
        failWriting(out, target, std::string("cannot encode JPEG: ") + compressor.errors.message);
}

void checkSegmentSizes(const JpegExtras& extras, const std::string& target) {
    for (const JpegSegment& segment : extras.segments) {
        if (segment.bytes.size() > largestSegmentPayload)
            throw Failure(target, "metadata block too large for a JPEG segment");
    }
}

// Quality 97, no chroma subsampling and the exact DCT, into `out` through the compressor's sink.
void setUpCompressor(Compressor& compressor, const Layout& layout, std::FILE* out,
                     const std::string& target) {
    jpeg_compress_struct& info = compressor.info;
    installJpegErrors(compressor.errors, *reinterpret_cast<jpeg_common_struct*>(&info));
    encodeStep(compressor, out, target, [&] {
        jpeg_create_compress(&info);
        compressor.created = true;
        compressor.sink.file = out;
        compressor.sink.manager.init_destination = startSink;
        compressor.sink.manager.empty_output_buffer = emptySink;
        compressor.sink.manager.term_destination = finishSink;
        info.dest = &compressor.sink.manager;
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
}

// Everything before the first scan: the markers, the ICC profile, then the streamed segments.
void writeHeader(Compressor& compressor, const JpegExtras& extras, std::FILE* out,
                 const std::string& target) {
    jpeg_compress_struct& info = compressor.info;
    requestJfifHeader(info, extras.density);
    encodeStep(compressor, out, target, [&] {
        jpeg_start_compress(&info, TRUE);
        for (const JpegSegment& segment : extras.segments) {
            jpeg_write_marker(&info, segment.marker, segment.bytes.data(),
                              static_cast<unsigned>(segment.bytes.size()));
        }
        if (!extras.icc.empty()) {
            jpeg_write_icc_profile(&info, extras.icc.data(),
                                   static_cast<unsigned>(extras.icc.size()));
        }
    });
    if (extras.streamedSegments) {
        extras.streamedSegments([&](std::span<const std::uint8_t> bytes) {
            if (!compressor.sink.flush())
                failWriting(out, target, "cannot write JPEG segments");
            writeBytes(out, target, bytes, "cannot write JPEG segments");
        });
    }
}

void writeRows(Compressor& compressor, BandPrefetch& bands, const Layout& layout, std::FILE* out,
               const std::string& target) {
    const std::size_t rowBytes = layout.rowBytes();
    // Adobe's convention, which every CMYK JPEG reader expects: 0 = full ink.
    std::vector<std::uint8_t> inverted(layout.model == ColourModel::Cmyk ? rowBytes : 0);
    for (std::uint32_t row = 0; row < layout.height;) {
        const std::span<const std::uint8_t> band = bands.next();
        const auto count = static_cast<std::uint32_t>(band.size() / rowBytes);
        encodeStep(compressor, out, target, [&] {
            for (std::uint32_t done = 0; done < count;) {
                const std::uint8_t* rowStart = band.data() + done * rowBytes;
                if (!inverted.empty()) {
                    for (std::size_t i = 0; i < rowBytes; ++i)
                        inverted[i] = static_cast<std::uint8_t>(255 - rowStart[i]);
                    rowStart = inverted.data();
                }
                // libjpeg reads the rows it is given; its prototype predates const.
                JSAMPROW pointer = const_cast<std::uint8_t*>(rowStart);
                done += jpeg_write_scanlines(&compressor.info, &pointer, 1);
            }
        });
        row += count;
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
    checkSegmentSizes(extras, target);
    BandPrefetch bands(source, rowsPerBand);
    Compressor compressor;
    setUpCompressor(compressor, layout, out, target);
    writeHeader(compressor, extras, out, target);
    writeRows(compressor, bands, layout, out, target);
    encodeStep(compressor, out, target, [&] { jpeg_finish_compress(&compressor.info); });
}

} // namespace sips
