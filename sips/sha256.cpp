// The plain digest functions, deprecated in OpenSSL 3 in favour of EVP: EVP loads its provider
// tables on first use, 2 MB resident for the one digest this tool takes.
#define OPENSSL_SUPPRESS_DEPRECATED

#include "sha256.h"

#include <openssl/sha.h>

namespace sips {

Sha256::Sha256()
    : context_(std::make_unique<SHA256_CTX>()) {
    SHA256_Init(context_.get());
}

Sha256::~Sha256() = default;

void Sha256::update(std::span<const std::uint8_t> bytes) {
    SHA256_Update(context_.get(), bytes.data(), bytes.size());
}

Digest Sha256::finish() {
    Digest digest{};
    SHA256_Final(digest.data(), context_.get());
    return digest;
}

} // namespace sips
