#include "jpeg_error.h"

#include <cstdio>
#include <cstdlib>
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

// Each scan of a progressive file is a pass over the whole picture, and a scan can take a few
// bytes: a small file of many scans would take hours. Real files have about ten.
constexpr int mostScans = 1000;

extern "C" void onMessage(j_common_ptr common, int level) {
    JpegErrors& errors = errorsOf(common);
    if (level < 0 && damagesPicture(errors.manager.msg_code))
        recordAndResume(common);
    if (errors.manager.msg_code == JTRC_SOS && ++errors.scans > mostScans) {
        std::snprintf(errors.message, sizeof errors.message,
                      "more than %d scans (damaged or hostile)", mostScans);
        std::longjmp(errors.resume, 1);
    }
}

} // namespace

void raiseJpegError(j_common_ptr common, int code) {
    common->err->msg_code = code;
    (*common->err->error_exit)(common);
    std::abort(); // error_exit does not return
}

void installJpegErrors(JpegErrors& errors, jpeg_common_struct& common) {
    jpeg_std_error(&errors.manager);
    errors.manager.error_exit = recordAndResume;
    errors.manager.emit_message = onMessage;
    common.err = &errors.manager;
}

} // namespace sips
