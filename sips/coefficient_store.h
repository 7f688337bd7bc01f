#pragma once

#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
#include <memory>
#include <string>

namespace sips {

// Holds the whole-picture coefficient arrays libjpeg needs for progressive and multi-scan files,
// each in a RowWindow: in memory while they are small, else in a temporary file with a window of
// rows in memory. A 100-megapixel progressive picture then decodes in tens of megabytes instead
// of 600.
class CoefficientStore final {
public:
    CoefficientStore();
    ~CoefficientStore();
    CoefficientStore(const CoefficientStore&) = delete;
    CoefficientStore& operator=(const CoefficientStore&) = delete;

    // Takes over the block arrays of `info`; call after jpeg_create_decompress and before
    // jpeg_start_decompress. The store must outlive the decompression.
    void install(jpeg_decompress_struct& info);
    // Lets a compressor read the arrays the store holds, as jpeg_write_coefficients does.
    void lend(jpeg_compress_struct& info) const;
    // Why the store failed libjpeg's last call into it, if it did; libjpeg's own message then
    // says nothing useful.
    const std::string& failure() const;

    struct State; // what libjpeg's callbacks work on

private:
    std::unique_ptr<State> state_;
};

} // namespace sips
