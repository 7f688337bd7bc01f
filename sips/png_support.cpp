#include "png_support.h"

#include <cstdio>

namespace sips {

extern "C" void pngRecordAndResume(png_structp png, png_const_charp message) {
    auto* errors = static_cast<PngErrors*>(png_get_error_ptr(png));
    std::snprintf(errors->message, sizeof errors->message, "%s", message);
    png_longjmp(png, 1);
}

extern "C" void pngIgnoreWarning(png_structp, png_const_charp) {}

} // namespace sips
