#include "row_window.h"

#include "stdio_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace sips {

namespace {

constexpr std::size_t windowBytes = std::size_t{4} << 20;

} // namespace

RowWindow::RowWindow(std::size_t rowBytes, std::uint32_t rows, std::uint32_t held)
    : rowBytes_(rowBytes)
    , rows_(rows)
    , held_(std::min(held, rows))
    , memory_(rowBytes * held_) {}

RowWindow::~RowWindow() {
    if (file_ >= 0)
        ::close(file_);
}

std::uint32_t RowWindow::windowRows(std::size_t rowBytes, std::uint32_t rows, std::uint32_t least) {
    const std::size_t fitting = rowBytes == 0 ? rows : windowBytes / rowBytes;
    return static_cast<std::uint32_t>(
        std::clamp<std::size_t>(fitting, std::min(least, rows), rows));
}

bool RowWindow::bring(std::uint32_t start, std::uint32_t end) {
    if (start >= first_ && end <= first_ + held_)
        return true;
    if (file_ < 0 && !openFile())
        return false;
    if (dirty_) {
        if (!transfer(true))
            return false;
        dirty_ = false;
    }
    first_ = start > first_ ? std::min(start, rows_ - held_) : end - std::min(end, held_);
    return transfer(false);
}

bool RowWindow::failed(const std::string& what, int error) {
    failure_ = what + ": " + std::strerror(error);
    return false;
}

bool RowWindow::openFile() {
    const char* folder = std::getenv("TMPDIR");
    if (folder == nullptr || *folder == '\0')
        folder = "/tmp";
    const NewFile made = createUnnamedFile(folder, "sips-rows-", O_RDWR);
    file_ = made.descriptor;
    if (!made.name.empty()) // no unnamed files here: the name goes at once
        ::unlink(made.name.c_str());
    if (file_ < 0)
        return failed("cannot create a temporary file in " + std::string(folder), errno);
    // Rows never written read back as zero from the file's holes.
    if (::ftruncate(file_, static_cast<off_t>(rowBytes_ * rows_)) != 0)
        return failed("cannot write a temporary file", errno);
    return true;
}

bool RowWindow::transfer(bool writing) {
    auto* bytes = reinterpret_cast<char*>(memory_.data());
    std::size_t left = memory_.size();
    auto at = static_cast<off_t>(rowBytes_ * first_);
    while (left > 0) {
        const ssize_t done =
            writing ? ::pwrite(file_, bytes, left, at) : ::pread(file_, bytes, left, at);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return failed(writing ? "cannot write a temporary file"
                                  : "cannot read a temporary file",
                          done < 0 ? errno : EIO);
        bytes += done;
        left -= static_cast<std::size_t>(done);
        at += done;
    }
    return true;
}

} // namespace sips
