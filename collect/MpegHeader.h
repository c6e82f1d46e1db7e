// One MPEG audio frame header, decoded from its four bytes, and the frame length rule of
// the catalogue (MPEG-1 Layer III bitrates and a length factor chosen by the first frame).
#pragma once

#include <cstdint>
#include <span>

namespace ordonna {

struct MpegHeader {
  std::uint8_t VersionBits;    // b1 bits 4-3: 3 MPEG-1, 2 MPEG-2, 1 reserved, 0 MPEG-2.5
  std::uint8_t LayerBits;      // b1 bits 2-1: 1 Layer III, 2 Layer II, 3 Layer I, 0 reserved
  bool Crc;                    // b1 bit 0 clear: a 16-bit CRC follows the header
  std::uint8_t BitrateIndex;   // b2 bits 7-4
  std::uint8_t SamplingIndex;  // b2 bits 3-2: 0 44.1 kHz, 1 48 kHz, 2 32 kHz, 3 reserved
  bool Padding;                // b2 bit 1
  std::uint8_t ChannelMode;    // b3 bits 7-6: 0 stereo, 1 joint, 2 dual, 3 mono
};

// True when the two bytes at `bytes` start a frame: 0xFF, then a byte with its top three bits set.
constexpr bool IsFrameSync(std::uint8_t first, std::uint8_t second) { return first == 0xFF && (second & 0xE0) == 0xE0; }

// Decodes the four header bytes. REQUIRES: IsFrameSync(bytes[0], bytes[1]).
MpegHeader DecodeMpegHeader(std::span<const std::uint8_t, 4> bytes);

// Length factor of a sampling index (0..2): 144 / kHz, the bytes per kbps of a 1,152-sample frame.
double FrameLengthFactor(std::uint8_t samplingIndex);

// Bytes from this frame's start to the next one. Bitrates always come from the MPEG-1
// Layer III table; a free-format header (index 0) counts as a short fixed length.
// REQUIRES: header.BitrateIndex < 15.
std::int32_t FrameLength(const MpegHeader& header, double factor);

}  // namespace ordonna
