#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>

namespace sips {

// Closes the file; the buffer a stream was given, if any, goes with its owner.
struct FileCloser {
    std::unique_ptr<char[]> buffer;
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// A file descriptor, closed with its owner.
class OwnedDescriptor final {
public:
    explicit OwnedDescriptor(int descriptor)
        : descriptor_(descriptor) {}
    ~OwnedDescriptor();
    OwnedDescriptor(OwnedDescriptor&& other) noexcept
        : descriptor_(other.release()) {}
    OwnedDescriptor(const OwnedDescriptor&) = delete;
    OwnedDescriptor& operator=(const OwnedDescriptor&) = delete;
    OwnedDescriptor& operator=(OwnedDescriptor&&) = delete;
    int get() const { return descriptor_; }
    // Hands the descriptor to a new owner.
    int release() { return std::exchange(descriptor_, -1); }

private:
    int descriptor_;
};

// Opens an existing regular file for reading, a link to one included, without ever blocking: a
// folder, FIFO, device or socket is refused. Throws a Failure naming it and the reason. The stream
// reads in blocks of 32 KB, where glibc's own would read 4 KB a system call.
OwnedDescriptor openDescriptorForReading(const std::string& path);
FilePtr openForReading(const std::string& path);

// The input of a run, opened and checked once. While it is held, every opening of its name (the
// functions above, openablePath) reaches this very file through its descriptor, whatever the name
// has come to point at since: a picture swapped for a FIFO or another file is never read.
class HeldInput final {
public:
    explicit HeldInput(const std::string& path);
    ~HeldInput();
    HeldInput(const HeldInput&) = delete;
    HeldInput& operator=(const HeldInput&) = delete;

private:
    OwnedDescriptor descriptor_;
};

// The name to open `path` by in libraries that take names: the held input's descriptor for the
// input's own name, else `path` itself.
std::string openablePath(const std::string& path);

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
