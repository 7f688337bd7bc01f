#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>

namespace sips {

// Writes a file so that readers only ever see the old content or the complete new one. The data
// goes to an unnamed file in the target's folder (O_TMPFILE), given the target's name on commit();
// where the file system has no unnamed files, to a short hidden name removed on failure and on
// SIGINT, SIGTERM or SIGHUP. Until commit() the target is untouched. The new file gets the
// permissions the target file had (never its set-ID or sticky bits), or 0666 less the umask when
// there was none or it was a link.
class AtomicFile final {
public:
    explicit AtomicFile(std::string target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // A stream that records the system's reason when a write fails (see failWriting). It has no
    // file descriptor of its own: fileno() on it gives -1.
    std::FILE* stream() const { return stream_; }
    const std::string& target() const { return target_; }
    // The file being written, for reading it back or patching it before commit().
    int descriptor() const { return descriptor_; }

    // Makes the new content the target's.
    void commit();

private:
    void closeStream();
    int linkUnder(const std::string& name) const;

    std::string target_;
    std::string folder_;
    std::string temporary_; // the hidden name, when the file system has no unnamed files
    int descriptor_ = -1;
    // The stream's own: given none, glibc gives a stream without a file 8 KB whatever size is
    // asked.
    std::unique_ptr<char[]> streamBuffer_;
    std::FILE* stream_ = nullptr;
    bool committed_ = false;
};

// Throws the Failure of a writer that could not write `target` through `stream`: the system's
// reason ("No space left on device") when a write to the stream failed, else `what`.
[[noreturn]] void failWriting(std::FILE* stream, const std::string& target,
                              const std::string& what);

// Writes all of `bytes` to `stream`, or fails as failWriting does.
void writeBytes(std::FILE* stream, const std::string& target, std::span<const std::uint8_t> bytes,
                const std::string& what);

} // namespace sips
