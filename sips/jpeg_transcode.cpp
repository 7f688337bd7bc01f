#include "jpeg_transcode.h"

#include "failure.h"
#include "jpeg_error.h"
#include "photoshop_block.h"
#include "stdio_file.h"

#include <cstring>

namespace sips {

namespace {

// One error manager serves both ends; each jpegGuarded step re-arms it.
struct Transcoder final {
    JpegErrors errors;
    jpeg_decompress_struct in{};
    jpeg_compress_struct out{};
    bool inCreated = false;
    bool outCreated = false;
    Transcoder() = default;
    Transcoder(const Transcoder&) = delete;
    Transcoder& operator=(const Transcoder&) = delete;
    ~Transcoder() {
        if (outCreated)
            jpeg_destroy_compress(&out);
        if (inCreated)
            jpeg_destroy_decompress(&in);
    }
};

template <std::size_t N>
bool hasSignature(const jpeg_marker_struct& marker, int code, const char (&signature)[N]) {
    return marker.marker == code && marker.data_length >= N &&
           std::memcmp(marker.data, signature, N) == 0;
}

JpegSegment copyOf(const jpeg_marker_struct& marker) {
    return JpegSegment{marker.marker,
                       std::vector<std::uint8_t>(marker.data, marker.data + marker.data_length)};
}

// The source's segments with the edits applied, in the source's order. libjpeg writes the JFIF
// and Adobe headers itself, so the source's copies are left out.
std::vector<JpegSegment> editedSegments(jpeg_saved_marker_ptr marker, const JpegEdits& edits) {
    std::vector<JpegSegment> segments;
    bool exifPlaced = !edits.exif;
    bool xmpPlaced = !edits.xmp;
    for (; marker != nullptr; marker = marker->next) {
        if (hasSignature(marker[0], JPEG_APP0, "JFIF") ||
            hasSignature(marker[0], JPEG_APP0 + 14, "Adobe"))
            continue;
        if (edits.exif && hasSignature(marker[0], JPEG_APP0 + 1, "Exif\0")) {
            if (!exifPlaced)
                segments.push_back(*edits.exif);
            exifPlaced = true;
        } else if (edits.xmp &&
                   hasSignature(marker[0], JPEG_APP0 + 1, "http://ns.adobe.com/xap/1.0/")) {
            if (!xmpPlaced)
                segments.push_back(*edits.xmp);
            xmpPlaced = true;
        } else if (edits.dropPhotoshopResolution &&
                   hasSignature(marker[0], JPEG_APP0 + 13, photoshopSignature)) {
            std::vector<std::uint8_t> kept = withoutPhotoshopResolution(copyOf(marker[0]).bytes);
            if (!kept.empty())
                segments.push_back(JpegSegment{JPEG_APP0 + 13, std::move(kept)});
        } else {
            segments.push_back(copyOf(marker[0]));
        }
    }
    if (!xmpPlaced)
        segments.insert(segments.begin(), *edits.xmp);
    if (!exifPlaced)
        segments.insert(segments.begin(), *edits.exif);
    return segments;
}

} // namespace

void transcodeJpeg(const std::string& source, std::FILE* out, const std::string& target,
                   const JpegEdits& edits) {
    FilePtr in = openForReading(source);
    Transcoder transcoder;
    installJpegErrors(transcoder.errors, *reinterpret_cast<jpeg_common_struct*>(&transcoder.in));
    installJpegErrors(transcoder.errors, *reinterpret_cast<jpeg_common_struct*>(&transcoder.out));

    jvirt_barray_ptr* coefficients = nullptr;
    const bool read = jpegGuarded(transcoder.errors, [&] {
        jpeg_create_decompress(&transcoder.in);
        transcoder.inCreated = true;
        jpeg_stdio_src(&transcoder.in, in.get());
        jpeg_save_markers(&transcoder.in, JPEG_COM, 0xFFFF);
        for (int app = 0; app < 16; ++app)
            jpeg_save_markers(&transcoder.in, JPEG_APP0 + app, 0xFFFF);
        jpeg_read_header(&transcoder.in, TRUE);
        coefficients = jpeg_read_coefficients(&transcoder.in);
    });
    if (!read)
        throw Failure(source, std::string("cannot decode JPEG data: ") + transcoder.errors.message);

    const std::vector<JpegSegment> segments = editedSegments(transcoder.in.marker_list, edits);
    for (const JpegSegment& segment : segments) {
        if (segment.bytes.size() > largestSegmentPayload)
            throw Failure(target, "metadata block too large for a JPEG segment");
    }

    jpeg_compress_struct& info = transcoder.out;
    const bool prepared = jpegGuarded(transcoder.errors, [&] {
        jpeg_create_compress(&info);
        transcoder.outCreated = true;
        jpeg_stdio_dest(&info, out);
        jpeg_copy_critical_parameters(&transcoder.in, &info);
        info.optimize_coding = TRUE;
    });
    if (!prepared)
        throw Failure(target, std::string("cannot write JPEG: ") + transcoder.errors.message);
    if (edits.density || !transcoder.in.saw_JFIF_marker) {
        requestJfifHeader(info, edits.density);
    } else {
        info.write_JFIF_header = TRUE;
        info.density_unit = transcoder.in.density_unit;
        info.X_density = transcoder.in.X_density;
        info.Y_density = transcoder.in.Y_density;
    }

    const bool written = jpegGuarded(transcoder.errors, [&] {
        jpeg_write_coefficients(&info, coefficients);
        for (const JpegSegment& segment : segments) {
            jpeg_write_marker(&info, segment.marker, segment.bytes.data(),
                              static_cast<unsigned>(segment.bytes.size()));
        }
        jpeg_finish_compress(&info);
        jpeg_finish_decompress(&transcoder.in);
    });
    if (!written)
        throw Failure(target, std::string("cannot write JPEG: ") + transcoder.errors.message);
}

} // namespace sips
