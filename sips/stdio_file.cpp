#include "stdio_file.h"

#include "failure.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sips {

namespace {

// The held input: its name as given, and the name of its descriptor.
struct Held {
    std::string path;
    std::string descriptorPath;
};
Held held;

const char* kindOf(mode_t mode) {
    if (S_ISFIFO(mode))
        return "is a FIFO";
    if (S_ISSOCK(mode))
        return "is a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "is a device";
    return "is not a regular file";
}

} // namespace

OwnedDescriptor::~OwnedDescriptor() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

OwnedDescriptor openDescriptorForReading(const std::string& path) {
    // Without O_NONBLOCK, opening a FIFO waits for a writer, forever.
    OwnedDescriptor file(::open(openablePath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0 && errno == ENOENT)
        throw Failure(path, "no such file: the picture is missing");
    if (file.get() < 0)
        throw Failure(path, std::string("cannot open: ") + std::strerror(errno));
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        throw Failure(path, std::string("cannot open: ") + std::strerror(errno));
    if (S_ISDIR(info.st_mode))
        throw Failure(path, "is a folder, not a picture");
    if (!S_ISREG(info.st_mode))
        throw Failure(path, std::string(kindOf(info.st_mode)) + ", not a picture file");
    const int flags = ::fcntl(file.get(), F_GETFL);
    if (flags < 0 || ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        throw Failure(path, std::string("cannot open: ") + std::strerror(errno));
    return file;
}

FilePtr openForReading(const std::string& path) {
    constexpr std::size_t bufferSize = std::size_t{1} << 15;
    OwnedDescriptor descriptor = openDescriptorForReading(path);
    FilePtr file(::fdopen(descriptor.get(), "rb"),
                 FileCloser{std::make_unique_for_overwrite<char[]>(bufferSize)});
    if (!file)
        throw Failure(path, std::string("cannot open: ") + std::strerror(errno));
    descriptor.release();
    std::setvbuf(file.get(), file.get_deleter().buffer.get(), _IOFBF, bufferSize);
    return file;
}

HeldInput::HeldInput(const std::string& path)
    : descriptor_(openDescriptorForReading(path)) {
    held = {path, "/proc/self/fd/" + std::to_string(descriptor_.get())};
}

HeldInput::~HeldInput() {
    held = {};
}

std::string openablePath(const std::string& path) {
    return !held.path.empty() && path == held.path ? held.descriptorPath : path;
}

NewFile createUnnamedFile(const std::string& folder, const std::string& prefix, int access) {
    NewFile made;
    made.descriptor = ::open(folder.c_str(), O_TMPFILE | access | O_CLOEXEC, 0600);
    if (made.descriptor < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        std::string pattern = folder + "/" + prefix + "XXXXXX";
        made.descriptor = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (made.descriptor >= 0)
            made.name = pattern;
    }
    return made;
}

std::uint64_t sizeOf(std::FILE* file) {
    struct stat info {};
    if (::fstat(::fileno(file), &info) != 0 || info.st_size < 0)
        return 0;
    return static_cast<std::uint64_t>(info.st_size);
}

} // namespace sips
