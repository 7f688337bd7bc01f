#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

struct evp_md_ctx_st; // OpenSSL's EVP_MD_CTX

namespace sips {

using Digest = std::array<std::uint8_t, 32>;

// SHA-256 through OpenSSL's libcrypto, which uses the processor's SHA instructions where present.
class Sha256 final {
public:
    Sha256();
    void update(std::span<const std::uint8_t> bytes);
    Digest finish();

private:
    struct Free {
        void operator()(evp_md_ctx_st* context) const;
    };
    std::unique_ptr<evp_md_ctx_st, Free> context_;
};

} // namespace sips
