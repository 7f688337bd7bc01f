#include "carry.h"

#include "atomic_file.h"
#include "binary_fields.h"
#include "failure.h"
#include "file_range.h"
#include "jp2_boxes.h"
#include "stdio_file.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <future>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>

namespace sips {

namespace {

constexpr std::uint8_t carryVersion = 1;
// version, kind, reserved, width, height, two digests, length
constexpr std::size_t fieldsSize = 1 + 1 + 2 + 4 + 4 + 32 + 32 + 8;
constexpr std::size_t digestsAt = 12; // within the fields
constexpr std::size_t uuidBoxHeadSize = 8 + sizeof carryUuid;
constexpr std::uint64_t largestCarry = 0xFFFFFFFFull - 1024;
constexpr std::size_t chunkSize = 1 << 16;

// APP11 payload: "JP", box instance (2), packet sequence (4), then the superbox's LBox and TBox
// again in every segment, then the next piece of the superbox's content.
constexpr std::size_t app11Head = 2 + 2 + 4 + 8;
constexpr std::size_t app11Room = largestSegmentPayload - app11Head;

// The JUMBF description box: the UUID content type, "requestable" and "label present", label.
std::vector<std::uint8_t> descriptionBox() {
    static constexpr std::uint8_t uuidContentType[16] = {
        'u', 'u', 'i', 'd', 0x00, 0x11, 0x00, 0x10, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    std::vector<std::uint8_t> box;
    appendBigEndian(box, 8 + sizeof uuidContentType + 1 + sizeof carryLabel, 4);
    box.insert(box.end(), {'j', 'u', 'm', 'd'});
    box.insert(box.end(), std::begin(uuidContentType), std::end(uuidContentType));
    box.push_back(0x03);
    box.insert(box.end(), carryLabel, carryLabel + sizeof carryLabel);
    return box;
}

struct CarryFields {
    CarriedKind kind = CarriedKind::Jpeg;
    PictureSize size;
    Digest image{};
    Digest source{};
    std::uint64_t length = 0;
};

// The uuid box up to the source bytes, digests left zero.
std::vector<std::uint8_t> uuidBoxHead(const CarryFields& fields) {
    std::vector<std::uint8_t> head;
    appendBigEndian(head, uuidBoxHeadSize + fieldsSize + fields.length, 4);
    head.insert(head.end(), {'u', 'u', 'i', 'd'});
    head.insert(head.end(), std::begin(carryUuid), std::end(carryUuid));
    head.push_back(carryVersion);
    head.push_back(static_cast<std::uint8_t>(fields.kind));
    appendBigEndian(head, 0, 2);
    appendBigEndian(head, fields.size.width, 4);
    appendBigEndian(head, fields.size.height, 4);
    head.resize(head.size() + 64);
    appendBigEndian(head, fields.length, 8);
    return head;
}

// Parses the fields after the UUID; nullopt when they are not a carry this tool writes.
std::optional<CarryFields> parseFields(std::span<const std::uint8_t> bytes,
                                       std::uint64_t contentSize) {
    if (bytes.size() < fieldsSize || bytes[0] != carryVersion || bytes[1] < 1 || bytes[1] > 3)
        return std::nullopt;
    CarryFields fields;
    fields.kind = static_cast<CarriedKind>(bytes[1]);
    fields.size = {static_cast<std::uint32_t>(readBigEndian(&bytes[4], 4)),
                   static_cast<std::uint32_t>(readBigEndian(&bytes[8], 4))};
    std::memcpy(fields.image.data(), &bytes[digestsAt], 32);
    std::memcpy(fields.source.data(), &bytes[digestsAt + 32], 32);
    fields.length = readBigEndian(&bytes[digestsAt + 64], 8);
    if (contentSize < fieldsSize || fields.length != contentSize - fieldsSize)
        return std::nullopt;
    return fields;
}

// Checks a carry read out of an input against what that input's image data turned out to be.
CarryLookup verdict(CarriedSource&& source, const CarryFields& fields, const Digest& sourceDigest,
                    const Digest& imageDigest, std::optional<PictureSize> imageSize) {
    CarryLookup lookup;
    if (sourceDigest != fields.source)
        lookup.problem = "the carried source is damaged";
    else if (!imageSize || *imageSize != fields.size)
        lookup.problem = "the carried source has another size than the image";
    else if (detectFileKind(source.path()) != fileKindOf(fields.kind))
        lookup.problem = "the carried source is not the kind of picture it claims";
    else {
        source.setDigest(sourceDigest);
        if (imageDigest == fields.image) {
            lookup.source.emplace(std::move(source));
        } else {
            lookup.problem = "the carried source belongs to other image data";
            lookup.standby.emplace(std::move(source));
        }
    }
    return lookup;
}

// The SHA-256 of `length` bytes of `file` from `offset`, copied into `copy` on the way when given;
// nothing when the file ends before.
std::optional<Digest> digestOfRange(std::FILE* file, std::uint64_t offset, std::uint64_t length,
                                    CarriedSource* copy) {
    Sha256 digest;
    std::vector<std::uint8_t> buffer(chunkSize);
    if (std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0)
        return std::nullopt;
    while (length > 0) {
        const std::size_t step =
            static_cast<std::size_t>(std::min<std::uint64_t>(length, chunkSize));
        if (std::fread(buffer.data(), 1, step, file) != step)
            return std::nullopt;
        digest.update({buffer.data(), step});
        if (copy != nullptr)
            copy->append({buffer.data(), step});
        length -= step;
    }
    return digest.finish();
}

// Where a JP2 file's carry and codestream lie, and what the carry records.
struct Jp2CarryPlace {
    std::optional<Jp2Box> carry;
    std::optional<Jp2Box> codestream;
    std::optional<PictureSize> size; // the image's
    std::optional<CarryFields> fields;
    std::uint64_t sourceOffset() const {
        return carry->contentOffset + sizeof carryUuid + fieldsSize;
    }
};

Jp2CarryPlace placeJp2Carry(std::FILE* file) {
    Jp2FileBoxIterator boxes(file);
    Jp2CarryPlace place;
    while (const std::optional<Jp2Box> box = boxes.next()) {
        if (box->type == "jp2h" && !place.size) {
            if (const auto content = readJp2Box(file, *box, 1u << 24))
                place.size = jp2PictureSize(*content);
        } else if (box->type == "uuid" && !place.carry) {
            std::array<std::uint8_t, sizeof carryUuid + fieldsSize> head{};
            if (box->contentSize >= head.size() &&
                std::fread(head.data(), 1, head.size(), file) == head.size() &&
                std::memcmp(head.data(), carryUuid, sizeof carryUuid) == 0) {
                place.carry = box;
                place.fields = parseFields(std::span(head).subspan(sizeof carryUuid),
                                           box->contentSize - sizeof carryUuid);
            }
        } else if (box->type == "jp2c" && !place.codestream) {
            place.codestream = box;
        }
    }
    return place;
}

// The SHA-256 of `length` bytes of the open file `descriptor` from `offset`, read through
// `buffer` with pread; nothing when the file ends before.
std::optional<Digest> digestOfPlace(int descriptor, std::uint64_t offset, std::uint64_t length,
                                    std::span<std::uint8_t> buffer) {
    Sha256 digest;
    while (length > 0) {
        const std::size_t step =
            static_cast<std::size_t>(std::min<std::uint64_t>(length, buffer.size()));
        const ssize_t got = ::pread(descriptor, buffer.data(), step, static_cast<off_t>(offset));
        if (got <= 0) {
            if (got < 0 && errno == EINTR)
                continue;
            return std::nullopt;
        }
        digest.update({buffer.data(), static_cast<std::size_t>(got)});
        offset += static_cast<std::uint64_t>(got);
        length -= static_cast<std::uint64_t>(got);
    }
    return digest.finish();
}

CarryLookup lookUpJp2Carry(const std::string& input) {
    FilePtr file = openForReading(input);
    const Jp2CarryPlace place = placeJp2Carry(file.get());
    if (!place.carry)
        return {};
    if (!place.fields || !place.codestream)
        return {std::nullopt, "the carried source's header is damaged", std::nullopt};

    // The image data is hashed on a thread of its own while the source is copied out and hashed.
    std::future<std::optional<Digest>> image = std::async(std::launch::async, [&] {
        const FilePtr own = openForReading(input);
        return digestOfRange(own.get(), place.codestream->contentOffset,
                             place.codestream->contentSize, nullptr);
    });
    CarriedSource source(place.fields->kind, place.fields->size);
    const std::optional<Digest> carried =
        digestOfRange(file.get(), place.sourceOffset(), place.fields->length, &source);
    const std::optional<Digest> imageDigest = image.get();
    if (!imageDigest || !carried)
        return {std::nullopt, "the file ends inside the carried source", std::nullopt};
    return verdict(std::move(source), *place.fields, *carried, *imageDigest, place.size);
}

// Puts the superbox's content back together from its APP11 pieces, in order.
class JumbfAssembly final {
public:
    // Takes the next piece; false when it does not continue the sequence.
    bool take(const JpegMarkerSegment& segment) {
        const std::uint32_t sequence =
            static_cast<std::uint32_t>(readBigEndian(&segment.payload[4], 4));
        if (sequence != ++pieces_)
            return false;
        const std::uint64_t length = readBigEndian(&segment.payload[8], 4);
        if (length < 8 || (superboxLength_ != 0 && length != superboxLength_))
            return false;
        superboxLength_ = length;
        std::span<const std::uint8_t> piece = std::span(segment.payload).subspan(app11Head);
        received_ += piece.size();
        if (received_ > superboxLength_ - 8)
            return false;
        if (!fields_) {
            const std::size_t wanted = std::min<std::size_t>(head_.size() + piece.size(), 4096);
            const std::size_t taken = wanted - head_.size();
            head_.insert(head_.end(), piece.begin(), piece.begin() + static_cast<long>(taken));
            piece = piece.subspan(taken);
            if (!parseHead())
                return head_.size() < 4096;
        }
        if (fields_ && source_) {
            digest_.update(piece);
            source_->append(piece);
        }
        return true;
    }

    bool started() const { return pieces_ > 0; }
    bool complete() const { return fields_ && received_ == superboxLength_ - 8; }
    const std::optional<CarryFields>& fields() const { return fields_; }
    std::optional<CarriedSource>& source() { return source_; }
    Digest sourceDigest() { return digest_.finish(); }

private:
    // Once the description box and the uuid box's fixed part are in, the rest is source bytes.
    bool parseHead() {
        const std::vector<std::uint8_t> description = descriptionBox();
        const std::size_t fixed = description.size() + uuidBoxHeadSize + fieldsSize;
        if (head_.size() < fixed)
            return false;
        if (!std::equal(description.begin(), description.end(), head_.begin()) ||
            std::memcmp(&head_[description.size() + 4], "uuid", 4) != 0 ||
            std::memcmp(&head_[description.size() + 8], carryUuid, sizeof carryUuid) != 0)
            return fail();
        const std::uint64_t boxLength = readBigEndian(&head_[description.size()], 4);
        if (superboxLength_ != 8 + description.size() + boxLength || boxLength < uuidBoxHeadSize)
            return fail();
        fields_ = parseFields(std::span(head_).subspan(description.size() + uuidBoxHeadSize),
                              boxLength - uuidBoxHeadSize);
        if (!fields_)
            return fail();
        source_.emplace(fields_->kind, fields_->size);
        const std::span<const std::uint8_t> rest = std::span(head_).subspan(fixed);
        digest_.update(rest);
        source_->append(rest);
        return true;
    }

    bool fail() {
        head_.assign(4096, 0); // no further piece can make it a carry
        return false;
    }

    std::uint32_t pieces_ = 0;
    std::uint64_t superboxLength_ = 0;
    std::uint64_t received_ = 0;
    std::vector<std::uint8_t> head_;
    std::optional<CarryFields> fields_;
    std::optional<CarriedSource> source_;
    Sha256 digest_;
};

CarryLookup lookUpJpegCarry(const std::string& input) {
    FilePtr file = openForReading(input);
    JpegStream stream(file.get(), input);
    Sha256 image;
    JumbfAssembly assembly;
    bool broken = false;
    std::optional<PictureSize> size;
    for (;;) {
        const JpegMarkerSegment segment = stream.next();
        if (isCarrySegment(segment)) {
            broken = broken || !assembly.take(segment);
            continue;
        }
        if (segment.isMetadata())
            continue;
        if (const std::optional<PictureSize> frame = frameSize(segment))
            size = frame;
        image.update(segment.bytes());
        if (segment.marker == startOfScan)
            break;
    }
    if (!assembly.started())
        return {};
    if (broken || !assembly.complete())
        return {std::nullopt, "the carried source is incomplete or out of order", std::nullopt};
    stream.passScans([&](std::span<const std::uint8_t> bytes) { image.update(bytes); });
    const Digest carried = assembly.sourceDigest();
    return verdict(std::move(*assembly.source()), *assembly.fields(), carried, image.finish(),
                   size);
}

// Writes both digests at `placement` in the file `out` is writing.
void sealAt(const AtomicFile& out, const CarryPlacement& placement, const Digest& image) {
    std::array<std::uint8_t, 64> digests{};
    std::copy(image.begin(), image.end(), digests.begin());
    std::copy(placement.source.begin(), placement.source.end(), digests.begin() + 32);
    if (std::fflush(out.stream()) != 0 ||
        ::pwrite(out.descriptor(), digests.data(), digests.size(), placement.fieldsOffset) !=
            static_cast<ssize_t>(digests.size()))
        throw Failure(out.target(), std::string("cannot write: ") + std::strerror(errno));
}

// The file `out` writes, opened again for reading (it may have no name yet).
FilePtr reopen(const AtomicFile& out) {
    if (std::fflush(out.stream()) != 0)
        throw Failure(out.target(), std::string("cannot write: ") + std::strerror(errno));
    FilePtr file(std::fopen(("/proc/self/fd/" + std::to_string(out.descriptor())).c_str(), "rb"));
    if (!file)
        throw Failure(out.target(), std::string("cannot read back: ") + std::strerror(errno));
    return file;
}

} // namespace

CarriedSource::CarriedSource(CarriedKind kind, PictureSize size)
    : kind_(kind)
    , size_(size)
    , descriptor_(::memfd_create("carried-source", MFD_CLOEXEC)) {
    if (descriptor_ < 0)
        throw Failure("sips",
                      std::string("cannot hold the carried source: ") + std::strerror(errno));
    path_ = "/proc/self/fd/" + std::to_string(descriptor_);
}

CarriedSource::CarriedSource(CarriedSource&& other) noexcept
    : kind_(other.kind_)
    , size_(other.size_)
    , descriptor_(std::exchange(other.descriptor_, -1))
    , path_(std::move(other.path_))
    , digest_(other.digest_) {}

CarriedSource::~CarriedSource() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

void CarriedSource::append(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
        if (written <= 0)
            throw Failure("sips",
                          std::string("cannot hold the carried source: ") + std::strerror(errno));
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
}

std::unique_ptr<CarryInPlace> CarryInPlace::find(const std::string& input, CarriedKind kind) {
    const Jp2CarryPlace place = placeJp2Carry(openForReading(input).get());
    if (!place.fields || !place.codestream || place.size != place.fields->size ||
        place.fields->kind != kind)
        return nullptr;
    std::unique_ptr<CarryInPlace> carry(
        new CarryInPlace(openDescriptorForReading(input), place.fields->kind, place.fields->size,
                         place.sourceOffset(), place.fields->length, place.fields->source));
    // Both digests on a thread of their own, read with pread beside the readers of the source.
    const int held = carry->descriptor_.get();
    carry->check_ =
        std::async(std::launch::async, [held, codestream = *place.codestream,
                                        fields = *place.fields, offset = place.sourceOffset()] {
            // On the thread's stack: a buffer from the heap would start a malloc arena of its own.
            std::array<std::uint8_t, 1 << 14> buffer;
            return digestOfPlace(held, codestream.contentOffset, codestream.contentSize, buffer) ==
                       fields.image &&
                   digestOfPlace(held, offset, fields.length, buffer) == fields.source;
        });
    return carry;
}

CarryInPlace::CarryInPlace(OwnedDescriptor descriptor, CarriedKind kind, PictureSize size,
                           std::uint64_t offset, std::uint64_t length, const Digest& source)
    : descriptor_(std::move(descriptor))
    , kind_(kind)
    , size_(size)
    , offset_(offset)
    , length_(length)
    , source_(source) {}

CarryInPlace::~CarryInPlace() {
    if (check_.valid())
        check_.wait();
}

FilePtr CarryInPlace::open() const {
    return openFileRange(descriptor_.get(), offset_, length_);
}

bool CarryInPlace::verified() {
    return check_.valid() && check_.get();
}

FileKind fileKindOf(CarriedKind kind) {
    return kind == CarriedKind::Jpeg  ? FileKind::Jpeg
           : kind == CarriedKind::Png ? FileKind::Png
                                      : FileKind::Tiff;
}

CarryLookup lookUpCarry(const std::string& input, FileKind kind) {
    if (kind == FileKind::Jp2)
        return lookUpJp2Carry(input);
    if (kind == FileKind::Jpeg)
        return lookUpJpegCarry(input);
    return {};
}

bool isCarrySegment(const JpegMarkerSegment& segment) {
    const std::vector<std::uint8_t>& p = segment.payload;
    return segment.marker == 0xEB && p.size() > app11Head && p[0] == 'J' && p[1] == 'P' &&
           readBigEndian(&p[2], 2) == carryInstance && std::memcmp(&p[12], "jumb", 4) == 0;
}

CarryPlacement writeJp2Carry(std::FILE* out, const std::string& target, const std::string& source,
                             CarriedKind kind, PictureSize size) {
    FilePtr in = openForReading(source);
    const CarryFields fields{kind, size, {}, {}, sizeOf(in.get())};
    if (fields.length == 0 || fields.length > largestCarry)
        return {};
    const std::vector<std::uint8_t> head = uuidBoxHead(fields);
    CarryPlacement placement;
    placement.fieldsOffset = std::ftell(out) + static_cast<long>(uuidBoxHeadSize + digestsAt);
    writeBytes(out, target, head, "cannot write the carried source");
    Sha256 digest;
    std::vector<std::uint8_t> buffer(chunkSize);
    std::uint64_t left = fields.length;
    while (left > 0) {
        const std::size_t step = static_cast<std::size_t>(std::min<std::uint64_t>(left, chunkSize));
        if (std::fread(buffer.data(), 1, step, in.get()) != step)
            throw Failure(source, "the file changed while it was read");
        digest.update({buffer.data(), step});
        writeBytes(out, target, {buffer.data(), step}, "cannot write the carried source");
        left -= step;
    }
    placement.source = digest.finish();
    return placement;
}

void sealJp2Carry(const AtomicFile& out, const CarryPlacement& placement,
                  const Digest& codestream) {
    if (placement.fieldsOffset < 0)
        return;
    sealAt(out, placement, codestream);
}

bool writeJpegCarry(const JpegBytesWriter& write, const CarryOnward& carry) {
    const CarryFields fields{carry.kind, carry.size, {}, {}, carry.length};
    if (fields.length == 0 || fields.length > largestCarry)
        return false;
    std::vector<std::uint8_t> content = descriptionBox();
    const std::vector<std::uint8_t> head = uuidBoxHead(fields);
    content.insert(content.end(), head.begin(), head.end());
    const std::uint64_t superboxLength = 8 + content.size() + fields.length;

    // Each segment: marker, length, "JP", box instance, sequence number, the superbox's LBox and
    // TBox again, then the next piece of its content; the first piece starts with the fixed part.
    constexpr std::size_t segmentHead = 4 + app11Head;
    std::vector<std::uint8_t> segment(segmentHead + app11Room);
    std::uint64_t left = fields.length;
    for (std::uint32_t sequence = 1; sequence == 1 || left > 0; ++sequence) {
        std::size_t filled = sequence == 1 ? content.size() : 0;
        std::copy_n(content.begin(), filled, segment.begin() + segmentHead);
        const std::size_t step =
            static_cast<std::size_t>(std::min<std::uint64_t>(left, app11Room - filled));
        std::uint8_t* piece = segment.data() + segmentHead + filled;
        if (std::fread(piece, 1, step, carry.bytes) != step)
            throw Failure("sips", "the carried source changed while it was read");
        filled += step;
        left -= step;

        segment[0] = 0xFF;
        segment[1] = 0xEB;
        storeBigEndian(&segment[2], 2 + app11Head + filled, 2);
        segment[4] = 'J';
        segment[5] = 'P';
        storeBigEndian(&segment[6], carryInstance, 2);
        storeBigEndian(&segment[8], sequence, 4);
        storeBigEndian(&segment[12], superboxLength, 4);
        std::memcpy(&segment[16], "jumb", 4);
        write({segment.data(), segmentHead + filled});
    }
    return true;
}

void sealJpegCarry(const AtomicFile& out, CarryPlacement placement) {
    if (placement.fieldsOffset < 0)
        return;
    const std::string& target = out.target();
    FilePtr in = reopen(out);
    JpegStream stream(in.get(), target);
    Sha256 image;
    const std::size_t fieldsInPiece = descriptionBox().size() + uuidBoxHeadSize + digestsAt;
    placement.fieldsOffset = -1;
    for (;;) {
        const long start = std::ftell(in.get());
        const JpegMarkerSegment segment = stream.next();
        if (isCarrySegment(segment) && placement.fieldsOffset < 0)
            placement.fieldsOffset = start + 4 + static_cast<long>(app11Head + fieldsInPiece);
        if (segment.isMetadata())
            continue;
        image.update(segment.bytes());
        if (segment.marker == startOfScan)
            break;
    }
    stream.passScans([&](std::span<const std::uint8_t> bytes) { image.update(bytes); });
    if (placement.fieldsOffset < 0)
        throw Failure(target, "the carried source went missing");
    sealAt(out, placement, image.finish());
}

} // namespace sips
