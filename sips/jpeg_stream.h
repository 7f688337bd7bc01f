#pragma once

#include "pixels.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace sips {

// One marker segment: its marker code (0xC0 to 0xFE) and its payload, length bytes excluded.
struct JpegMarkerSegment {
    int marker = 0;
    std::vector<std::uint8_t> payload;

    bool isMetadata() const { return (marker >= 0xE0 && marker <= 0xEF) || marker == 0xFE; }
    // The segment as it stands in a file: FF, marker, length, payload.
    std::vector<std::uint8_t> bytes() const;
};

inline constexpr int startOfScan = 0xDA;

// The picture size a frame header (SOF0 to SOF15) gives, if `segment` is one that holds it.
std::optional<PictureSize> frameSize(const JpegMarkerSegment& segment);

// Walks a JPEG file without decoding it, in constant memory: the marker segments before the
// first scan one by one, then the scans as raw bytes up to the end-of-image marker. Structure
// that does not add up (a length running past the end, no end-of-image) is a Failure.
class JpegStream final {
public:
    // Reads from the current position of `in`, which must be a start-of-image marker.
    JpegStream(std::FILE* in, std::string name);

    // The next segment before the scans; the first start-of-scan segment is the last one given.
    JpegMarkerSegment next();
    // After the start-of-scan segment: every byte from there to the end-of-image marker (both
    // excluded from and included in the pieces respectively), scan markers and tables included.
    // The file is left just after the end-of-image marker.
    void passScans(const std::function<void(std::span<const std::uint8_t>)>& sink);

private:
    class ScanCursor;

    int readByte();
    [[noreturn]] void fail(const std::string& what) const;

    std::FILE* in_;
    std::string name_;
};

} // namespace sips
