#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

struct SHA256state_st; // OpenSSL's SHA256_CTX

namespace sips {

using Digest = std::array<std::uint8_t, 32>;

// SHA-256 through OpenSSL's libcrypto, which uses the processor's SHA instructions where present.
class Sha256 final {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void update(std::span<const std::uint8_t> bytes);
    Digest finish();

private:
    std::unique_ptr<SHA256state_st> context_;
};

} // namespace sips
