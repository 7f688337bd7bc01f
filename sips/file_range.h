#pragma once

#include "stdio_file.h"

#include <cstdint>

namespace sips {

// A read-only stream over `length` bytes of the open file `descriptor` from `offset`, read in
// place with pread: the descriptor's own offset is left alone, so streams over one file may be
// read on several threads. It ends where the range ends and seeks within it. The descriptor must
// outlive the stream. Null, with errno set, when the stream cannot be made.
FilePtr openFileRange(int descriptor, std::uint64_t offset, std::uint64_t length);

} // namespace sips
