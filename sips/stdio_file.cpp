#include "stdio_file.h"

#include "failure.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace sips {

FilePtr openForReading(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        throw Failure(path, "is a folder, not a picture");
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file && errno == ENOENT)
        throw Failure(path, "no such file: the picture is missing");
    if (!file)
        throw Failure(path, std::string("cannot open: ") + std::strerror(errno));
    return file;
}

std::uint64_t sizeOf(std::FILE* file) {
    struct stat info {};
    if (::fstat(::fileno(file), &info) != 0 || info.st_size < 0)
        return 0;
    return static_cast<std::uint64_t>(info.st_size);
}

} // namespace sips
