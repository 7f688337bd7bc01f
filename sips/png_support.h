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

template <typename Step> bool pngGuarded(png_structp png, Step&& step) {
    if (setjmp(png_jmpbuf(png)) != 0)
        return false;
    step();
    return true;
}

} // namespace sips
