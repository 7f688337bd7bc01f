#pragma once

#include "density.h"

#include <cstdio>
#include <jpeglib.h>
#include <optional>
#include <string>

namespace sips {

// A libjpeg decompressor released by its own destructor, so that a constructor that fails
// half-way leaks nothing.
struct JpegDecompressor final {
    jpeg_decompress_struct info{};
    bool created = false;
    JpegDecompressor() = default;
    JpegDecompressor(const JpegDecompressor&) = delete;
    JpegDecompressor& operator=(const JpegDecompressor&) = delete;
    ~JpegDecompressor() {
        if (created)
            jpeg_destroy_decompress(&info);
    }
};

// A progressive file has been read whole once decompression starts. When its scans stop before
// every coefficient has arrived, and an end marker follows, libjpeg shows a blurred picture
// without a word: that is a Failure.
void checkProgressionComplete(const jpeg_decompress_struct& info, const std::string& path);

// The JFIF density of a file whose header was read, when it has one with a real unit.
std::optional<Density> jfifDensity(const jpeg_decompress_struct& info);

} // namespace sips
