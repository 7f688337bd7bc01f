#include "jpeg_stream.h"

#include "binary_fields.h"
#include "failure.h"

#include <array>

namespace sips {

std::vector<std::uint8_t> JpegMarkerSegment::bytes() const {
    std::vector<std::uint8_t> out{0xFF, static_cast<std::uint8_t>(marker)};
    appendBigEndian(out, payload.size() + 2, 2);
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

std::optional<PictureSize> frameSize(const JpegMarkerSegment& segment) {
    // DHT, JPG and DAC share the range.
    const int marker = segment.marker;
    if (marker < 0xC0 || marker > 0xCF || marker == 0xC4 || marker == 0xC8 || marker == 0xCC ||
        segment.payload.size() < 5)
        return std::nullopt;
    return PictureSize{static_cast<std::uint32_t>(readBigEndian(&segment.payload[3], 2)),
                       static_cast<std::uint32_t>(readBigEndian(&segment.payload[1], 2))};
}

JpegStream::JpegStream(std::FILE* in, std::string name)
    : in_(in)
    , name_(std::move(name)) {
    if (readByte() != 0xFF || readByte() != 0xD8)
        fail("no start-of-image marker");
}

int JpegStream::readByte() {
    const int value = std::fgetc(in_);
    if (value == EOF)
        fail("the file ends inside its headers");
    return value;
}

void JpegStream::fail(const std::string& what) const {
    throw Failure(name_, "damaged or truncated JPEG file: " + what);
}

JpegMarkerSegment JpegStream::next() {
    if (readByte() != 0xFF)
        fail("data where a marker belongs");
    int marker = readByte();
    while (marker == 0xFF) // fill bytes
        marker = readByte();
    // Only segments with a length may stand before the first scan.
    if (marker < 0xC0 || (marker >= 0xD0 && marker <= 0xD9))
        fail("an unexpected marker before the first scan");
    const int high = readByte();
    const int low = readByte();
    const std::size_t length = static_cast<std::size_t>(high << 8 | low);
    if (length < 2)
        fail("a marker segment shorter than its length field");
    JpegMarkerSegment segment{marker, std::vector<std::uint8_t>(length - 2)};
    if (std::fread(segment.payload.data(), 1, segment.payload.size(), in_) !=
        segment.payload.size())
        fail("the file ends inside a marker segment");
    return segment;
}

void JpegStream::passScans(const std::function<void(std::span<const std::uint8_t>)>& sink) {
    // Entropy-coded data ends at any marker other than a stuffed zero, a restart or fill; the
    // segments between scans (tables, further scans) are passed on whole.
    enum class State { Data, Marker, LengthHigh, LengthLow, Segment };
    State state = State::Data;
    std::size_t remaining = 0;
    std::array<std::uint8_t, 1 << 16> buffer;
    for (;;) {
        const std::size_t size = std::fread(buffer.data(), 1, buffer.size(), in_);
        if (size == 0)
            fail("the scan data stops before the end-of-image marker");
        std::size_t at = 0;
        while (at < size) {
            switch (state) {
            case State::Data: {
                const void* mark = std::memchr(buffer.data() + at, 0xFF, size - at);
                if (mark == nullptr) {
                    at = size;
                } else {
                    at = static_cast<std::size_t>(static_cast<const std::uint8_t*>(mark) -
                                                  buffer.data()) +
                         1;
                    state = State::Marker;
                }
                break;
            }
            case State::Marker: {
                const std::uint8_t marker = buffer[at++];
                if (marker == 0xD9) {
                    sink({buffer.data(), at});
                    // What follows the picture is the caller's to read.
                    if (std::fseek(in_, static_cast<long>(at) - static_cast<long>(size),
                                   SEEK_CUR) != 0)
                        fail("cannot read on after the end-of-image marker");
                    return;
                }
                if (marker == 0x00 || (marker >= 0xD0 && marker <= 0xD7))
                    state = State::Data;
                else if (marker == 0xFF)
                    state = State::Marker;
                else if (marker < 0xC0 || marker == 0xD8)
                    fail("an unexpected marker inside the scans");
                else
                    state = State::LengthHigh;
                break;
            }
            case State::LengthHigh:
                remaining = std::size_t{buffer[at++]} << 8;
                state = State::LengthLow;
                break;
            case State::LengthLow:
                remaining |= buffer[at++];
                if (remaining < 2)
                    fail("a marker segment shorter than its length field");
                remaining -= 2;
                state = remaining == 0 ? State::Data : State::Segment;
                break;
            case State::Segment: {
                const std::size_t step = std::min(remaining, size - at);
                at += step;
                remaining -= step;
                if (remaining == 0)
                    state = State::Data;
                break;
            }
            }
        }
        sink({buffer.data(), size});
    }
}

} // namespace sips
