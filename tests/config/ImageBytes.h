// Test helpers that look at a configuration image the way the file does: by byte offset.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "config/AppOptions.h"

namespace ordonna::testing {

using ConfigImage = std::array<std::uint8_t, kConfigFileSize>;

inline ConfigImage ImageOf(const AppOptions& options) { return std::bit_cast<ConfigImage>(options); }

inline AppOptions OptionsOf(const ConfigImage& image) { return std::bit_cast<AppOptions>(image); }

inline std::int32_t I32At(const ConfigImage& image, std::size_t offset) {
  return static_cast<std::int32_t>(image[offset] | static_cast<std::uint32_t>(image[offset + 1]) << 8 |
                                   static_cast<std::uint32_t>(image[offset + 2]) << 16 |
                                   static_cast<std::uint32_t>(image[offset + 3]) << 24);
}

}  // namespace ordonna::testing
