#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace sips {

// Reads `count` bytes (at most 8) as one big-endian number: JPEG, PNG and JP2 all store them so.
inline std::uint64_t readBigEndian(const std::uint8_t* bytes, int count) {
    std::uint64_t value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << 8) | bytes[i];
    return value;
}

inline void appendBigEndian(std::vector<std::uint8_t>& out, std::uint64_t value, int count) {
    for (int shift = 8 * (count - 1); shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

inline void storeBigEndian(std::uint8_t* bytes, std::uint64_t value, int count) {
    for (int i = 0; i < count; ++i)
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * (count - 1 - i)));
}

// TIFF structures (EXIF, the MPF index) store numbers in the byte order their header names.
inline std::uint64_t readTiffNumber(const std::uint8_t* bytes, int count, bool littleEndian) {
    if (!littleEndian)
        return readBigEndian(bytes, count);
    std::uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

inline void storeTiffNumber(std::uint8_t* bytes, std::uint64_t value, int count,
                            bool littleEndian) {
    if (!littleEndian)
        return storeBigEndian(bytes, value, count);
    for (int i = 0; i < count; ++i)
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// The signatures that open JPEG APPn payloads, each with its terminating NUL.
inline constexpr char exifSignature[] = "Exif\0"; // "Exif\0\0"
inline constexpr char xmpSignature[] = "http://ns.adobe.com/xap/1.0/";
inline constexpr char iccSignature[] = "ICC_PROFILE";
inline constexpr char jfifSignature[] = "JFIF";
inline constexpr char adobeSignature[] = "Adobe"; // no NUL follows in the segment

// The most a JPEG marker segment holds besides its two length bytes.
inline constexpr std::size_t largestSegmentPayload = 65533;

template <std::size_t N>
bool startsWith(std::span<const std::uint8_t> payload, const char (&signature)[N],
                std::size_t length = N) {
    return payload.size() >= length && std::memcmp(payload.data(), signature, length) == 0;
}

} // namespace sips
