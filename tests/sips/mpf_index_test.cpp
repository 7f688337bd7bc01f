// The MPF index of a copy: the pictures after the end-of-image marker keep their bytes but move
// with the picture's new length, so their offsets are rewritten; an index that points anywhere
// but into those bytes is refused rather than copied wrong.
#include "binary_fields.h"
#include "mpf_index.h"

#include <gtest/gtest.h>

namespace {

struct MpImage {
    std::uint32_t size = 0;
    std::uint32_t offset = 0; // from the index's TIFF header; 0 for the picture holding it
};

// An index in either byte order: after the TIFF header (8), the entry count (2), a version entry
// the relocation passes over and the MP entry (12 each) and the next-directory link (4), the
// image entries.
std::vector<std::uint8_t> mpfPayload(bool little, const std::vector<MpImage>& images) {
    constexpr std::size_t signatureSize = sizeof sips::mpfSignature;
    constexpr std::size_t entriesAt = 38;
    std::vector<std::uint8_t> payload(signatureSize + entriesAt + 16 * images.size());
    std::copy_n(sips::mpfSignature, signatureSize, payload.begin());
    std::uint8_t* block = payload.data() + signatureSize;
    const auto store = [&](std::size_t at, std::uint64_t value, int size) {
        sips::storeTiffNumber(block + at, value, size, little);
    };
    block[0] = block[1] = little ? 'I' : 'M';
    store(2, 42, 2);
    store(4, 8, 4);
    store(8, 2, 2);
    store(10, 0xB000, 2); // version, "0100" held in the entry
    store(12, 7, 2);
    store(14, 4, 4);
    std::copy_n("0100", 4, block + 18);
    store(22, 0xB002, 2);
    store(24, 7, 2);
    store(26, 16 * images.size(), 4);
    store(30, entriesAt, 4);
    for (std::size_t i = 0; i < images.size(); ++i) {
        const std::size_t entry = entriesAt + 16 * i;
        store(entry, i == 0 ? 0x030000 : 0x010000, 4); // attribute: primary or not
        store(entry + 4, images[i].size, 4);
        store(entry + 8, images[i].offset, 4);
    }
    return payload;
}

// A source whose 10000-byte picture holds its index's TIFF header at byte 30 and is followed by
// a 2000-byte and a 3000-byte picture; its copy holds the header at 50 and is 12000 bytes long.
constexpr sips::MpfPlacement source{30, 10000};
constexpr std::uint64_t sourceSize = 15000;
constexpr sips::MpfPlacement copy{50, 12000};
const std::vector<MpImage> sourceImages = {{10000, 0}, {2000, 10000 - 30}, {3000, 12000 - 30}};

// Only the copy's size and the following pictures' offsets change: the directory, the version
// and the attributes stay. Cut short anywhere, the index is refused.
TEST(MpfIndex, MovesTheFollowingPicturesWithTheCopysEndInEitherByteOrder) {
    for (const bool little : {true, false}) {
        SCOPED_TRACE(little ? "little-endian" : "big-endian");
        const std::vector<std::uint8_t> payload = mpfPayload(little, sourceImages);
        EXPECT_EQ(sips::relocatedMpfIndex(payload, source, sourceSize, copy),
                  mpfPayload(little, {{12000, 0}, {2000, 12000 - 50}, {3000, 12000 + 2000 - 50}}));
        for (std::size_t length = 0; length < payload.size(); ++length) {
            SCOPED_TRACE(length);
            EXPECT_FALSE(sips::relocatedMpfIndex({payload.begin(), payload.begin() + length},
                                                 source, sourceSize, copy));
        }
    }
}

struct Unsound {
    const char* what;
    std::vector<MpImage> images;
    sips::MpfPlacement copy;
};

TEST(MpfIndex, RefusesAnIndexThatDoesNotAddUp) {
    const Unsound cases[] = {
        {"a picture running past the file's end", {{10000, 0}, {5001, 10000 - 30}}, copy},
        {"a picture inside the one holding the index", {{10000, 0}, {100, 9000}}, copy},
        {"no entry for the picture holding the index", {{2000, 10000 - 30}}, copy},
        {"two entries for the picture holding the index", {{10000, 0}, {10000, 0}}, copy},
        {"a copy's picture longer than its size field holds", {{10000, 0}}, {50, 1ull << 32}},
        {"a copy whose last picture lies beyond what an offset reaches",
         sourceImages,
         {50, 0xFFFFFFF0}},
        {"no pictures", {}, copy},
    };
    for (const Unsound& unsound : cases) {
        SCOPED_TRACE(unsound.what);
        EXPECT_FALSE(sips::relocatedMpfIndex(mpfPayload(true, unsound.images), source, sourceSize,
                                             unsound.copy));
    }
}

} // namespace
