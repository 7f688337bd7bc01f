#include "sha256.h"

#include <new>
#include <openssl/evp.h>

namespace sips {

void Sha256::Free::operator()(evp_md_ctx_st* context) const {
    EVP_MD_CTX_free(context);
}

Sha256::Sha256()
    : context_(EVP_MD_CTX_new()) {
    if (!context_ || EVP_DigestInit_ex(context_.get(), EVP_sha256(), nullptr) != 1)
        throw std::bad_alloc();
}

void Sha256::update(std::span<const std::uint8_t> bytes) {
    EVP_DigestUpdate(context_.get(), bytes.data(), bytes.size());
}

Digest Sha256::finish() {
    Digest digest{};
    unsigned int size = 0;
    EVP_DigestFinal_ex(context_.get(), digest.data(), &size);
    return digest;
}

} // namespace sips
