#include "jp2_writer.h"

#include "atomic_file.h"
#include "band_prefetch.h"
#include "binary_fields.h"
#include "codestream_splice.h"
#include "failure.h"
#include "ht_tile_encoder.h"

#include <algorithm>
#include <bit>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace sips {

namespace {

// Tiles are coded on two threads while a third decodes the next band. Tiles of 256x64
// keep the two bands and the two coders' buffers below what OpenJPEG's 512x256 tiles took (a
// 2-megapixel photo: 11 MB against 15); the file grows by under 1% over 1024x256 tiles.
constexpr std::uint32_t tileSide = 256;
constexpr std::uint32_t tileRows = 64;
constexpr int mostDecompositions = 5;

std::uint32_t roundedUp(std::uint32_t value, std::uint32_t factor) {
    return (value + factor - 1) / factor * factor;
}

HtCoding codingFor(const Layout& layout, const std::optional<YccPlanes>& planes) {
    HtCoding coding;
    if (planes) {
        coding.width = planes->width;
        coding.channels = 3;
        coding.bits = 8;
        // A picture smaller than a tile still has tiles that are whole multiples of the factors.
        coding.tileWidth = std::min(tileSide, roundedUp(planes->width, planes->across));
        coding.tileHeight = std::min(tileRows, roundedUp(planes->height, planes->down));
        coding.planes = planes;
    } else {
        coding.width = layout.width;
        coding.channels = layout.channels();
        coding.bits = layout.bits;
        coding.colourTransform = coding.channels >= 3 && layout.model != ColourModel::Cmyk;
        coding.tileWidth = std::min(tileSide, layout.width);
        coding.tileHeight = std::min(tileRows, layout.height);
    }
    // Levels beyond what the smaller side of a tile halves to code nothing.
    coding.decompositions = std::min(
        mostDecompositions,
        static_cast<int>(std::bit_width(std::min(coding.tileWidth, coding.tileHeight))) - 1);
    return coding;
}

// Codes the tiles on two threads, a thread of its own and the caller's, in the order of the tile
// grid, each taking the next tile not yet taken. A band is given back once its last tile is
// coded, so one thread starts the next band while the other finishes this one. The caller takes
// the coded tiles in order, coding while the one it takes is not ready. (A second thread of its
// own, the caller only waiting, raised a small picture's peak by a megabyte: glibc kept a third
// thread's coding memory.)
class TileCoder final {
public:
    TileCoder(const HtCoding& coding, const Layout& layout, const PictureSize& picture,
              BandPrefetch& bands, std::string target)
        : coding_(coding)
        , picture_(picture)
        , rowBytes_(layout.rowBytes())
        // The coder finds a tile's samples in row groups of planes itself.
        , pixelBytes_(coding.planes ? 0 : layout.rowBytes() / layout.width)
        , across_((coding.width + coding.tileWidth - 1) / coding.tileWidth)
        , bands_(bands)
        , target_(std::move(target))
        , coded_(std::size_t{across_} *
                 ((picture.height + coding.tileHeight - 1) / coding.tileHeight))
        , tilesLeft_((picture.height + coding.tileHeight - 1) / coding.tileHeight, across_)
        , worker_([this](const std::stop_token& stop) { work(stop); }) {}

    std::uint32_t tiles() const { return static_cast<std::uint32_t>(coded_.size()); }

    // The next tile once coded; rethrows what stopped the coders.
    std::vector<std::uint8_t> take() {
        std::unique_lock lock(mutex_);
        while (!coded_[taken_] && !failure_) {
            if (const std::optional<std::uint32_t> index = claim()) {
                lock.unlock();
                codeTile(*index, {});
                lock.lock();
            } else {
                changed_.wait(lock);
            }
        }
        if (!coded_[taken_])
            std::rethrow_exception(failure_);
        std::vector<std::uint8_t> tile = std::exchange(coded_[taken_++], std::nullopt).value();
        changed_.notify_all();
        return tile;
    }

private:
    // The next tile to code, unless none is left or the coded tiles not yet taken make a band:
    // they wait for the writer, whatever the disk's pace. Called under the lock.
    std::optional<std::uint32_t> claim() {
        if (next_ >= tiles() || next_ >= taken_ + across_)
            return std::nullopt;
        return next_++;
    }

    void work(const std::stop_token& stop) {
        try {
            for (;;) {
                std::optional<std::uint32_t> index;
                {
                    std::unique_lock lock(mutex_);
                    if (!changed_.wait(lock, stop, [&] {
                            index = claim();
                            return index || next_ >= tiles();
                        }))
                        return;
                }
                if (!index || !codeTile(*index, stop))
                    return;
            }
        } catch (...) {
            const std::scoped_lock lock(mutex_);
            if (!failure_)
                failure_ = std::current_exception();
            changed_.notify_all();
        }
    }

