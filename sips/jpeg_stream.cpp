#include "jpeg_stream.h"

#include "binary_fields.h"
#include "failure.h"

#include <algorithm>
#include <array>
#include <cstring>

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

// Follows the bytes after a start-of-scan segment, a buffer at a time, to the end-of-image marker.
// Entropy-coded data ends at any marker other than a stuffed zero, a restart or fill; the
// segments between scans (tables, further scans) are passed over whole.
class JpegStream::ScanCursor final {
public:
    explicit ScanCursor(const JpegStream& stream)
        : stream_(stream) {}

    // How many of `bytes` come up to and include the end-of-image marker; nullopt when it is not
    // among them.
    std::optional<std::size_t> endOfImageIn(std::span<const std::uint8_t> bytes) {
        std::size_t at = 0;
        while (at < bytes.size()) {
            switch (state_) {
            case State::Data:
                at = afterNextMarkerByte(bytes, at);
                break;
            case State::Marker:
                if (takeMarker(bytes[at++]))
                    return at;
                break;
            case State::LengthHigh:
                remaining_ = std::size_t{bytes[at++]} << 8;
                state_ = State::LengthLow;
                break;
            case State::LengthLow:
                takeLengthLow(bytes[at++]);
                break;
            case State::Segment: {
                const std::size_t step = std::min(remaining_, bytes.size() - at);
                at += step;
                remaining_ -= step;
                if (remaining_ == 0)
                    state_ = State::Data;
                break;
            }
            }
        }
        return std::nullopt;
    }

private:
    enum class State { Data, Marker, LengthHigh, LengthLow, Segment };

    std::size_t afterNextMarkerByte(std::span<const std::uint8_t> bytes, std::size_t at) {
        const void* mark = std::memchr(bytes.data() + at, 0xFF, bytes.size() - at);
        if (mark == nullptr)
            return bytes.size();
        state_ = State::Marker;
        return static_cast<std::size_t>(static_cast<const std::uint8_t*>(mark) - bytes.data()) + 1;
    }

    // True at the end-of-image marker.
    bool takeMarker(std::uint8_t marker) {
        if (marker == 0xD9)
            return true;
        if (marker == 0x00 || (marker >= 0xD0 && marker <= 0xD7))
            state_ = State::Data;
        else if (marker == 0xFF)
            state_ = State::Marker;
        else if (marker < 0xC0 || marker == 0xD8)
            stream_.fail("an unexpected marker inside the scans");
        else
            state_ = State::LengthHigh;
        return false;
    }

    void takeLengthLow(std::uint8_t low) {
        remaining_ |= low;
        if (remaining_ < 2)
            stream_.fail("a marker segment shorter than its length field");
        remaining_ -= 2;
        state_ = remaining_ == 0 ? State::Data : State::Segment;
    }

    const JpegStream& stream_;
    State state_ = State::Data;
    std::size_t remaining_ = 0;
};

void JpegStream::passScans(const std::function<void(std::span<const std::uint8_t>)>& sink) {
    ScanCursor cursor(*this);
    std::array<std::uint8_t, 1 << 16> buffer;
    for (;;) {
        const std::size_t size = std::fread(buffer.data(), 1, buffer.size(), in_);
        if (size == 0)
            fail("the scan data stops before the end-of-image marker");
        if (const std::optional<std::size_t> end = cursor.endOfImageIn({buffer.data(), size})) {
            sink({buffer.data(), *end});
            // What follows the picture is the caller's to read.
            if (std::fseek(in_, static_cast<long>(*end) - static_cast<long>(size), SEEK_CUR) != 0)
                fail("cannot read on after the end-of-image marker");
            return;
        }
        sink({buffer.data(), size});
    }
}

} // namespace sips
