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

// A new file in `folder` with no name (O_TMPFILE), or where the file system has no unnamed files,
// one named `folder`/`prefix`XXXXXX, its name returned for the caller to keep or remove. A
// descriptor of -1 leaves the system's reason in errno.
struct NewFile {
    int descriptor = -1;
    std::string name; // empty for an unnamed file
};
NewFile createUnnamedFile(const std::string& folder, const std::string& prefix, int access);

// The size of an open file in bytes, 0 when the system cannot say.
std::uint64_t sizeOf(std::FILE* file);

} // namespace sips