    // False when stopped before the tile's band was decoded.
    bool codeTile(std::uint32_t index, const std::stop_token& stop) {
        const std::uint32_t row = index / across_;
        const std::span<const std::uint8_t> band = bands_.band(row, stop);
        if (band.empty())
            return false;
        finished(index, row, code(band.data(), row, index % across_));
        return true;
    }

    std::vector<std::uint8_t> code(const std::uint8_t* band, std::uint32_t row,
                                   std::uint32_t column) const {
        HtTile tile;
        tile.x0 = column * coding_.tileWidth;
        tile.y0 = row * coding_.tileHeight;
        tile.width = std::min(coding_.tileWidth, coding_.width - tile.x0);
        tile.height = std::min(coding_.tileHeight, picture_.height - tile.y0);
        try {
            return encodeHtTile(coding_, tile, band + tile.x0 * pixelBytes_, rowBytes_);
        } catch (const std::exception& error) {
            throw Failure(target_, std::string("cannot encode JPEG 2000: ") + error.what());
        }
    }

    // Keeps the coded tile and gives back the bands whose tiles are all coded, in order: a band
    // finished before the one above it stays held until that one is finished too.
    void finished(std::uint32_t index, std::uint32_t row, std::vector<std::uint8_t> tile) {
        const std::scoped_lock lock(mutex_);
        coded_[index] = std::move(tile);
        --tilesLeft_[row];
        while (bandsDone_ < tilesLeft_.size() && tilesLeft_[bandsDone_] == 0)
            ++bandsDone_;
        bands_.giveBackBefore(bandsDone_);
        changed_.notify_all();
    }

    const HtCoding& coding_;
    const PictureSize picture_;
    const std::size_t rowBytes_;
    const std::size_t pixelBytes_;
    const std::uint32_t across_; // tiles in a band
    BandPrefetch& bands_;
    const std::string target_;
    std::mutex mutex_;
    std::condition_variable_any changed_;
    std::vector<std::optional<std::vector<std::uint8_t>>> coded_; // until taken
    std::vector<std::uint32_t> tilesLeft_;                        // per band
    std::uint32_t bandsDone_ = 0;
    std::uint32_t next_ = 0;  // to code
    std::uint32_t taken_ = 0; // by the writer
    std::exception_ptr failure_;
    std::jthread worker_; // last: it starts once everything it uses exists, and stops first
};

} // namespace

Jp2Codestream writeJp2Codestream(RowReader& source, const std::optional<YccPlanes>& planes,
                                 std::FILE* out, const std::string& target) {
    loadHtCoder();
    const Layout& layout = source.layout();
    const HtCoding coding = codingFor(layout, planes);
    const PictureSize picture = planes ? PictureSize{planes->width, planes->height}
                                       : PictureSize{layout.width, layout.height};

    // The codestream box's length is known once the codestream is written.
    static constexpr std::uint8_t codestreamBox[8] = {0, 0, 0, 0, 'j', 'p', '2', 'c'};
    const long boxStart = std::ftell(out);
    if (boxStart < 0)
        failWriting(out, target, "cannot write the JPEG 2000 header");
    writeBytes(out, target, codestreamBox, "cannot write the JPEG 2000 header");

    CodestreamSplicer splicer(out, target, picture);
    // A band of row groups holds a band of tiles' rows.
    BandPrefetch bands(source, planes ? coding.tileHeight / planes->down : coding.tileHeight);
    TileCoder coder(coding, layout, picture, bands, target);
    for (std::uint32_t index = 0; index < coder.tiles(); ++index)
        splicer.append(coder.take(), index);
    const Digest digest = splicer.finish();

    const long end = std::ftell(out);
    // Length 0 (up to the end of the file) where it does not fit the box's 32 bits.
    const auto length = static_cast<std::uint64_t>(end - boxStart);
    const std::uint32_t recorded = length > 0xFFFFFFFFu ? 0 : static_cast<std::uint32_t>(length);
    std::uint8_t bytes[4];
    storeBigEndian(bytes, recorded, 4);
    if (end < 0 || std::fseek(out, boxStart, SEEK_SET) != 0 || std::fwrite(bytes, 1, 4, out) != 4 ||
        std::fseek(out, end, SEEK_SET) != 0)
        failWriting(out, target, "cannot write the JPEG 2000 codestream box");
    return {recorded != 0, digest};
}

} // namespace sips
