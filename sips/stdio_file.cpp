#include "stdio_file.h"

#include "failure.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
