#include "atomic_file.h"

#include "failure.h"

#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
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

std::string nameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The mode the finished file gets: the target's own when it exists, else what a new file gets.
mode_t finalMode(const std::string& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0)
        return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::string systemReason(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

} // namespace

AtomicFile::AtomicFile(std::string target)
    : target_(std::move(target)) {
    const std::string folder = folderOf(target_);
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        throw Failure(target_, "output folder " + folder + " does not exist");
    if (::stat(target_.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        throw Failure(target_, "output is a folder, not a file");

    std::string pattern = folder + "/." + nameOf(target_) + ".XXXXXX";
    const int descriptor = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (descriptor < 0)
        throw Failure(target_, systemReason("cannot create a file in the output folder"));
    temporary_ = pattern;
    watchForSignals(temporary_);
    stream_ = ::fdopen(descriptor, "wb");
    if (stream_ == nullptr) {
        ::close(descriptor);
        ::unlink(temporary_.c_str());
        stopWatchingForSignals();
        throw Failure(target_, systemReason("cannot write"));
    }
}

AtomicFile::~AtomicFile() {
    if (stream_ != nullptr)
        std::fclose(stream_);
    if (!committed_) {
        ::unlink(temporary_.c_str());
        stopWatchingForSignals();
    }
}

void AtomicFile::closeStream() {
    if (stream_ == nullptr)
        return;
    std::FILE* stream = stream_;
    stream_ = nullptr;
    const bool flushed = std::fflush(stream) == 0 && ::fsync(::fileno(stream)) == 0;
    const int flushError = errno;
    if (std::fclose(stream) != 0 || !flushed) {
        errno = flushed ? errno : flushError;
        throw Failure(target_, systemReason("cannot write"));
    }
}

void AtomicFile::commit() {
    closeStream();
    if (::chmod(temporary_.c_str(), finalMode(target_)) != 0)
        throw Failure(target_, systemReason("cannot set permissions"));
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        throw Failure(target_, systemReason("cannot replace"));
    committed_ = true;
    stopWatchingForSignals();
}

} // namespace sips
