#pragma once

#include "density.h"
#include "jpeg_stream.h"
#include "jpeg_writer.h"
#include "pixels.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sips {

// What changes when a JPEG file is copied. Unset parts keep the source's segments.
struct JpegEdits {
    std::optional<Density> density;  // the JFIF density; a JFIF header is added where missing
    std::optional<JpegSegment> exif; // replaces the source's EXIF segment; empty bytes remove it
    std::optional<JpegSegment> xmp;  // replaces the source's XMP segment; empty bytes remove it
    bool dropPhotoshopResolution = false;
};

// Where the bytes from the first scan to the end-of-image marker lie in the source.
struct ScanSpan {
    std::uint64_t start = 0;
    std::uint64_t end = 0;
};

// The segments before the first scan as a copy keeps them, edits applied, in the source's order.
// A kept segment that is malformed (EXIF or XMP that does not parse, a broken ICC profile
// sequence, Photoshop or Adobe blocks that do not add up) is dropped with a warning; carried
// sources are always left out.
class JpegSegmentPlan final {
public:
    JpegSegmentPlan(const std::string& source, const JpegEdits& edits)
        : source_(source)
        , edits_(edits) {}

    // Takes the segment that started at `at` in the source.
    void take(JpegMarkerSegment segment, std::uint64_t at);

    // The copy's start-of-image marker and segments. A Multi-Picture index is rewritten for
    // where the copy puts the picture's end, the `scans` and the images after them unchanged.
    std::vector<std::uint8_t> header(const std::string& target, const ScanSpan& scans,
                                     std::uint64_t sourceSize);
    // The same for a copy whose scans are coded anew: a Multi-Picture index, whose offsets
    // depend on the scans' length, is left out with a warning.
    std::vector<std::uint8_t> headerWithoutIndex(const std::string& target);

    bool hasMpf() const { return mpfAt_.has_value(); }
    PictureSize size() const { return size_; }

private:
    void replaceOrCheck(JpegMarkerSegment segment, const std::optional<JpegSegment>& edit,
                        bool& placed, bool (*wellFormed)(const std::vector<std::uint8_t>&),
                        const char* what);
    void keepUneditableXmp(JpegMarkerSegment segment);
    void settle();
    std::vector<std::uint8_t> segments(const std::string& target, std::size_t& mpfAt) const;
    void drop(const char* what);

    const std::string& source_;
    const JpegEdits& edits_;
    std::optional<std::vector<std::uint8_t>> jfif_;
    std::vector<JpegMarkerSegment> kept_;
    std::optional<std::uint64_t> mpfAt_; // the source's MPF index, its TIFF header
    bool exifPlaced_ = false;
    bool xmpPlaced_ = false;
    PictureSize size_;
};

} // namespace sips
