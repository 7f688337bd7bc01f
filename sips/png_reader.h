#pragma once

#include "density.h"
#include "pixels.h"
#include "png_support.h"
#include "row_window.h"
#include "stdio_file.h"

#include <memory>
#include <optional>

namespace sips {

// Whether a PNG's own checksums are checked as it is decoded: chunk CRCs of the image data and
// zlib's Adler-32. Skipped only for bytes whose SHA-256 has already matched the digest recorded
// with them, which the checksums could not add to.
enum class PngChecksums { Check, SkipVerified };

// Decodes a PNG row by row: palettes and low bit depths expand to 8 bits, transparency becomes an
// alpha channel, 16-bit samples stay 16-bit. Interlaced files are decoded whole first, into a
// RowWindow.
class PngReader final : public RowReader {
public:
    explicit PngReader(std::string path, PngChecksums checksums = PngChecksums::Check);
    // Decodes the `fileBytes` bytes of `file` from its position; `name` names them in messages.
    PngReader(FilePtr file, std::uint64_t fileBytes, std::string name, PngChecksums checksums);
    ~PngReader() override;
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;

    const Layout& layout() const override { return layout_; }
    void read(std::uint8_t* rows, std::uint32_t count) override;
    // The pHYs resolution, when given per metre.
    const std::optional<Density>& density() const { return density_; }

private:
    void start(std::uint64_t fileBytes, PngChecksums checksums);
    [[noreturn]] void fail() const;
    void decodeInterlaced(int passes);

    std::string path_;
    FilePtr file_;
    PngErrors errors_;
    // Released by its destructor, so a constructor that fails half-way leaks nothing.
    PngReadStructs structs_;
    png_structp& png_ = structs_.png;
    png_infop& info_ = structs_.info;
    Layout layout_;
    std::optional<Density> density_;
    std::unique_ptr<RowWindow> image_; // only for interlaced files
    std::uint32_t nextRow_ = 0;
};

} // namespace sips
