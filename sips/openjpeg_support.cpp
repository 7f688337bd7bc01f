#include "openjpeg_support.h"

#include "stdio_file.h"

#include <algorithm>
#include <thread>

namespace sips {

namespace {

extern "C" void recordOpjError(const char* message, void* data) {
    std::string& last = static_cast<OpjMessages*>(data)->lastError;
    last = message;
    while (!last.empty() && (last.back() == '\n' || last.back() == ' '))
        last.pop_back();
}

extern "C" void ignoreOpjMessage(const char*, void*) {}

// The stream's file and where in it the stream starts: OpenJPEG seeks relative to its stream.
struct StreamFile {
    std::FILE* file;
    long start;
};

std::FILE* fileOf(void* data) {
    return static_cast<StreamFile*>(data)->file;
}

extern "C" OPJ_SIZE_T readFromFile(void* buffer, OPJ_SIZE_T size, void* data) {
    const std::size_t got = std::fread(buffer, 1, size, fileOf(data));
    return got == 0 ? static_cast<OPJ_SIZE_T>(-1) : got;
}

extern "C" OPJ_OFF_T skipInFile(OPJ_OFF_T offset, void* data) {
    return std::fseek(fileOf(data), offset, SEEK_CUR) == 0 ? offset : -1;
}

extern "C" OPJ_BOOL seekInFile(OPJ_OFF_T offset, void* data) {
    const auto* stream = static_cast<StreamFile*>(data);
    return std::fseek(stream->file, stream->start + offset, SEEK_SET) == 0 ? OPJ_TRUE : OPJ_FALSE;
}

extern "C" void freeStreamFile(void* data) {
    delete static_cast<StreamFile*>(data);
}

constexpr OPJ_SIZE_T streamChunk = 1 << 16;

} // namespace

void routeOpjMessages(opj_codec_t* codec, OpjMessages& messages) {
    opj_set_error_handler(codec, recordOpjError, &messages);
    opj_set_warning_handler(codec, ignoreOpjMessage, nullptr);
    opj_set_info_handler(codec, ignoreOpjMessage, nullptr);
}

OpjStream opjReadStreamOver(std::FILE* file) {
    OpjStream stream(opj_stream_create(streamChunk, OPJ_TRUE));
    if (!stream)
        return stream;
    const long start = std::ftell(file);
    if (start < 0)
        return nullptr;
    auto data = std::make_unique<StreamFile>(StreamFile{file, start});
    opj_stream_set_user_data(stream.get(), data.release(), freeStreamFile);
    const std::uint64_t size = sizeOf(file);
    if (size >= static_cast<std::uint64_t>(start))
        opj_stream_set_user_data_length(stream.get(), size - static_cast<std::uint64_t>(start));
    opj_stream_set_read_function(stream.get(), readFromFile);
    opj_stream_set_skip_function(stream.get(), skipInFile);
    opj_stream_set_seek_function(stream.get(), seekInFile);
    return stream;
}

int opjThreadCount() {
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

} // namespace sips
