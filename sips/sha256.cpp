#include "sha256.h"

#include <bit>
#include <cpuid.h>
#include <cstring>
#include <immintrin.h>

namespace sips {

namespace {

alignas(16) constexpr std::uint32_t roundConstants[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

void compressPortable(std::uint32_t* state, const std::uint8_t* blocks, std::size_t count) {
    for (; count > 0; --count, blocks += 64) {
        std::uint32_t w[64];
        for (int i = 0; i < 16; ++i)
            w[i] = std::uint32_t{blocks[4 * i]} << 24 | std::uint32_t{blocks[4 * i + 1]} << 16 |
                   std::uint32_t{blocks[4 * i + 2]} << 8 | blocks[4 * i + 3];
        for (int i = 16; i < 64; ++i) {
            const std::uint32_t s0 =
                std::rotr(w[i - 15], 7) ^ std::rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
            const std::uint32_t s1 =
                std::rotr(w[i - 2], 17) ^ std::rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
            w[i] = w[i - 16] + s0 + w[i - 7] + s1;
        }
        std::uint32_t v[8];
        std::memcpy(v, state, sizeof v);
        for (int i = 0; i < 64; ++i) {
            const std::uint32_t s1 = std::rotr(v[4], 6) ^ std::rotr(v[4], 11) ^ std::rotr(v[4], 25);
            const std::uint32_t choice = (v[4] & v[5]) ^ (~v[4] & v[6]);
            const std::uint32_t t1 = v[7] + s1 + choice + roundConstants[i] + w[i];
            const std::uint32_t s0 = std::rotr(v[0], 2) ^ std::rotr(v[0], 13) ^ std::rotr(v[0], 22);
            const std::uint32_t majority = (v[0] & v[1]) ^ (v[0] & v[2]) ^ (v[1] & v[2]);
            std::memmove(v + 1, v, 7 * sizeof(std::uint32_t));
            v[4] += t1;
            v[0] = t1 + s0 + majority;
        }
        for (int i = 0; i < 8; ++i)
            state[i] += v[i];
    }
}

// Four rounds at a time; the state sits in two registers as ABEF and CDGH.
__attribute__((target("sha,sse4.1"))) void
compressWithShaInstructions(std::uint32_t* state, const std::uint8_t* blocks, std::size_t count) {
    const __m128i byteSwap = _mm_set_epi64x(0x0c0d0e0f08090a0bULL, 0x0405060700010203ULL);
    __m128i dcba =
        _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(state)), 0xB1);
    __m128i hgfe =
        _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(state + 4)), 0x1B);
    __m128i abef = _mm_alignr_epi8(dcba, hgfe, 8);
    __m128i cdgh = _mm_blend_epi16(hgfe, dcba, 0xF0);
    for (; count > 0; --count, blocks += 64) {
        const __m128i abefBefore = abef;
        const __m128i cdghBefore = cdgh;
        __m128i w[16];
        for (int t = 0; t < 16; ++t) {
            if (t < 4)
                w[t] = _mm_shuffle_epi8(
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(blocks + 16 * t)), byteSwap);
            else
                w[t] = _mm_sha256msg2_epu32(_mm_add_epi32(_mm_sha256msg1_epu32(w[t - 4], w[t - 3]),
                                                          _mm_alignr_epi8(w[t - 1], w[t - 2], 4)),
                                            w[t - 1]);
            __m128i message = _mm_add_epi32(
                w[t], _mm_load_si128(reinterpret_cast<const __m128i*>(roundConstants + 4 * t)));
            cdgh = _mm_sha256rnds2_epu32(cdgh, abef, message);
            message = _mm_shuffle_epi32(message, 0x0E);
            abef = _mm_sha256rnds2_epu32(abef, cdgh, message);
        }
        abef = _mm_add_epi32(abef, abefBefore);
        cdgh = _mm_add_epi32(cdgh, cdghBefore);
    }
    const __m128i feba = _mm_shuffle_epi32(abef, 0x1B);
    const __m128i dchg = _mm_shuffle_epi32(cdgh, 0xB1);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(state), _mm_blend_epi16(feba, dchg, 0xF0));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(state + 4), _mm_alignr_epi8(dchg, feba, 8));
}

bool hasShaInstructions() {
    unsigned a = 0, b = 0, c = 0, d = 0;
    const bool sha = __get_cpuid_count(7, 0, &a, &b, &c, &d) && (b & (1u << 29)) != 0;
    const bool sse41 = __get_cpuid(1, &a, &b, &c, &d) && (c & (1u << 19)) != 0;
    return sha && sse41;
}

} // namespace

Sha256Engine fastestSha256Engine() {
    static const Sha256Engine fastest =
        hasShaInstructions() ? Sha256Engine::ShaInstructions : Sha256Engine::Portable;
    return fastest;
}

Sha256::Sha256()
    : Sha256(fastestSha256Engine()) {}

Sha256::Sha256(Sha256Engine engine)
    : compress_(engine == Sha256Engine::ShaInstructions ? compressWithShaInstructions
                                                        : compressPortable) {}

void Sha256::update(std::span<const std::uint8_t> bytes) {
    total_ += bytes.size();
    if (pendingSize_ > 0) {
        const std::size_t taken = std::min(bytes.size(), pending_.size() - pendingSize_);
        std::memcpy(pending_.data() + pendingSize_, bytes.data(), taken);
        pendingSize_ += taken;
        bytes = bytes.subspan(taken);
        if (pendingSize_ < pending_.size())
            return;
        compress_(state_.data(), pending_.data(), 1);
        pendingSize_ = 0;
    }
    const std::size_t whole = bytes.size() / 64;
    if (whole > 0)
        compress_(state_.data(), bytes.data(), whole);
    bytes = bytes.subspan(whole * 64);
    std::memcpy(pending_.data(), bytes.data(), bytes.size());
    pendingSize_ = bytes.size();
}

Digest Sha256::finish() {
    const std::uint64_t bits = total_ * 8;
    std::array<std::uint8_t, 72> tail{0x80};
    const std::size_t padding = (pendingSize_ < 56 ? 56 : 120) - pendingSize_;
    for (int i = 0; i < 8; ++i)
        tail[padding + static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(bits >> (56 - 8 * i));
    update({tail.data(), padding + 8});
    Digest digest{};
    for (std::size_t i = 0; i < 8; ++i) {
        for (std::size_t j = 0; j < 4; ++j)
            digest[4 * i + j] = static_cast<std::uint8_t>(state_[i] >> (24 - 8 * j));
    }
    return digest;
}

} // namespace sips
