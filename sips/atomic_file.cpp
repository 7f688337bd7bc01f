#include "atomic_file.h"

#include "failure.h"
#include "stdio_file.h"

#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace sips {

namespace {

// The signal handler may only touch plain memory and call async-signal-safe functions.
std::array<char, PATH_MAX + 1> pendingTemporary{};
volatile std::sig_atomic_t hasPendingTemporary = 0;

extern "C" void removePendingTemporary(int signalNumber) {
    if (hasPendingTemporary != 0)
        ::unlink(pendingTemporary.data());
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

void watchForSignals(const std::string& path) {
    if (path.size() >= pendingTemporary.size())
        return;
    std::memcpy(pendingTemporary.data(), path.c_str(), path.size() + 1);
    hasPendingTemporary = 1;
    for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signalNumber, removePendingTemporary);
}

void stopWatchingForSignals() {
    hasPendingTemporary = 0;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The mode the finished file gets: the permissions of the file it replaces, else what a new file
// gets. A link is replaced, not its target, so the copy is a new file. Set-user-ID, set-group-ID
// and sticky bits are never carried over: the copy is a picture.
mode_t finalMode(const std::string& target) {
    struct stat info {};
    if (::lstat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        return info.st_mode & 0777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::string systemReason(const char* what, int error) {
    return std::string(what) + ": " + std::strerror(error);
}

// A hidden name short enough to fit beside any name the folder can hold.
std::string temporaryName(const std::string& folder) {
    static constexpr char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device entropy;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof letters - 2);
    std::string name = folder + "/.sips-";
    for (int i = 0; i < 8; ++i)
        name += letters[pick(entropy)];
    return name;
}

// The first write error of the stream being written; the tool writes one file at a time.
int firstWriteError = 0;

// Bytes written since the system was last asked to start putting them on disk.
std::size_t unsubmitted = 0;

// Asks the system to start writing each megabyte out as it comes, so that the fsync ending the
// file waits for its last megabyte rather than for all of it. Only a hint: where the file system
// cannot, the fsync still does it all.
void startWriteback(int descriptor, std::size_t written) {
    constexpr std::size_t step = std::size_t{1} << 20;
    unsubmitted += written;
    if (unsubmitted < step)
        return;
    unsubmitted = 0;
    ::sync_file_range(descriptor, 0, 0, SYNC_FILE_RANGE_WRITE);
}

// The stream writes straight to the descriptor so that a failed write keeps its errno; glibc's
// own streams let libjpeg and libpng report only that "a write failed".
extern "C" ssize_t writeToDescriptor(void* cookie, const char* buffer, std::size_t size) {
    const int descriptor = *static_cast<int*>(cookie);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t written = ::write(descriptor, buffer + done, size - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (firstWriteError == 0)
                firstWriteError = written < 0 ? errno : ENOSPC;
            return done > 0 ? static_cast<ssize_t>(done) : -1;
        }
        done += static_cast<std::size_t>(written);
    }
    startWriteback(descriptor, done);
    return static_cast<ssize_t>(done);
}

extern "C" int seekDescriptor(void* cookie, off64_t* offset, int whence) {
    const off64_t position = ::lseek64(*static_cast<int*>(cookie), *offset, whence);
    if (position < 0)
        return -1;
    *offset = position;
    return 0;
}

// Twice glibc's own: more keeps a step's peak memory above what it was, for few system calls less.
constexpr std::size_t streamBuffer = 1 << 14;

} // namespace

AtomicFile::AtomicFile(std::string target)
    : target_(std::move(target))
    , folder_(folderOf(target_)) {
    struct stat info {};
    if (::stat(folder_.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        throw Failure(target_, "output folder " + folder_ + " does not exist");
    if (::stat(target_.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        throw Failure(target_, "output is a folder, not a file");

    NewFile made = createUnnamedFile(folder_, ".sips-", O_WRONLY);
    descriptor_ = made.descriptor;
    if (!made.name.empty()) {
        temporary_ = std::move(made.name);
        watchForSignals(temporary_);
    }
    if (descriptor_ < 0)
        throw Failure(target_, systemReason("cannot create a file in the output folder", errno));
    firstWriteError = 0;
    unsubmitted = 0;
    streamBuffer_ = std::make_unique_for_overwrite<char[]>(streamBuffer);
    stream_ =
        ::fopencookie(&descriptor_, "wb", {nullptr, writeToDescriptor, seekDescriptor, nullptr});
    if (stream_ == nullptr ||
        std::setvbuf(stream_, streamBuffer_.get(), _IOFBF, streamBuffer) != 0) {
        // A constructor that throws runs no destructor.
        if (stream_ != nullptr)
            std::fclose(stream_);
        ::close(descriptor_);
        if (!temporary_.empty()) {
            ::unlink(temporary_.c_str());
            stopWatchingForSignals();
        }
        throw Failure(target_, "out of memory");
    }
}

AtomicFile::~AtomicFile() {
    if (stream_ != nullptr)
        std::fclose(stream_);
    if (!temporary_.empty() && !committed_) {
        ::unlink(temporary_.c_str());
        stopWatchingForSignals();
    }
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

void AtomicFile::closeStream() {
    std::FILE* stream = stream_;
    stream_ = nullptr;
    if (std::fclose(stream) != 0 || ::fsync(descriptor_) != 0)
        failWriting(nullptr, target_, systemReason("cannot write", errno));
}

// Gives the unnamed file a name; returns 0 or the system's error (EEXIST when the name is taken).
int AtomicFile::linkUnder(const std::string& name) const {
    const std::string self = "/proc/self/fd/" + std::to_string(descriptor_);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return 0;
    // Without /proc, the descriptor itself names the file (for privileged processes only).
    if (errno == ENOENT && ::linkat(descriptor_, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0)
        return 0;
    return errno;
}

void AtomicFile::commit() {
    closeStream();
    if (::fchmod(descriptor_, finalMode(target_)) != 0)
        throw Failure(target_, systemReason("cannot set permissions", errno));
    if (temporary_.empty()) {
        // A new name is taken in one step; linkat does not replace, so an existing target is
        // renamed over from a short hidden name.
        int error = linkUnder(target_);
        for (int attempt = 0; error == EEXIST && attempt < 100; ++attempt) {
            const std::string name = temporaryName(folder_);
            error = linkUnder(name);
            if (error == 0) {
                temporary_ = name;
                watchForSignals(temporary_);
            }
        }
        if (error != 0)
            throw Failure(target_, systemReason("cannot name the new file", error));
        if (temporary_.empty()) {
            committed_ = true;
            return;
        }
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        throw Failure(target_, systemReason("cannot replace", errno));
    committed_ = true;
    stopWatchingForSignals();
}

void failWriting(std::FILE* stream, const std::string& target, const std::string& what) {
    if (firstWriteError != 0 && (stream == nullptr || std::ferror(stream) != 0))
        throw Failure(target, systemReason("cannot write", firstWriteError));
    throw Failure(target, what);
}

void writeBytes(std::FILE* stream, const std::string& target, std::span<const std::uint8_t> bytes,
                const std::string& what) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size())
        failWriting(stream, target, what);
}

} // namespace sips
