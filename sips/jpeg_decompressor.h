#pragma once

#include "coefficient_store.h"
#include "density.h"
#include "jpeg_error.h"
#include "stdio_file.h"

#include <cstdio>
#include <jpeglib.h>
#include <optional>
#include <span>
#include <string>

namespace sips {

// A JPEG file opened for decoding, its header read: the libjpeg decompressor with the tool's
// error handling and coefficient store, released by its own destructor, so that a reader whose
// constructor fails half-way leaks nothing. Every failure names the file.
class JpegDecompressor final {
public:
    // Keeps the first `savedLength` bytes of every segment of the `savedMarkers` kinds.
    explicit JpegDecompressor(std::string path, std::span<const int> savedMarkers = {},
                              unsigned savedLength = 0);

    [[nodiscard]] jpeg_decompress_struct& info() { return libjpeg_.info; }
    [[nodiscard]] const jpeg_decompress_struct& info() const { return libjpeg_.info; }
    [[nodiscard]] const std::string& path() const { return path_; }

    // Runs libjpeg calls that may fail; a failure is thrown as the file's Failure.
    template <typename Step> void guarded(Step&& step) {
        if (!jpegGuarded(errors_, std::forward<Step>(step)))
            fail();
    }
    // Starts decompressing with the output settings made on info(). A progressive file has been
    // read whole then: when its scans stop before every coefficient has arrived, and an end
    // marker follows, libjpeg shows a blurred picture without a word, which is a Failure here.
    void start();
    // Reads every scan into coefficient arrays held by the tool's store (jpeg_read_coefficients),
    // refusing a progression that stops early as start() does.
    jvirt_barray_ptr* readCoefficients();
    // Lets a compressor read the arrays readCoefficients() gave (jpeg_write_coefficients).
    void lendCoefficients(jpeg_compress_struct& compressor) const;
    // The file, positioned just past the bytes libjpeg has taken: after readCoefficients(), where
    // the picture ends and any data after it starts.
    [[nodiscard]] std::FILE* fileAfterPicture();
    [[noreturn]] void fail() const;

private:
    void refuseMissingScans() const;

    std::string path_;
    FilePtr file_;
    JpegErrors errors_;
    CoefficientStore coefficients_; // used until the decompressor is destroyed
    // Destroyed by a member's destructor, which runs also when the constructor throws.
    struct Owned final {
        jpeg_decompress_struct info{};
        bool created = false;
        Owned() = default;
        Owned(const Owned&) = delete;
        Owned& operator=(const Owned&) = delete;
        ~Owned() {
            if (created)
                jpeg_destroy_decompress(&info);
        }
    } libjpeg_;
};

// The JFIF density of a file whose header was read, when it has one with a real unit.
std::optional<Density> jfifDensity(const jpeg_decompress_struct& info);

} // namespace sips
