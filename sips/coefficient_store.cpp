#include "coefficient_store.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <jerror.h>
#include <new>
#include <string>
#include <unistd.h>
#include <vector>

namespace sips {

namespace {

// Rows of each array held in memory once the arrays live in a file.
constexpr std::size_t windowBytes = std::size_t{4} << 20;

struct BlockArray {
    JDIMENSION rows = 0;
    JDIMENSION blocksPerRow = 0;
    JDIMENSION maxAccess = 0;
    std::vector<JCOEF> coefficients; // every row, or the window's
    std::vector<JBLOCKROW> rowPointers;
    JDIMENSION rowsHeld = 0;
    JDIMENSION first = 0; // the first row held
    off_t fileOffset = 0;
    bool dirty = false;

    std::size_t rowBytes() const { return std::size_t{blocksPerRow} * sizeof(JBLOCK); }
};

} // namespace

struct CoefficientStore::State {
    std::vector<std::unique_ptr<BlockArray>> arrays;
    void (*realizeOthers)(j_common_ptr) = nullptr; // libjpeg's own, for its sample arrays
    int file = -1;
    std::string failure;

    // Each returns false with `failure` said. They hold the C++ objects, so that the callbacks
    // that call them can leave by libjpeg's longjmp past trivial frames only.
    bool place();
    bool openFile();
    bool transfer(BlockArray& array, bool writing);
    bool move(BlockArray& array, JDIMENSION startRow, JDIMENSION endRow);
    bool failed(const char* what, int error);
};

namespace {

CoefficientStore::State& stateOf(j_common_ptr info) {
    return *static_cast<CoefficientStore::State*>(info->client_data);
}

[[noreturn]] void fail(j_common_ptr info, int code) {
    info->err->msg_code = code;
    (*info->err->error_exit)(info);
    std::abort(); // error_exit does not return
}

extern "C" jvirt_barray_ptr requestBlockArray(j_common_ptr info, int pool, boolean,
                                              JDIMENSION blocksPerRow, JDIMENSION rows,
                                              JDIMENSION maxAccess) {
    if (pool != JPOOL_IMAGE) {
        info->err->msg_parm.i[0] = pool;
        fail(info, JERR_BAD_POOL_ID);
    }
    BlockArray* array = nullptr;
    try {
        auto made = std::make_unique<BlockArray>();
        made->rows = rows;
        made->blocksPerRow = blocksPerRow;
        made->maxAccess = maxAccess;
        array = made.get();
        stateOf(info).arrays.push_back(std::move(made));
    } catch (const std::bad_alloc&) {
        array = nullptr;
    }
    if (array == nullptr) {
        info->err->msg_parm.i[0] = 0;
        fail(info, JERR_OUT_OF_MEMORY);
    }
    // Arrays are zero from the start, so every array is pre-zeroed as libjpeg may ask.
    return reinterpret_cast<jvirt_barray_ptr>(array);
}

extern "C" void realizeArrays(j_common_ptr info) {
    CoefficientStore::State& state = stateOf(info);
    if (!state.place())
        fail(info, JERR_VIRTUAL_BUG); // the reader reports failure() instead
    state.realizeOthers(info);
}

extern "C" JBLOCKARRAY accessBlockArray(j_common_ptr info, jvirt_barray_ptr handle,
                                        JDIMENSION startRow, JDIMENSION rowCount,
                                        boolean writable) {
    auto& array = *reinterpret_cast<BlockArray*>(handle);
    const JDIMENSION endRow = startRow + rowCount;
    if (endRow < startRow || endRow > array.rows || rowCount > array.maxAccess ||
        array.rowPointers.empty())
        fail(info, JERR_BAD_VIRTUAL_ACCESS);
    if ((startRow < array.first || endRow > array.first + array.rowsHeld) &&
        !stateOf(info).move(array, startRow, endRow))
        fail(info, JERR_VIRTUAL_BUG);
    if (writable)
        array.dirty = true;
    return array.rowPointers.data() + (startRow - array.first);
}

} // namespace

bool CoefficientStore::State::failed(const char* what, int error) {
    failure = std::string(what) + ": " + std::strerror(error);
    return false;
}

bool CoefficientStore::State::place() {
    std::uint64_t total = 0;
    for (const auto& array : arrays)
        total += std::uint64_t{array->rowBytes()} * array->rows;
    const bool spill = total > inMemoryLimit;
    if (spill) {
        if (!openFile())
            return false;
        if (::ftruncate(file, static_cast<off_t>(total)) != 0)
            return failed("cannot write a temporary file", errno);
    }
    off_t offset = 0;
    try {
        for (const auto& array : arrays) {
            if (array->rows == 0 || array->blocksPerRow == 0)
                continue;
            const auto windowRows = static_cast<JDIMENSION>(
                std::min<std::size_t>(windowBytes / array->rowBytes(), array->rows));
            array->rowsHeld =
                spill ? std::max(windowRows, std::min(array->maxAccess, array->rows)) : array->rows;
            array->fileOffset = offset;
            offset += static_cast<off_t>(array->rowBytes() * array->rows);
            array->coefficients.assign(
                std::size_t{array->rowsHeld} * array->blocksPerRow * DCTSIZE2, 0);
            array->rowPointers.resize(array->rowsHeld);
            for (JDIMENSION row = 0; row < array->rowsHeld; ++row)
                array->rowPointers[row] = reinterpret_cast<JBLOCKROW>(
                    array->coefficients.data() + std::size_t{row} * array->blocksPerRow * DCTSIZE2);
        }
    } catch (const std::bad_alloc&) {
        return failed("cannot hold the coefficients", ENOMEM);
    }
    return true;
}

bool CoefficientStore::State::openFile() {
    const char* folder = std::getenv("TMPDIR");
    if (folder == nullptr || *folder == '\0')
        folder = "/tmp";
    file = ::open(folder, O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (file < 0 && (errno == EOPNOTSUPP || errno == EISDIR)) {
        // File systems without unnamed files: a named one, unlinked at once.
        std::string name = std::string(folder) + "/sips-coefficients-XXXXXX";
        file = ::mkostemp(name.data(), O_CLOEXEC);
        if (file >= 0)
            ::unlink(name.c_str());
    }
    if (file >= 0)
        return true;
    const int error = errno;
    return failed(("cannot create a temporary file in " + std::string(folder)).c_str(), error);
}

bool CoefficientStore::State::transfer(BlockArray& array, bool writing) {
    auto* bytes = reinterpret_cast<char*>(array.coefficients.data());
    std::size_t left = array.rowBytes() * array.rowsHeld;
    off_t at = array.fileOffset + static_cast<off_t>(array.rowBytes() * array.first);
    while (left > 0) {
        const ssize_t done =
            writing ? ::pwrite(file, bytes, left, at) : ::pread(file, bytes, left, at);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return failed(writing ? "cannot write a temporary file"
                                  : "cannot read a temporary file",
                          done < 0 ? errno : EIO);
        bytes += done;
        left -= static_cast<std::size_t>(done);
        at += done;
    }
    return true;
}

// Moves the window of a spilled array over rows [startRow, endRow): forwards it starts there,
// backwards it ends there. It always lies inside the array.
bool CoefficientStore::State::move(BlockArray& array, JDIMENSION startRow, JDIMENSION endRow) {
    if (array.dirty) {
        if (!transfer(array, true))
            return false;
        array.dirty = false;
    }
    array.first = startRow > array.first ? std::min(startRow, array.rows - array.rowsHeld)
                                         : endRow - std::min(endRow, array.rowsHeld);
    return transfer(array, false);
}

CoefficientStore::CoefficientStore()
    : state_(std::make_unique<State>()) {}

CoefficientStore::~CoefficientStore() {
    if (state_->file >= 0)
        ::close(state_->file);
}

const std::string& CoefficientStore::failure() const {
    return state_->failure;
}

void CoefficientStore::install(jpeg_decompress_struct& info) {
    info.client_data = state_.get();
    state_->realizeOthers = info.mem->realize_virt_arrays;
    info.mem->request_virt_barray = requestBlockArray;
    info.mem->realize_virt_arrays = realizeArrays;
    info.mem->access_virt_barray = accessBlockArray;
}

} // namespace sips
