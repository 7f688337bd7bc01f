#include "band_prefetch.h"

#include <algorithm>

namespace sips {

BandPrefetch::BandPrefetch(RowReader& source, std::uint32_t bandHeight)
    : source_(source)
    , bandHeight_(std::max(1u, bandHeight))
    , bands_((source.layout().height + bandHeight_ - 1) / bandHeight_)
    , bandBytes_(source.layout().rowBytes() * std::min(bandHeight_, source.layout().height))
    , buffers_{std::make_unique_for_overwrite<std::uint8_t[]>(bandBytes_),
               std::make_unique_for_overwrite<std::uint8_t[]>(bands_ > 1 ? bandBytes_ : 0)}
    , decoder_([this](const std::stop_token& stop) { decode(stop); }) {}

void BandPrefetch::decode(const std::stop_token& stop) {
    for (std::uint32_t band = 0; band < bands_; ++band) {
        {
            // A buffer is free once the band before it in the same buffer was given back.
            std::unique_lock lock(mutex_);
            if (!changed_.wait(lock, stop, [&] { return band < consumed_ + 2; }))
                return;
        }
        const std::uint32_t rows =
            std::min(bandHeight_, source_.layout().height - band * bandHeight_);
        try {
            source_.read(buffers_[band % 2].get(), rows);
        } catch (...) {
            const std::scoped_lock lock(mutex_);
            failure_ = std::current_exception();
            changed_.notify_all();
            return;
        }
        const std::scoped_lock lock(mutex_);
        ++decoded_;
        changed_.notify_all();
    }
}

std::span<const std::uint8_t> BandPrefetch::next() {
    giveBackBefore(handedOut_);
    return band(handedOut_++, {});
}

std::span<const std::uint8_t> BandPrefetch::band(std::uint32_t band, const std::stop_token& stop) {
    std::unique_lock lock(mutex_);
    if (!changed_.wait(lock, stop, [&] { return decoded_ > band || failure_; }))
        return {};
    if (decoded_ <= band)
        std::rethrow_exception(failure_);
    const std::uint32_t rows = std::min(bandHeight_, source_.layout().height - band * bandHeight_);
    return {buffers_[band % 2].get(), source_.layout().rowBytes() * rows};
}

void BandPrefetch::giveBackBefore(std::uint32_t end) {
    const std::scoped_lock lock(mutex_);
    consumed_ = std::max(consumed_, end);
    changed_.notify_all();
}

} // namespace sips
