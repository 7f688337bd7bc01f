#pragma once

#include <csetjmp>
#include <png.h>
#include <string>

namespace sips {

// libpng reports fatal errors through a callback that must not return; ours records the message
// and longjmps to png_jmpbuf, armed by pngGuarded() around each step. Steps run only C calls
// and trivially destructible locals, so the jump skips no C++ destructor.
struct PngErrors {
    char message[256] = {};
};

extern "C" void pngRecordAndResume(png_structp png, png_const_charp message);
extern "C" void pngIgnoreWarning(png_structp png, png_const_charp message);

// Own libpng's structures, released by their destructors whatever a failure half-way left.
struct PngReadStructs final {
    png_structp png = nullptr;
    png_infop info = nullptr;
    PngReadStructs() = default;
    PngReadStructs(const PngReadStructs&) = delete;
    PngReadStructs& operator=(const PngReadStructs&) = delete;
    ~PngReadStructs() { png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr); }
};

struct PngWriteStructs final {
    png_structp png = nullptr;
    png_infop info = nullptr;
    PngWriteStructs() = default;
    PngWriteStructs(const PngWriteStructs&) = delete;
    PngWriteStructs& operator=(const PngWriteStructs&) = delete;
    ~PngWriteStructs() { png_destroy_write_struct(&png, info != nullptr ? &info : nullptr); }
};

template <typename Step> bool pngGuarded(png_structp png, Step&& step) {
    if (setjmp(png_jmpbuf(png)) != 0)
        return false;
    step();
    return true;
}

} // namespace sips
