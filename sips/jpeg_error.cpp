#include "jpeg_error.h"

#include <jerror.h>

namespace sips {

namespace {

JpegErrors& errorsOf(j_common_ptr common) {
    return *reinterpret_cast<JpegErrors*>(common->err);
}

extern "C" void recordAndResume(j_common_ptr common) {
    JpegErrors& errors = errorsOf(common);
    errors.manager.format_message(common, errors.message);
    std::longjmp(errors.resume, 1);
}

extern "C" void onMessage(j_common_ptr common, int level) {
    // A file that ends early would otherwise decode silently with grey rows at the bottom.
    if (level < 0 && common->err->msg_code == JWRN_JPEG_EOF)
        recordAndResume(common);
}

} // namespace

void installJpegErrors(JpegErrors& errors, jpeg_common_struct& common) {
    jpeg_std_error(&errors.manager);
    errors.manager.error_exit = recordAndResume;
    errors.manager.emit_message = onMessage;
    common.err = &errors.manager;
}

} // namespace sips
