#pragma once

#include <cstdint>
#include <vector>

namespace sips {

// The signature that starts a JPEG APP13 segment holding Photoshop image resources.
inline constexpr char photoshopSignature[] = "Photoshop 3.0";

// Returns an APP13 payload without its ResolutionInfo resource, so that no older resolution
// survives a new one. Returns an empty vector when nothing else is left or the block is malformed
// (a block that cannot be parsed cannot be shown free of an old resolution either).
std::vector<std::uint8_t> withoutPhotoshopResolution(const std::vector<std::uint8_t>& payload);

} // namespace sips
