#include "coefficient_store.h"

#include "jpeg_error.h"
#include "row_window.h"

#include <cstdint>
#include <jerror.h>
#include <new>
#include <vector>

namespace sips {

namespace {

struct BlockArray {
    JDIMENSION rows = 0;
    JDIMENSION blocksPerRow = 0;
    JDIMENSION maxAccess = 0;
    std::unique_ptr<RowWindow> window;
    std::vector<JBLOCKROW> rowPointers; // into the window's rows

    std::size_t rowBytes() const { return std::size_t{blocksPerRow} * sizeof(JBLOCK); }
};

} // namespace

struct CoefficientStore::State {
    std::vector<std::unique_ptr<BlockArray>> arrays;
    void (*realizeOthers)(j_common_ptr) = nullptr; // libjpeg's own, for its sample arrays
    std::string failure;

    // Holds the C++ objects, so that the callback that calls it can leave by libjpeg's longjmp
    // past trivial frames only. False with `failure` said.
    bool place();
};

namespace {

CoefficientStore::State& stateOf(j_common_ptr info) {
    return *static_cast<CoefficientStore::State*>(info->client_data);
}

extern "C" jvirt_barray_ptr requestBlockArray(j_common_ptr info, int pool, boolean,
                                              JDIMENSION blocksPerRow, JDIMENSION rows,
                                              JDIMENSION maxAccess) {
    if (pool != JPOOL_IMAGE) {
        info->err->msg_parm.i[0] = pool;
        raiseJpegError(info, JERR_BAD_POOL_ID);
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
        raiseJpegError(info, JERR_OUT_OF_MEMORY);
    }
    // Rows start as zero, so every array is pre-zeroed as libjpeg may ask.
    return reinterpret_cast<jvirt_barray_ptr>(array);
}

extern "C" void realizeArrays(j_common_ptr info) {
    CoefficientStore::State& state = stateOf(info);
    if (!state.place())
        raiseJpegError(info, JERR_VIRTUAL_BUG); // the reader reports failure() instead
    state.realizeOthers(info);
}

extern "C" JBLOCKARRAY accessBlockArray(j_common_ptr info, jvirt_barray_ptr handle,
                                        JDIMENSION startRow, JDIMENSION rowCount,
                                        boolean writable) {
    auto& array = *reinterpret_cast<BlockArray*>(handle);
    const JDIMENSION endRow = startRow + rowCount;
    if (endRow < startRow || endRow > array.rows || rowCount > array.maxAccess || !array.window)
        raiseJpegError(info, JERR_BAD_VIRTUAL_ACCESS);
    if (!array.window->bring(startRow, endRow)) {
        stateOf(info).failure = array.window->failure();
        raiseJpegError(info, JERR_VIRTUAL_BUG);
    }
    if (writable)
        array.window->markWritten();
    return array.rowPointers.data() + (startRow - array.window->first());
}

} // namespace

bool CoefficientStore::State::place() {
    std::uint64_t total = 0;
    for (const auto& array : arrays)
        total += std::uint64_t{array->rowBytes()} * array->rows;
    const bool spill = total > inMemoryLimit;
    try {
        for (const auto& array : arrays) {
            if (array->rows == 0 || array->blocksPerRow == 0)
                continue;
            const std::uint32_t held =
                spill ? RowWindow::windowRows(array->rowBytes(), array->rows, array->maxAccess)
                      : array->rows;
            array->window = std::make_unique<RowWindow>(array->rowBytes(), array->rows, held);
            array->rowPointers.resize(array->window->held());
            for (JDIMENSION row = 0; row < array->window->held(); ++row)
                array->rowPointers[row] = reinterpret_cast<JBLOCKROW>(array->window->row(row));
        }
    } catch (const std::bad_alloc&) {
        failure = "cannot hold the coefficients: out of memory";
        return false;
    }
    return true;
}

CoefficientStore::CoefficientStore()
    : state_(std::make_unique<State>()) {}

CoefficientStore::~CoefficientStore() = default;

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

void CoefficientStore::lend(jpeg_compress_struct& info) const {
    info.client_data = state_.get();
    info.mem->access_virt_barray = accessBlockArray;
}

} // namespace sips
