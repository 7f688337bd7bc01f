// Known answers of FIPS 180-4 and NIST, and messages around the padding boundaries (checked with
// Python's hashlib), for both block functions: a processor runs only one of them in the tool.
#include "sha256.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace {

// Byte i is i * 7 mod 256: no run of equal bytes hides a misplaced block.
std::string pattern(std::size_t length) {
    std::string text(length, '\0');
    for (std::size_t i = 0; i < length; ++i)
        text[i] = static_cast<char>(i * 7 % 256);
    return text;
}

// The digest in hex of `message`, given whole or in pieces of these sizes in turn.
std::string digest(sips::Sha256Engine engine, const std::string& message,
                   std::span<const std::size_t> pieces) {
    sips::Sha256 sha(engine);
    const std::span bytes(reinterpret_cast<const std::uint8_t*>(message.data()), message.size());
    for (std::size_t at = 0, piece = 0; at < bytes.size(); ++piece) {
        const std::size_t size = std::min(
            pieces.empty() ? bytes.size() : pieces[piece % pieces.size()], bytes.size() - at);
        sha.update(bytes.subspan(at, size));
        at += size;
    }
    std::string text;
    for (const std::uint8_t byte : sha.finish()) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", byte);
        text += pair;
    }
    return text;
}

class Sha256Engines : public ::testing::TestWithParam<sips::Sha256Engine> {};

TEST_P(Sha256Engines, GivesTheKnownDigestWholeAndInUnevenPieces) {
    if (GetParam() == sips::Sha256Engine::ShaInstructions &&
        sips::fastestSha256Engine() != sips::Sha256Engine::ShaInstructions)
        GTEST_SKIP() << "this processor has no SHA instructions";
    const std::pair<std::string, const char*> answers[] = {
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
        {pattern(0), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        // The length fits after the 0x80 byte up to 55 bytes; from 56 it takes a block of its own.
        {pattern(55), "576a1bf8d4478657e6dc4af9398544765c2a92cde28478b019235cfed315fc09"},
        {pattern(56), "9b20501dfd1d99161c257950f3444f3e49230c351c5c8e0943ef369f85f5205d"},
        {pattern(63), "30b345906b493f06f69444b6521113511c242f30e29840462950035043682f1e"},
        {pattern(64), "d8bc63b4fc1156e5e7d95a418b9bf54cd3174bedbc2db40f74895349b229b3c0"},
        {pattern(119), "7a6589821178918ca8d9edaba5abfc1e9b2669564f4469b66885379c1530b2c8"},
        {pattern(120), "655250427d56b1b0eeb8497d21428704273458a01772d6881b65c0abac0f8a98"},
        {pattern(128), "54c9eb041badfd7064645067b107661fed6113197ce2dd066ba69618abd3732f"}};
    // Pieces that end inside a block, fill a partial one exactly, and span several.
    constexpr std::size_t uneven[] = {1, 63, 64, 65, 0, 3, 128, 7, 1000};
    for (const auto& [message, expected] : answers) {
        SCOPED_TRACE(message.size());
        EXPECT_EQ(digest(GetParam(), message, {}), expected);
        EXPECT_EQ(digest(GetParam(), message, uneven), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(BlockFunctions, Sha256Engines,
                         ::testing::Values(sips::Sha256Engine::Portable,
                                           sips::Sha256Engine::ShaInstructions),
                         [](const auto& engine) {
                             return engine.param == sips::Sha256Engine::Portable ? "portable"
                                                                                 : "instructions";
                         });

} // namespace
