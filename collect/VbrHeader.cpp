// VBR header search of the first frame.
#include "collect/VbrHeader.h"

#include <cassert>
#include <cstring>

namespace ordonna {
namespace {

std::int32_t CountAt(std::span<const std::uint8_t> bytes, std::size_t at) {
  std::uint32_t value = static_cast<std::uint32_t>(bytes[at]) << 24 | static_cast<std::uint32_t>(bytes[at + 1]) << 16 |
                        static_cast<std::uint32_t>(bytes[at + 2]) << 8 | bytes[at + 3];
  // The count is stored in a signed field; a value that does not fit is no count at all.
  return value >= 0x80000000u ? 0 : static_cast<std::int32_t>(value);
}

}  // namespace

VbrHeader FindVbrHeader(std::span<const std::uint8_t> frame, const MpegHeader& header) {
  assert(frame.size() >= kVbrSearchSpan);
  // The tag sits behind the side information: 17 bytes (mono) or 32 bytes, after the
  // 4-byte header and its optional CRC; 40 positions allow for encoders that move it.
  std::size_t first = (header.ChannelMode == 3 ? 18u : 33u) + (header.Crc ? 2u : 0u);
  for (std::size_t at = first; at < first + 40; ++at) {
    const std::uint8_t* tag = frame.data() + at;
    if (std::memcmp(tag, "Xing", 4) == 0 || std::memcmp(tag, "Info", 4) == 0) {
      VbrKind kind = tag[0] == 'X' ? VbrKind::Xing : VbrKind::Info;
      // Bit 0 of the last flags byte tells whether the frame count field is present.
      bool hasCount = (frame[at + 7] & 1) != 0;
      return {kind, hasCount ? CountAt(frame, at + 8) : 0};
    }
    if (std::memcmp(tag, "VBRI", 4) == 0 || std::memcmp(tag, "FBRI", 4) == 0) {
      return {tag[0] == 'V' ? VbrKind::Vbri : VbrKind::Fbri, CountAt(frame, at + 14)};
    }
  }
  return {VbrKind::None, 0};
}

}  // namespace ordonna
