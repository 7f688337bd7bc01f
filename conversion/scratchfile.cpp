#include "scratchfile.h"

#include <QRandomGenerator>
#include <QSet>
#include <QStringBuilder>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>

namespace plenwick {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QByteArrayView Prefix = ".plenwick-";
constexpr QByteArrayView ScratchSuffix = ".jp2";
constexpr QByteArrayView LockSuffix = ".lock";

QByteArray randomBase() {
    static constexpr QByteArrayView Letters =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray base = Prefix.toByteArray();
    for (int i = 0; i < 6; ++i)
        base += Letters.at(QRandomGenerator::system()->bounded(Letters.size()));
    return base;
}

bool isLinked(int descriptor) {
    struct stat status {};
    return ::fstat(descriptor, &status) == 0 && status.st_nlink > 0;
}

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

ScratchFile::ScratchFile(int folder, QByteArray name, FileDescriptor lock)
    : folder(folder)
    , name(std::move(name))
    , lock(std::move(lock)) {}

ScratchFile::~ScratchFile() {
    if (!lock.isOpen())
        return; // moved from
    // The scratch file first: while the lock file is there, no other run takes this name.
    ::unlinkat(folder, QByteArray(name + ScratchSuffix).constData(), 0);
    ::unlinkat(folder, QByteArray(name + LockSuffix).constData(), 0);
}

std::variant<ScratchFile, QString> ScratchFile::claim(const OutputFolderPin& folder) {
    if (!folder.isOpen())
        return folder.openError();
    constexpr int Attempts = 100;
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        QByteArray base = randomBase();
        FileDescriptor lock(::openat(folder.descriptor(), QByteArray(base + LockSuffix).constData(),
                                     O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (!lock.isOpen()) {
            if (errno == EEXIST)
                continue;
            return systemReason(errno);
        }
        // Another run clearing up may have taken the fresh lock file for a leftover and removed
        // it; then the name is not ours. A file system without locks keeps the file unlocked,
        // which only makes other runs leave it alone.
        if (::flock(lock.get(), LOCK_EX) == 0 && !isLinked(lock.get()))
            continue;
        const FileDescriptor scratch(::openat(folder.descriptor(),
                                              QByteArray(base + ScratchSuffix).constData(),
                                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (!scratch.isOpen()) {
            const int error = errno;
            ::unlinkat(folder.descriptor(), QByteArray(base + LockSuffix).constData(), 0);
            if (error == EEXIST)
                continue;
            return systemReason(error);
        }
        return ScratchFile(folder.descriptor(), std::move(base), std::move(lock));
    }
    return systemReason(EEXIST);
}

void removeAbandonedScratchFiles(const OutputFolderPin& folder) {
    if (!folder.isOpen())
        return;
    const int listing = ::openat(folder.descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listing < 0)
        return;
    const std::unique_ptr<DIR, int (*)(DIR*)> directory(::fdopendir(listing), &::closedir);
    if (!directory) {
        ::close(listing);
        return;
    }
    QSet<QByteArray> bases;
    while (const dirent* entry = ::readdir(directory.get())) {
        const QByteArray entryName(entry->d_name);
        if (!entryName.startsWith(Prefix))
            continue;
        for (const QByteArrayView suffix : {ScratchSuffix, LockSuffix}) {
            if (entryName.endsWith(suffix) && entryName.size() > Prefix.size() + suffix.size())
                bases.insert(entryName.chopped(suffix.size()));
        }
    }
    for (const QByteArray& base : std::as_const(bases)) {
        // Taking the lock, made afresh when a scratch file has none, keeps a run from claiming
        // the name while it is being cleared.
        const FileDescriptor lock(::openat(folder.descriptor(),
                                           QByteArray(base + LockSuffix).constData(),
                                           O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!lock.isOpen() || ::flock(lock.get(), LOCK_EX | LOCK_NB) != 0 || !isLinked(lock.get()))
            continue;
        ::unlinkat(folder.descriptor(), QByteArray(base + ScratchSuffix).constData(), 0);
        ::unlinkat(folder.descriptor(), QByteArray(base + LockSuffix).constData(), 0);
    }
}

} // namespace plenwick
