#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace sips {

// A failure reported to the user as one line: the file it concerns and why.
class Failure final : public std::runtime_error {
public:
    Failure(std::string file, const std::string& reason)
        : std::runtime_error(reason)
        , file_(std::move(file)) {}

    const std::string& file() const { return file_; }

private:
    std::string file_;
};

} // namespace sips
