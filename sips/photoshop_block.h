#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace sips {

// The signature that starts a JPEG APP13 segment holding Photoshop image resources.
inline constexpr char photoshopSignature[] = "Photoshop 3.0";

// Checks an APP13 payload resource by resource. Returns nullopt when it is malformed, else the
// payload, without its ResolutionInfo resource when `dropResolution` is set (so that no older
// resolution outlives a new one); empty when no resource is left.
std::optional<std::vector<std::uint8_t>>
checkedPhotoshopBlock(std::span<const std::uint8_t> payload, bool dropResolution);

} // namespace sips
