#include "codestream_splice.h"

#include "atomic_file.h"
#include "binary_fields.h"
#include "failure.h"

#include <algorithm>
#include <vector>

namespace sips {

namespace {

constexpr std::uint64_t startOfCodestream = 0xFF4F;
constexpr std::uint64_t imageAndTileSize = 0xFF51;
constexpr std::uint64_t startOfTile = 0xFF90;
constexpr std::uint64_t endOfCodestream = 0xFFD9;

// Where the main header ends: the first tile-part's marker.
std::size_t mainHeaderEnd(std::span<const std::uint8_t> codestream) {
    std::size_t at = 2;
    while (at + 4 <= codestream.size()) {
        if (readBigEndian(&codestream[at], 2) == startOfTile)
            return at;
        at += 2 + readBigEndian(&codestream[at + 2], 2);
    }
    return 0;
}

} // namespace

CodestreamSplicer::CodestreamSplicer(std::FILE* out, std::string target, PictureSize picture)
    : out_(out)
    , target_(std::move(target))
    , picture_(picture) {}

void CodestreamSplicer::write(std::span<const std::uint8_t> bytes) {
    writeBytes(out_, target_, bytes, "cannot write the JPEG 2000 codestream");
    digest_.update(bytes);
}

void CodestreamSplicer::append(std::span<const std::uint8_t> tileCodestream,
                               std::uint32_t tileIndex) {
    const std::size_t headerEnd = mainHeaderEnd(tileCodestream);
    if (tileCodestream.size() < 4 || readBigEndian(tileCodestream.data(), 2) != startOfCodestream ||
        headerEnd == 0 || tileIndex >= 0xFFFF) // Isot: 0 to 65534
        throw Failure(target_, "cannot encode JPEG 2000: the coded tile is malformed");
    if (!headerWritten_) {
        // SIZ follows SOC: Lsiz, Rsiz, then the picture's extent and offset, the tile size and
        // the tile grid's offset, each four bytes.
        std::vector<std::uint8_t> header(tileCodestream.begin(),
                                         tileCodestream.begin() + static_cast<long>(headerEnd));
        if (headerEnd < 40 || readBigEndian(&header[2], 2) != imageAndTileSize)
            throw Failure(target_, "cannot encode JPEG 2000: the coded tile is malformed");
        storeBigEndian(&header[8], picture_.width, 4);
        storeBigEndian(&header[12], picture_.height, 4);
        storeBigEndian(&header[16], 0, 4);
        storeBigEndian(&header[20], 0, 4);
        storeBigEndian(&header[32], 0, 4);
        storeBigEndian(&header[36], 0, 4);
        write(header);
        headerWritten_ = true;
    }
    // Each tile-part: SOT, Lsot, Isot (the tile's number), Psot (its length from SOT), ...
    std::size_t at = headerEnd;
    while (at + 12 <= tileCodestream.size() &&
           readBigEndian(&tileCodestream[at], 2) == startOfTile) {
        std::uint64_t length = readBigEndian(&tileCodestream[at + 6], 4);
        if (length == 0) // the last tile-part, up to the end marker
            length = tileCodestream.size() - 2 - at;
        if (length < 12 || length > tileCodestream.size() - at)
            throw Failure(target_, "cannot encode JPEG 2000: the coded tile is malformed");
        std::uint8_t marker[12];
        std::copy_n(&tileCodestream[at], sizeof marker, marker);
        storeBigEndian(&marker[4], tileIndex, 2);
        storeBigEndian(&marker[6], length, 4);
        write(marker);
        write(tileCodestream.subspan(at + sizeof marker, length - sizeof marker));
        at += length;
    }
    if (at + 2 != tileCodestream.size() || readBigEndian(&tileCodestream[at], 2) != endOfCodestream)
        throw Failure(target_, "cannot encode JPEG 2000: the coded tile is malformed");
}

Digest CodestreamSplicer::finish() {
    static constexpr std::uint8_t end[2] = {0xFF, 0xD9};
    write(end);
    return digest_.finish();
}

} // namespace sips
