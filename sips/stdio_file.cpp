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

} // namespace sips
