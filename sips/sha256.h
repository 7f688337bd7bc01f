#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace sips {

using Digest = std::array<std::uint8_t, 32>;

// The two block functions: the processor's SHA instructions (with SSE4.1), or portable C++.
enum class Sha256Engine { Portable, ShaInstructions };

// The engine a Sha256 uses unless told otherwise: the instructions where the processor has them.
Sha256Engine fastestSha256Engine();

// SHA-256 (FIPS 180-4), with the processor's SHA instructions where it has them. Written here
// rather than taken from a crypto library, whose loading alone costs more memory than a
// conversion step's whole budget of metadata.
class Sha256 final {
public:
    Sha256();
    // `engine` must be one this processor runs.
    explicit Sha256(Sha256Engine engine);

    void update(std::span<const std::uint8_t> bytes);
    Digest finish();

private:
    using Compress = void (*)(std::uint32_t* state, const std::uint8_t* blocks, std::size_t count);

    Compress compress_;
    std::array<std::uint32_t, 8> state_ = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                           0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    std::array<std::uint8_t, 64> pending_{};
    std::size_t pendingSize_ = 0;
    std::uint64_t total_ = 0;
};

} // namespace sips
