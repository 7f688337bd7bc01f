#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

namespace sips {

// A PNG file read from `in` without its image data: its signature and every chunk but IDAT, as a
// file of its own, for reading the metadata without holding the image data. Nullopt when the
// file is not a plain sequence of chunks ending with IEND, or when the chunks kept would take more
// than `limit` bytes: the whole file is then the one to read.
std::optional<std::vector<std::uint8_t>> pngWithoutImageData(std::FILE* in, std::size_t limit);

} // namespace sips
