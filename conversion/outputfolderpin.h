#pragma once

#include "filedescriptor.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <sys/types.h>

namespace plenwick {

// The output folder as it was when the run was planned, held open: the run's own files are made
// and removed in that folder, and a path that has come to name another folder (renamed, replaced
// by a link to the source folder) is noticed before anything is written through it.
class OutputFolderPin final {
public:
    explicit OutputFolderPin(const QByteArray& path);

    // Whether the folder could be opened; when not, openError() says why.
    [[nodiscard]] bool isOpen() const { return folder.isOpen(); }
    [[nodiscard]] QString openError() const;
    [[nodiscard]] int descriptor() const { return folder.get(); }
    // Whether the path still names the pinned folder.
    [[nodiscard]] bool isStillInPlace() const;
    // Whether the pinned folder holds a regular file of that name.
    [[nodiscard]] bool holdsRegularFile(const QByteArray& name) const;
    // The inode of the regular file of that name in the pinned folder, if there is one.
    [[nodiscard]] std::optional<ino_t> regularFileInode(const QByteArray& name) const;

private:
    QByteArray path;
    FileDescriptor folder;
    int error = 0;
    dev_t device = 0;
    ino_t inode = 0;
};

} // namespace plenwick
