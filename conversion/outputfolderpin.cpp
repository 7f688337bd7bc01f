#include "outputfolderpin.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace plenwick {

OutputFolderPin::OutputFolderPin(const QByteArray& path)
    : path(path)
    , folder(::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    struct stat status {};
    if (!folder.isOpen() || ::fstat(folder.get(), &status) != 0) {
        error = errno;
        folder = FileDescriptor();
        return;
    }
    device = status.st_dev;
    inode = status.st_ino;
}

QString OutputFolderPin::openError() const {
    return QString::fromLocal8Bit(std::strerror(error));
}

bool OutputFolderPin::isStillInPlace() const {
    struct stat status {};
    return isOpen() && ::stat(path.constData(), &status) == 0 && status.st_dev == device &&
           status.st_ino == inode;
}

bool OutputFolderPin::holdsRegularFile(const QByteArray& name) const {
    return regularFileInode(name).has_value();
}

std::optional<ino_t> OutputFolderPin::regularFileInode(const QByteArray& name) const {
    struct stat status {};
    if (!isOpen() || ::fstatat(folder.get(), name.constData(), &status, 0) != 0 ||
        !S_ISREG(status.st_mode))
        return std::nullopt;
    return status.st_ino;
}

} // namespace plenwick
