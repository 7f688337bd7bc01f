#include "exif_structure.h"

#include "binary_fields.h"

#include <set>

namespace sips {

namespace {

constexpr int mostDirectories = 16;

class ExifWalker final {
public:
    explicit ExifWalker(std::span<const std::uint8_t> block)
        : block_(block) {}

    bool sound() {
        if (block_.size() < 8)
            return false;
        if (block_[0] == 'I' && block_[1] == 'I')
            little_ = true;
        else if (block_[0] != 'M' || block_[1] != 'M')
            return false;
        return number(2, 2) == 42 && directory(number(4, 4));
    }

    const std::vector<ExifRange>& ranges() const { return ranges_; }

private:
    std::uint64_t number(std::uint64_t at, int size) const {
        return readTiffNumber(&block_[at], size, little_);
    }

    static std::uint64_t typeSize(std::uint64_t type) {
        switch (type) {
        case 1:
        case 2:
        case 6:
        case 7:
            return 1;
        case 3:
        case 8:
            return 2;
        case 4:
        case 9:
        case 11:
        case 13:
            return 4;
        case 5:
        case 10:
        case 12:
            return 8;
        default:
            return 0; // unknown: its size cannot be checked
        }
    }

    bool directory(std::uint64_t offset) {
        if (offset < 8 || offset > block_.size() - 2 || !visited_.insert(offset).second ||
            visited_.size() > mostDirectories)
            return false;
        const std::uint64_t count = number(offset, 2);
        const std::uint64_t end = offset + 2 + 12 * count;
        if (end + 4 > block_.size())
            return false;
        ranges_.push_back({offset, end + 4 - offset});
        std::optional<std::uint64_t> thumbnailAt;
        std::optional<std::uint64_t> thumbnailSize;
        for (std::uint64_t entry = offset + 2; entry < end; entry += 12) {
            const std::uint64_t tag = number(entry, 2);
            const std::uint64_t bytes = typeSize(number(entry + 2, 2)) * number(entry + 4, 4);
            if (bytes > 4) {
                const std::uint64_t at = number(entry + 8, 4);
                if (at > block_.size() || bytes > block_.size() - at)
                    return false;
                ranges_.push_back({at, bytes});
            }
            if (tag == 0x0201)
                thumbnailAt = number(entry + 8, 4);
            else if (tag == 0x0202)
                thumbnailSize = number(entry + 8, 4);
            const bool link = tag == 0x8769 || tag == 0x8825 || tag == 0xA005;
            if (link && !directory(number(entry + 8, 4)))
                return false;
        }
        const std::uint64_t next = number(end, 4);
        return next == 0 || directory(next);
    }

    std::span<const std::uint8_t> block_;
    bool little_ = false;
    std::set<std::uint64_t> visited_;
    std::vector<ExifRange> ranges_;
};

} // namespace

bool exifStructureSound(std::span<const std::uint8_t> block) {
    return ExifWalker(block).sound();
}

std::optional<std::vector<ExifRange>> exifRanges(std::span<const std::uint8_t> block) {
    ExifWalker walker(block);
    if (!walker.sound())
        return std::nullopt;
    return walker.ranges();
}

} // namespace sips
