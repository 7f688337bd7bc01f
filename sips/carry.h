#pragma once

#include "atomic_file.h"
#include "file_kind.h"
#include "jpeg_stream.h"
#include "jpeg_writer.h"
#include "pixels.h"
#include "sha256.h"
#include "stdio_file.h"

#include <cstdint>
#include <cstdio>
#include <future>
#include <memory>
#include <optional>
#include <string>

namespace sips {

// The intermediate files carry the source picture's own bytes, so that the final copy can be
// made from the source instead of from the intermediate's lossy or flattened samples.
//
// A carry is a `uuid` box: LBox, "uuid", carryUuid, then
//   version (1) = 1, kind (1), reserved (2), width (4), height (4),
//   image digest (32): SHA-256 of the image data of the file holding the box,
//   source digest (32): SHA-256 of the source bytes,
//   source length (8), source bytes.
// A JP2 file holds it as a top-level box after the codestream; its image data is the
// codestream box's content. A JPEG file holds it inside a JUMBF superbox (a description box of
// the UUID content type, label carryLabel) split over APP11 segments of box instance
// carryInstance; its image data is every byte after the start-of-image marker that is not an
// APPn or COM segment before the first scan. All numbers are big-endian.
enum class CarriedKind : std::uint8_t { Jpeg = 1, Png = 2, Tiff = 3 };

inline constexpr std::uint8_t carryUuid[16] = {0x9d, 0x3c, 0x51, 0x0e, 0x6a, 0x4f, 0x4b, 0x8e,
                                               0xa1, 0x70, 0x50, 0x4c, 0x57, 0x4b, 0x53, 0x52};
inline constexpr char carryLabel[] = "org.plenwick.source";
inline constexpr std::uint16_t carryInstance = 0x504C;

FileKind fileKindOf(CarriedKind kind);

// A source picture taken out of an intermediate, after its digests were checked.
class CarriedSource final {
public:
    CarriedSource(CarriedKind kind, PictureSize size);
    ~CarriedSource();
    CarriedSource(CarriedSource&& other) noexcept;
    CarriedSource& operator=(CarriedSource&&) = delete;

    CarriedKind kind() const { return kind_; }
    PictureSize size() const { return size_; }
    // A name the readers open it by; it lives in memory and vanishes with the process.
    const std::string& path() const { return path_; }
    void append(std::span<const std::uint8_t> bytes);
    // The SHA-256 of its bytes, which the carry it came from recorded and was checked against.
    const Digest& digest() const { return digest_; }
    void setDigest(const Digest& digest) { digest_ = digest; }

private:
    CarriedKind kind_;
    PictureSize size_;
    int descriptor_ = -1;
    std::string path_;
    Digest digest_{};
};

// What an input holds: no carry, a carry that matches its image, or one that does not.
struct CarryLookup {
    std::optional<CarriedSource> source;
    std::string problem; // set when a carry is present but unusable
    // A carry intact in itself (its source, size and kind as recorded) whose image data changed:
    // used only when that image data cannot be decoded, as when the codestream was damaged.
    std::optional<CarriedSource> standby;
};

// Looks for a carry in a JP2 file or a JPEG file and checks it against the image it travels with.
CarryLookup lookUpCarry(const std::string& input, FileKind kind);

// The carry of a JP2 file read where it lies instead of copied out, for a copy made while its
// digests are checked on a thread of their own. Nothing made from it may be kept before
// verified() says the digests match.
class CarryInPlace final {
public:
    // The carry of the JP2 file `input`, when it has one of that kind whose header holds together
    // and whose size is the image's; null otherwise, and lookUpCarry then says what is wrong.
    static std::unique_ptr<CarryInPlace> find(const std::string& input, CarriedKind kind);
    ~CarryInPlace();
    CarryInPlace(const CarryInPlace&) = delete;
    CarryInPlace& operator=(const CarryInPlace&) = delete;

    CarriedKind kind() const { return kind_; }
    PictureSize size() const { return size_; }
    std::uint64_t length() const { return length_; }
    // The source's digest, as recorded.
    const Digest& digest() const { return source_; }
    // A stream over the source's bytes; null, with errno set, when it cannot be made.
    FilePtr open() const;
    // Waits for the digests of the source and of the image data: true when both are as recorded.
    bool verified();

private:
    CarryInPlace(OwnedDescriptor descriptor, CarriedKind kind, PictureSize size,
                 std::uint64_t offset, std::uint64_t length, const Digest& source);

    OwnedDescriptor descriptor_;
    CarriedKind kind_;
    PictureSize size_;
    std::uint64_t offset_;
    std::uint64_t length_;
    Digest source_;
    std::future<bool> check_; // last: joined before the descriptor closes
};

// Whether a JPEG segment belongs to a carry (which no copy keeps).
bool isCarrySegment(const JpegMarkerSegment& segment);

// Where a carry was written, to put its digests in once the image data is complete.
struct CarryPlacement {
    long fieldsOffset = -1; // of the image digest
    Digest source{};
};

// Writes the carry box of `source` (a file of that kind and size) into a JP2 file at the current
// position of `out`.
CarryPlacement writeJp2Carry(std::FILE* out, const std::string& target, const std::string& source,
                             CarriedKind kind, PictureSize size);

// Fills in the digests of the carry in the JP2 file `out`, whose codestream box content has the
// digest `codestream`.
void sealJp2Carry(const AtomicFile& out, const CarryPlacement& placement, const Digest& codestream);

// A carried source written on into a new intermediate: `length` bytes read from `bytes`.
struct CarryOnward {
    CarriedKind kind = CarriedKind::Jpeg;
    PictureSize size;
    Digest digest{};
    std::FILE* bytes = nullptr;
    std::uint64_t length = 0;
};

// Writes the carry as APP11 segments through `write`, digests left zero; false when it is not
// carried (empty, or too large).
bool writeJpegCarry(const JpegBytesWriter& write, const CarryOnward& carry);

// Fills in the digests of the carry in the finished JPEG file `out`.
void sealJpegCarry(const AtomicFile& out, CarryPlacement placement);

} // namespace sips
