#include "failure.h"
#include "ht_tile_encoder.h"

#include <dlfcn.h>
#include <filesystem>
#include <memory>
#include <stdexcept>

namespace sips {

namespace {

struct ModuleCloser {
    void operator()(void* handle) const { ::dlclose(handle); }
};

// The module beside the executable (not looked for elsewhere: another build's would not fit).
class HtCoderModule final {
public:
    HtCoderModule() {
        std::error_code error;
        const std::filesystem::path executable =
            std::filesystem::read_symlink("/proc/self/exe", error);
        if (error)
            throw Failure("sips", "cannot find the JPEG 2000 coder: " + error.message());
        const std::string path = (executable.parent_path() / htCoderModule).string();
        handle_.reset(::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL));
        if (handle_)
            entry_ = reinterpret_cast<HtCoderEntry*>(::dlsym(handle_.get(), htCoderEntry));
        if (entry_ == nullptr) {
            const char* reason = ::dlerror();
            throw Failure("sips", std::string("cannot load the JPEG 2000 coder: ") +
                                      (reason != nullptr ? reason : path));
        }
    }

    HtCoderEntry& entry() const { return *entry_; }

private:
    std::unique_ptr<void, ModuleCloser> handle_;
    HtCoderEntry* entry_ = nullptr;
};

// Loaded on first use, by one thread, and kept for the run.
const HtCoderModule& coderModule() {
    static const HtCoderModule module;
    return module;
}

} // namespace

void loadHtCoder() {
    coderModule();
}

std::vector<std::uint8_t> encodeHtTile(const HtCoding& coding, const HtTile& tile,
                                       const std::uint8_t* rows, std::size_t rowBytes) {
    std::vector<std::uint8_t> coded;
    std::string problem;
    if (!coderModule().entry()(coding, tile, rows, rowBytes, coded, problem))
        throw std::runtime_error(problem);
    return coded;
}

} // namespace sips
