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

// Warnings that mean samples are missing or wrong: libjpeg goes on with grey or shifted blocks.
// The rest (extraneous bytes between segments, an unknown JFIF revision, a bad ICC marker) leave
// the picture whole.
bool damagesPicture(int code) {
    switch (code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_BOGUS_PROGRESSION:
        return true;
    default:
        return false;
    }
}

extern "C" void onMessage(j_common_ptr common, int level) {
    if (level < 0 && damagesPicture(common->err->msg_code))
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
