#include "jpeg_copy.h"

#include "atomic_file.h"
#include "failure.h"
#include "jpeg_stream.h"
#include "picture_limits.h"
#include "stdio_file.h"

#include <array>

namespace sips {

namespace {

void put(std::FILE* out, const std::string& target, std::span<const std::uint8_t> bytes) {
    writeBytes(out, target, bytes, "cannot write the copy");
}

} // namespace

PictureSize copyJpeg(std::FILE* in, const std::string& source, std::FILE* out,
                     const std::string& target, const JpegEdits& edits) {
    JpegStream stream(in, source);
    JpegSegmentPlan plan(source, edits);
    ScanSpan scans;
    JpegMarkerSegment segment;
    for (;;) {
        const long at = std::ftell(in);
        segment = stream.next();
        if (segment.marker == startOfScan) {
            scans.start = static_cast<std::uint64_t>(at);
            break;
        }
        plan.take(std::move(segment), static_cast<std::uint64_t>(at));
    }
    if (plan.size() == PictureSize{})
        throw Failure(source,
                      "damaged or truncated JPEG file: no frame header before the first scan");
    const std::uint64_t size = sizeOf(in);
    checkJpegFrame(source, plan.size().width, plan.size().height, size);
    if (plan.hasMpf()) {
        // Where the picture ends decides the index of the images after it: a first pass.
        const long resume = std::ftell(in);
        stream.passScans([](std::span<const std::uint8_t>) {});
        scans.end = static_cast<std::uint64_t>(std::ftell(in));
        if (resume < 0 || std::fseek(in, resume, SEEK_SET) != 0)
            throw Failure(source, "cannot read the file again");
    }
    put(out, target, plan.header(target, scans, size));
    put(out, target, segment.bytes());
    stream.passScans([&](std::span<const std::uint8_t> bytes) { put(out, target, bytes); });
    // What follows the picture (further images, a video, a maker's trailer) travels as it is.
    std::array<std::uint8_t, 1 << 16> buffer;
    while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), in))
        put(out, target, {buffer.data(), got});
    if (std::ferror(in))
        throw Failure(source, "cannot read the data after the picture");
    return plan.size();
}

} // namespace sips
