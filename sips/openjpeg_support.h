#pragma once

#include <cstdio>
#include <memory>
#include <openjpeg.h>
#include <string>

namespace sips {

struct OpjCodecDeleter {
    void operator()(opj_codec_t* codec) const { opj_destroy_codec(codec); }
};
struct OpjStreamDeleter {
    void operator()(opj_stream_t* stream) const { opj_stream_destroy(stream); }
};
struct OpjImageDeleter {
    void operator()(opj_image_t* image) const { opj_image_destroy(image); }
};
using OpjCodec = std::unique_ptr<opj_codec_t, OpjCodecDeleter>;
using OpjStream = std::unique_ptr<opj_stream_t, OpjStreamDeleter>;
using OpjImage = std::unique_ptr<opj_image_t, OpjImageDeleter>;

// OpenJPEG's last error message, kept for the one line the tool prints; empty while there is none.
struct OpjMessages {
    std::string lastError;
    // "what: last error", or `what` alone when OpenJPEG said nothing.
    std::string explain(const std::string& what) const {
        return lastError.empty() ? what : what + ": " + lastError;
    }
};

// Sends errors to `messages` and silences warnings and information.
void routeOpjMessages(opj_codec_t* codec, OpjMessages& messages);

// A reading stream over an open FILE*, which stays owned by the caller, from where the file
// stands.
OpjStream opjReadStreamOver(std::FILE* file);

// Worker threads for OpenJPEG's code-block decoding: one per core.
int opjThreadCount();

} // namespace sips
