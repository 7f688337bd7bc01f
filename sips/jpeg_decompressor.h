#pragma once

#include "coefficient_store.h"
#include "density.h"
#include "jpeg_error.h"
#include "stdio_file.h"

#include <cstdio>
#include <jpeglib.h>
#include <optional>
#include <string>

namespace sips {

// A JPEG file opened for decoding, its header read: the libjpeg decompressor with the tool's
// error handling and coefficient store, released by its own destructor, so that a reader whose
// constructor fails half-way leaks nothing. Every failure names the file.
class JpegDecompressor final {
public:
    // Keeps the first `savedLength` bytes of every `savedMarker` segment when one is given.
    explicit JpegDecompressor(std::string path, int savedMarker = 0, unsigned savedLength = 0);

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
    [[noreturn]] void fail() const;

private:
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
