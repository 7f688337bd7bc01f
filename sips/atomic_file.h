#pragma once

#include <cstdio>
#include <string>

namespace sips {

// Writes a file so that readers only ever see the old content or the complete new one: the data
// goes to a hidden temporary file in the target's folder, renamed over the target on commit().
// Until then the target is untouched; the temporary file is removed on failure and on SIGINT,
// SIGTERM or SIGHUP.
class AtomicFile final {
public:
    explicit AtomicFile(std::string target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    std::FILE* stream() const { return stream_; }
    const std::string& target() const { return target_; }
    const std::string& temporaryPath() const { return temporary_; }

    // Flushes and closes the stream so that other code may edit the temporary file by name.
    void closeStream();
    // Makes the new content the target's.
    void commit();

private:
    std::string target_;
    std::string temporary_;
    std::FILE* stream_ = nullptr;
    bool committed_ = false;
};

} // namespace sips
