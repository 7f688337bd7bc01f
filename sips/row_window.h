#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sips {

// Decoders that need a whole picture at once (progressive JPEG coefficients, interlaced PNG rows)
// keep it in memory up to this size, else in a temporary file.
inline constexpr std::size_t inMemoryLimit = std::size_t{128} << 20;

// Rows of a fixed size, all in memory, or in an unnamed temporary file in TMPDIR (else /tmp) with
// a window of them in memory. The decoders walk their rows top to bottom, pass after pass, so
// each row is read and written once a pass. Rows never written read as zero.
class RowWindow final {
public:
    // `rows` rows of `rowBytes` bytes, `held` of them in memory at a time: all of them, and no
    // file, when `held` >= `rows`.
    RowWindow(std::size_t rowBytes, std::uint32_t rows, std::uint32_t held);
    ~RowWindow();
    RowWindow(const RowWindow&) = delete;
    RowWindow& operator=(const RowWindow&) = delete;

    // How many rows make a window of about 4 MB, at least `least`.
    static std::uint32_t windowRows(std::size_t rowBytes, std::uint32_t rows, std::uint32_t least);

    // Brings rows [start, end) into memory, `end - start` at most held(); a window moving forward
    // starts at `start`, one moving backward ends at `end`. False, with failure() said, when the
    // temporary file fails.
    bool bring(std::uint32_t start, std::uint32_t end);
    // The rows brought in are written back before the window moves on.
    void markWritten() { dirty_ = true; }
    std::uint8_t* row(std::uint32_t index) {
        return memory_.data() + std::size_t{index - first_} * rowBytes_;
    }
    std::uint32_t first() const { return first_; }
    std::uint32_t held() const { return held_; }
    const std::string& failure() const { return failure_; }

private:
    bool openFile();
    bool transfer(bool writing);
    bool failed(const std::string& what, int error);

    std::size_t rowBytes_;
    std::uint32_t rows_;
    std::uint32_t held_;
    std::uint32_t first_ = 0;
    bool dirty_ = false;
    int file_ = -1;
    std::vector<std::uint8_t> memory_;
    std::string failure_;
};

} // namespace sips
