// The VBR header ("Xing", "Info", "VBRI", "FBRI") that an encoder may put in the first frame,
// found by trying 40 positions behind the side information.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "collect/MpegHeader.h"

namespace ordonna {

enum class VbrKind : std::uint8_t { None = 0, Xing = 1, Info = 2, Vbri = 3, Fbri = 4 };

struct VbrHeader {
  VbrKind Kind;
  std::int32_t Frames;  // the header's frame count; 0 when it has none (or one of 2^31 or more)
};

// Bytes from the frame start that the search may look at.
inline constexpr std::size_t kVbrSearchSpan = 96;

// Looks for a VBR header in the frame starting at `frame[0]`. REQUIRES: frame.size() >= kVbrSearchSpan.
VbrHeader FindVbrHeader(std::span<const std::uint8_t> frame, const MpegHeader& header);

}  // namespace ordonna
