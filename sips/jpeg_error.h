#pragma once

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace sips {

// libjpeg reports fatal errors by calling error_exit, which must not return. Ours records the
// message and longjmps back to the jpegGuarded() call that started the failing step. Steps run
// only C calls and trivially destructible locals, so the jump skips no C++ destructor.
struct JpegErrors {
    jpeg_error_mgr manager{}; // first member: libjpeg hands back a pointer to it
    std::jmp_buf resume{};
    char message[JMSG_LENGTH_MAX] = {};
    int scans = 0; // seen so far in the file being read
};

// Points `common.err` at `errors`. Warnings of damaged entropy-coded data (a scan that stops early,
// bad codes, a truncated file) are fatal, and so is a file of more than 1000 scans; the other
// warnings stay silent.
void installJpegErrors(JpegErrors& errors, jpeg_common_struct& common);

// Reports error `code` from one of the tool's own libjpeg callbacks: error_exit takes it back to
// the jpegGuarded() call that started the step.
[[noreturn]] void raiseJpegError(j_common_ptr common, int code);

template <typename Step> bool jpegGuarded(JpegErrors& errors, Step&& step) {
    if (setjmp(errors.resume) != 0)
        return false;
    step();
    return true;
}

} // namespace sips
