#pragma once

#include "pixels.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sips {

// One box of a JP2 file: its type, where its content starts and how long it is.
struct Jp2Box {
    std::string_view type;
    std::uint64_t contentOffset = 0; // from the start of what is walked
    std::uint64_t contentSize = 0;
};

// Walks the boxes laid one after the other in `bytes` (a file's top level or a superbox's
// content). Stops at the end or at the first box whose length does not fit.
class Jp2BoxIterator final {
public:
    explicit Jp2BoxIterator(std::span<const std::uint8_t> bytes)
        : bytes_(bytes) {}
    std::optional<Jp2Box> next();
    // The content of a box next() returned.
    std::span<const std::uint8_t> content(const Jp2Box& box) const {
        return bytes_.subspan(box.contentOffset, box.contentSize);
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::uint64_t at_ = 0;
};

// The same walk over the top level of a file, reading only box headers; contentOffset is the
// position in the file. A last box of length 0 runs to the end of the file.
class Jp2FileBoxIterator final {
public:
    explicit Jp2FileBoxIterator(std::FILE* file);
    std::optional<Jp2Box> next();

private:
    std::FILE* file_;
    std::uint64_t fileSize_ = 0;
    std::uint64_t at_ = 0;
    char type_[4] = {};
};

// Reads the content of a box of a file, when it is at most `limit` bytes long.
std::optional<std::vector<std::uint8_t>> readJp2Box(std::FILE* file, const Jp2Box& box,
                                                    std::size_t limit);

// What a JP2 header says about colour, which OpenJPEG's tile decoder does not pass on.
struct Jp2ColourHints {
    enum class Space { Unknown, Grey, Rgb, Cmyk, Sycc, OtherYcc };
    Space space = Space::Unknown;
    std::optional<int> alphaChannel; // from a channel definition box
};

// Reads the colour box (enumerated, or an ICC profile's colour space) and channel
// definition boxes from the JP2 header box of the file at `path`.
Jp2ColourHints readJp2ColourHints(const std::string& path);

// The picture size an image header box (within the JP2 header box's content) records.
std::optional<PictureSize> jp2PictureSize(std::span<const std::uint8_t> headerContent);

// The start of a JP2 file for `layout` (signature, file type, a header with size, depth and
// enumerated colour space) and an empty codestream box, for Exiv2 to add metadata
// to without the pixels: the codestream is streamed after the header boxes.
std::vector<std::uint8_t> jp2Skeleton(const Layout& layout);

// Sets the enumerated colour space of a JP2 file in memory back to the one `model` needs: Exiv2
// labels every file without an ICC profile sRGB. Returns false when it has no enumerated one.
bool relabelJp2ColourSpace(std::vector<std::uint8_t>& file, ColourModel model);
// Labels the enumerated colour space of a JP2 file in memory sYCC, for YCbCr components.
bool labelJp2Sycc(std::vector<std::uint8_t>& file);

// The boxes before the codestream box of a JP2 file in memory; empty when it has none.
std::span<const std::uint8_t> jp2BoxesBeforeCodestream(const std::vector<std::uint8_t>& file);

} // namespace sips
