#include "jpeg_segment_plan.h"

#include "atomic_file.h"
#include "binary_fields.h"
#include "carry.h"
#include "exif_structure.h"
#include "failure.h"
#include "messages.h"
#include "mpf_index.h"
#include "photoshop_block.h"

#include <algorithm>
#include <exiv2/exiv2.hpp>

namespace sips {

namespace {

constexpr int app0 = 0xE0;
constexpr int app1 = 0xE1;
constexpr int app2 = 0xE2;
constexpr int app13 = 0xED;
constexpr int app14 = 0xEE;

bool isJfif(const JpegMarkerSegment& segment) {
    return segment.marker == app0 && startsWith(segment.payload, jfifSignature);
}

bool isExif(const JpegMarkerSegment& segment) {
    return segment.marker == app1 && startsWith(segment.payload, exifSignature);
}

bool isXmp(const JpegMarkerSegment& segment) {
    return segment.marker == app1 && startsWith(segment.payload, xmpSignature);
}

bool isIcc(const JpegMarkerSegment& segment) {
    return segment.marker == app2 && startsWith(segment.payload, iccSignature);
}

bool isMpf(const JpegMarkerSegment& segment) {
    return segment.marker == app2 && startsWith(segment.payload, mpfSignature, sizeof mpfSignature);
}

// JFIF: signature, version (2), unit, X and Y density (2 each), thumbnail width and height, RGB
// thumbnail samples.
constexpr std::size_t jfifFixedSize = 14;

bool jfifWellFormed(const std::vector<std::uint8_t>& payload) {
    return payload.size() >= jfifFixedSize &&
           payload.size() - jfifFixedSize == std::size_t{3} * payload[12] * payload[13];
}

std::vector<std::uint8_t> jfifPayload(std::vector<std::uint8_t> payload, const Density& density) {
    if (payload.empty())
        payload = {'J', 'F', 'I', 'F', 0, 1, 2, 0, 0, 1, 0, 1, 0, 0};
    const Density::Jfif jfif = density.jfif();
    payload[7] = jfif.unit;
    storeBigEndian(&payload[8], jfif.x, 2);
    storeBigEndian(&payload[10], jfif.y, 2);
    return payload;
}

bool exifWellFormed(const std::vector<std::uint8_t>& payload) {
    return exifStructureSound(std::span(payload).subspan(sizeof exifSignature));
}

bool xmpParses(const std::string& packet) {
    try {
        Exiv2::XmpData data;
        return Exiv2::XmpParser::decode(data, packet) == 0;
    } catch (const Exiv2::AnyError&) {
        return false;
    }
}

std::string xmpPacket(const std::vector<std::uint8_t>& payload) {
    return std::string(payload.begin() + sizeof xmpSignature, payload.end());
}

// Exiv2's XMP parser refuses packets other readers take (duplicate properties, for one); a packet
// that is whole, opening and closing as XMP does, is kept.
bool xmpWellFormed(const std::vector<std::uint8_t>& payload) {
    const std::string packet = xmpPacket(payload);
    const std::size_t start = packet.find_first_not_of(" \t\r\n");
    const bool opens = start != std::string::npos && (packet.compare(start, 9, "<?xpacket") == 0 ||
                                                      packet.compare(start, 10, "<x:xmpmeta") == 0);
    const bool closes = packet.find("</x:xmpmeta>") != std::string::npos;
    return (opens && closes) || xmpParses(packet);
}

// ICC profiles are split over numbered APP2 segments: "ICC_PROFILE\0", number, count, bytes.
bool iccSequenceWellFormed(const std::vector<JpegMarkerSegment>& segments) {
    std::vector<bool> seen;
    for (const JpegMarkerSegment& segment : segments) {
        if (!isIcc(segment))
            continue;
        const std::size_t header = sizeof iccSignature + 2;
        if (segment.payload.size() <= header)
            return false;
        const int number = segment.payload[header - 2];
        const int count = segment.payload[header - 1];
        if (seen.empty())
            seen.assign(static_cast<std::size_t>(count) + 1, false);
        if (count == 0 || std::size_t(count) + 1 != seen.size() || number == 0 || number > count ||
            seen[static_cast<std::size_t>(number)])
            return false;
        seen[static_cast<std::size_t>(number)] = true;
    }
    return std::find(seen.begin() + (seen.empty() ? 0 : 1), seen.end(), false) == seen.end();
}

void putSegment(std::vector<std::uint8_t>& header, const std::string& target, int marker,
                const std::vector<std::uint8_t>& payload) {
    if (payload.size() > largestSegmentPayload)
        throw Failure(target, "metadata block too large for a JPEG segment");
    const std::vector<std::uint8_t> bytes = JpegMarkerSegment{marker, payload}.bytes();
    header.insert(header.end(), bytes.begin(), bytes.end());
}

} // namespace

void JpegSegmentPlan::take(JpegMarkerSegment segment, std::uint64_t at) {
    if (isCarrySegment(segment))
        return;
    if (isMpf(segment)) {
        if (mpfAt_)
            return drop("second MPF");
        mpfAt_ = at + 4 + sizeof mpfSignature;
    }
    if (const std::optional<PictureSize> frame = frameSize(segment))
        size_ = *frame;
    if (isJfif(segment)) {
        if (jfif_) // a second one says nothing new
            return;
        if (!jfifWellFormed(segment.payload))
            return drop("JFIF");
        jfif_ = std::move(segment.payload);
    } else if (isExif(segment)) {
        replaceOrCheck(std::move(segment), edits_.exif, exifPlaced_, exifWellFormed, "EXIF");
    } else if (isXmp(segment)) {
        if (edits_.xmp && edits_.xmp->bytes.empty() && !xmpPlaced_)
            keepUneditableXmp(std::move(segment));
        else
            replaceOrCheck(std::move(segment), edits_.xmp, xmpPlaced_, xmpWellFormed, "XMP");
    } else if (segment.marker == app13 && startsWith(segment.payload, photoshopSignature)) {
        std::optional<std::vector<std::uint8_t>> kept =
            checkedPhotoshopBlock(segment.payload, edits_.dropPhotoshopResolution);
        if (!kept)
            return drop("Photoshop");
        if (!kept->empty())
            kept_.push_back({app13, std::move(*kept)});
    } else if (segment.marker == app14 && startsWith(segment.payload, adobeSignature, 5)) {
        if (segment.payload.size() < 12)
            return drop("Adobe");
        kept_.push_back(std::move(segment));
    } else {
        kept_.push_back(std::move(segment));
    }
}

std::vector<std::uint8_t> JpegSegmentPlan::header(const std::string& target, const ScanSpan& scans,
                                                  std::uint64_t sourceSize) {
    settle();
    std::size_t mpfAt = 0;
    std::vector<std::uint8_t> header = segments(target, mpfAt);
    if (!mpfAt_)
        return header;
    const auto mpf = std::find_if(kept_.begin(), kept_.end(), isMpf);
    const MpfPlacement copy{mpfAt + 4 + sizeof mpfSignature,
                            header.size() + (scans.end - scans.start)};
    const std::optional<std::vector<std::uint8_t>> relocated =
        relocatedMpfIndex(mpf->payload, MpfPlacement{*mpfAt_, scans.end}, sourceSize, copy);
    if (relocated) {
        std::copy(relocated->begin(), relocated->end(),
                  header.begin() + copy.indexAt - sizeof mpfSignature);
        return header;
    }
    kept_.erase(mpf);
    drop("MPF");
    return segments(target, mpfAt);
}

void JpegSegmentPlan::replaceOrCheck(JpegMarkerSegment segment,
                                     const std::optional<JpegSegment>& edit, bool& placed,
                                     bool (*wellFormed)(const std::vector<std::uint8_t>&),
                                     const char* what) {
    if (edit) {
        if (!placed && !edit->bytes.empty())
            kept_.push_back({edit->marker, edit->bytes});
        placed = true;
    } else if (wellFormed(segment.payload)) {
        kept_.push_back(std::move(segment));
    } else {
        drop(what);
    }
}

// The edit found no XMP it could read: a packet Exiv2 cannot parse stays unless it records a
// resolution, which could not be brought up to date.
void JpegSegmentPlan::keepUneditableXmp(JpegMarkerSegment segment) {
    xmpPlaced_ = true;
    const std::string packet = xmpPacket(segment.payload);
    if (xmpParses(packet))
        return; // it held nothing
    if (packet.find("Resolution") != std::string::npos)
        return warn(source_, "left out an XMP packet that records an older resolution and "
                             "cannot be edited");
    if (!xmpWellFormed(segment.payload))
        return drop("XMP");
    kept_.push_back(std::move(segment));
}

std::vector<std::uint8_t> JpegSegmentPlan::headerWithoutIndex(const std::string& target) {
    settle();
    if (mpfAt_) {
        std::erase_if(kept_, isMpf);
        warn(source_, "left out the MPF index: the images it lists after the picture are no "
                      "longer listed");
    }
    std::size_t mpfAt = 0;
    return segments(target, mpfAt);
}

// The last checks and edits, once every segment is in.
void JpegSegmentPlan::settle() {
    if (!iccSequenceWellFormed(kept_)) {
        std::erase_if(kept_, isIcc);
        drop("ICC profile");
    }
    if (edits_.density)
        jfif_ = jfifPayload(jfif_.value_or(std::vector<std::uint8_t>{}), *edits_.density);
}

// The header bytes; `mpfAt` receives where the MPF segment starts in them.
std::vector<std::uint8_t> JpegSegmentPlan::segments(const std::string& target,
                                                    std::size_t& mpfAt) const {
    std::vector<std::uint8_t> header{0xFF, 0xD8};
    if (jfif_)
        putSegment(header, target, app0, *jfif_);
    for (const std::optional<JpegSegment>* added : {&edits_.exif, &edits_.xmp}) {
        const bool placed = added == &edits_.exif ? exifPlaced_ : xmpPlaced_;
        if (*added && !placed && !(*added)->bytes.empty())
            putSegment(header, target, (*added)->marker, (*added)->bytes);
    }
    for (const JpegMarkerSegment& segment : kept_) {
        if (isMpf(segment))
            mpfAt = header.size();
        putSegment(header, target, segment.marker, segment.payload);
    }
    return header;
}

void JpegSegmentPlan::drop(const char* what) {
    warn(source_, std::string("left out a malformed ") + what + " segment");
}

} // namespace sips
