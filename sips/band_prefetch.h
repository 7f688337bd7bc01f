#pragma once

#include "pixels.h"

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <span>
#include <thread>

namespace sips {

// Decodes a picture a band of rows ahead of its consumers, on a thread of its own, so that
// decoding the next band overlaps the encoding of this one. Two bands are held at a time: a band
// is decoded once the band two before it was given back.
class BandPrefetch final {
public:
    BandPrefetch(RowReader& source, std::uint32_t bandHeight);
    BandPrefetch(const BandPrefetch&) = delete;
    BandPrefetch& operator=(const BandPrefetch&) = delete;

    // The next band, bandHeight rows or the rows left; valid until the next call. Rethrows what
    // the decoder threw.
    std::span<const std::uint8_t> next();

    // Band `band`, once decoded, for any number of readers: at most one band after the oldest
    // not given back. Empty when `stop` is requested first; rethrows what the decoder threw.
    std::span<const std::uint8_t> band(std::uint32_t band, const std::stop_token& stop);
    // Gives back every band before `end`: their buffers may be decoded into again.
    void giveBackBefore(std::uint32_t end);

private:
    void decode(const std::stop_token& stop);

    RowReader& source_;
    const std::uint32_t bandHeight_;
    const std::uint32_t bands_;
    const std::size_t bandBytes_;
    // Not zeroed: the decoder fills them, and touches their pages first on its own thread.
    std::unique_ptr<std::uint8_t[]> buffers_[2];
    std::mutex mutex_;
    std::condition_variable_any changed_;
    std::uint32_t decoded_ = 0;   // bands the decoder finished
    std::uint32_t consumed_ = 0;  // bands given back
    std::uint32_t handedOut_ = 0; // by next()
    std::exception_ptr failure_;
    std::jthread decoder_; // last: it starts once everything it uses exists, and stops first
};

} // namespace sips
