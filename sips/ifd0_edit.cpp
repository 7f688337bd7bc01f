#include "ifd0_edit.h"

#include "binary_fields.h"
#include "exif_structure.h"

#include <algorithm>
#include <limits>

namespace sips {

namespace {

constexpr std::size_t entrySize = 12;
constexpr std::uint64_t largestOffset = std::numeric_limits<std::uint32_t>::max();

class Ifd0Editor final {
public:
    Ifd0Editor(std::span<const std::uint8_t> block, std::vector<ExifRange> ranges)
        : block_(block.begin(), block.end())
        , ranges_(std::move(ranges))
        , little_(block[0] == 'I')
        , ifd_(number(4, 4))
        , count_(number(ifd_, 2)) {}

    // Sets the value where its entry allows it; false when the entry must be made anew.
    bool patch(const Ifd0Value& value) {
        std::optional<std::uint64_t> found;
        for (std::uint64_t i = 0; i < count_; ++i) {
            if (number(entryAt(i), 2) != value.tag)
                continue;
            if (found)
                return false; // twice: one new entry replaces both
            found = entryAt(i);
        }
        if (!found || number(*found + 2, 2) != value.type || number(*found + 4, 4) != 1)
            return false;
        if (value.type != Ifd0Value::rationalType) {
            store(*found + 8, value.numerator, value.type == Ifd0Value::shortType ? 2 : 4);
            return true;
        }
        const ExifRange rational{number(*found + 8, 4), 8};
        // A rational that another entry's value shares (a writer may store 72/1 once for both
        // axes and the thumbnail) is left to that entry and the new value goes elsewhere.
        const auto shared = std::count_if(ranges_.begin(), ranges_.end(), [&](const ExifRange& r) {
            return r.overlaps(rational) && !(r.offset == rational.offset && r.size == 8);
        });
        const auto same = std::count_if(ranges_.begin(), ranges_.end(), [&](const ExifRange& r) {
            return r.offset == rational.offset && r.size == 8;
        });
        if (shared > 0 || same > 1 || rational.offset < 8) // not over the header either
            return false;
        store(rational.offset, value.numerator, 4);
        store(rational.offset + 4, value.denominator, 4);
        return true;
    }

    // Puts a new IFD0 holding the old entries, less those of `fresh`'s tags, and `fresh` at the
    // end of the block, the rationals after it.
    bool rebuild(std::vector<Ifd0Value> fresh) {
        std::vector<std::vector<std::uint8_t>> entries;
        for (std::uint64_t i = 0; i < count_; ++i) {
            const std::uint64_t at = entryAt(i);
            const auto tag = number(at, 2);
            if (std::none_of(fresh.begin(), fresh.end(),
                             [&](const Ifd0Value& v) { return v.tag == tag; }))
                entries.emplace_back(block_.begin() + static_cast<std::ptrdiff_t>(at),
                                     block_.begin() + static_cast<std::ptrdiff_t>(at + entrySize));
        }
        const std::uint64_t next = number(ifd_ + 2 + entrySize * count_, 4);
        const std::size_t total = entries.size() + fresh.size();
        if (total > std::numeric_limits<std::uint16_t>::max())
            return false;
        // Directories start on a word boundary.
        if (block_.size() % 2 != 0)
            block_.push_back(0);
        const std::uint64_t ifdAt = block_.size();
        std::uint64_t valueAt = ifdAt + 2 + entrySize * total + 4;
        for (const Ifd0Value& value : fresh) {
            std::vector<std::uint8_t> entry(entrySize, 0);
            storeTiffNumber(&entry[0], value.tag, 2, little_);
            storeTiffNumber(&entry[2], value.type, 2, little_);
            storeTiffNumber(&entry[4], 1, 4, little_);
            if (value.type == Ifd0Value::rationalType) {
                storeTiffNumber(&entry[8], valueAt, 4, little_);
                valueAt += 8;
            } else {
                storeTiffNumber(&entry[8], value.numerator,
                                value.type == Ifd0Value::shortType ? 2 : 4, little_);
            }
            entries.push_back(std::move(entry));
        }
        if (valueAt > largestOffset)
            return false;
        std::stable_sort(entries.begin(), entries.end(), [&](const auto& a, const auto& b) {
            return readTiffNumber(a.data(), 2, little_) < readTiffNumber(b.data(), 2, little_);
        });
        block_.resize(valueAt);
        store(ifdAt, total, 2);
        std::uint64_t at = ifdAt + 2;
        for (const auto& entry : entries) {
            std::copy(entry.begin(), entry.end(), block_.begin() + static_cast<std::ptrdiff_t>(at));
            at += entrySize;
        }
        store(at, next, 4);
        at += 4;
        for (const Ifd0Value& value : fresh) {
            if (value.type != Ifd0Value::rationalType)
                continue;
            store(at, value.numerator, 4);
            store(at + 4, value.denominator, 4);
            at += 8;
        }
        store(4, ifdAt, 4);
        return true;
    }

    std::vector<std::uint8_t> take() { return std::move(block_); }

private:
    std::uint64_t number(std::uint64_t at, int size) const {
        return readTiffNumber(&block_[at], size, little_);
    }
    void store(std::uint64_t at, std::uint64_t value, int size) {
        storeTiffNumber(&block_[at], value, size, little_);
    }
    std::uint64_t entryAt(std::uint64_t index) const { return ifd_ + 2 + entrySize * index; }

    std::vector<std::uint8_t> block_;
    std::vector<ExifRange> ranges_;
    bool little_;
    std::uint64_t ifd_;
    std::uint64_t count_;
};

} // namespace

std::vector<Ifd0Value> densityValues(const Density& density) {
    return {{0x011A, Ifd0Value::rationalType, density.x.numerator, density.x.denominator},
            {0x011B, Ifd0Value::rationalType, density.y.numerator, density.y.denominator},
            {0x0128, Ifd0Value::shortType,
             std::uint32_t{density.unit == Density::Unit::Inch ? 2u : 3u}, 1}};
}

std::optional<std::vector<std::uint8_t>> withIfd0Values(std::span<const std::uint8_t> block,
                                                        std::span<const Ifd0Value> values) {
    std::optional<std::vector<ExifRange>> ranges = exifRanges(block);
    if (!ranges || block.size() > largestOffset)
        return std::nullopt;
    Ifd0Editor editor(block, std::move(*ranges));
    std::vector<Ifd0Value> fresh;
    for (const Ifd0Value& value : values) {
        if (!editor.patch(value))
            fresh.push_back(value);
    }
    if (!fresh.empty() && !editor.rebuild(std::move(fresh)))
        return std::nullopt;
    return editor.take();
}

} // namespace sips
