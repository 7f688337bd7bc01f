#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace sips {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Opens an existing file for reading; throws a Failure naming it and the system's reason.
FilePtr openForReading(const std::string& path);

// The size of an open file in bytes, 0 when the system cannot say.
std::uint64_t sizeOf(std::FILE* file);

} // namespace sips
