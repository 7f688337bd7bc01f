#pragma once

#include <unistd.h>
#include <utility>

namespace plenwick {

// Owns one open file descriptor and closes it once.
class FileDescriptor final {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int descriptor)
        : value(descriptor) {}
    ~FileDescriptor() {
        if (value >= 0)
            ::close(value);
    }
    FileDescriptor(FileDescriptor&& other) noexcept
        : value(std::exchange(other.value, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        std::swap(value, other.value);
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    [[nodiscard]] int get() const { return value; }
    [[nodiscard]] bool isOpen() const { return value >= 0; }

private:
    int value = -1;
};

} // namespace plenwick
