// Header bits and frame lengths.
#include "collect/MpegHeader.h"

#include <array>

namespace ordonna {
namespace {

// kbps by bitrate index (b2 bits 7-4), MPEG-1 Layer III; 0 is free format, 15 invalid.
constexpr std::array<int, 16> kBitrateKbps = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};

}  // namespace

MpegHeader DecodeMpegHeader(std::span<const std::uint8_t, 4> bytes) {
  MpegHeader header{};
  header.VersionBits = static_cast<std::uint8_t>((bytes[1] >> 3) & 3);
  header.LayerBits = static_cast<std::uint8_t>((bytes[1] >> 1) & 3);
  header.Crc = (bytes[1] & 1) == 0;
  header.BitrateIndex = static_cast<std::uint8_t>(bytes[2] >> 4);
  header.SamplingIndex = static_cast<std::uint8_t>((bytes[2] >> 2) & 3);
  header.Padding = (bytes[2] & 2) != 0;
  header.ChannelMode = static_cast<std::uint8_t>(bytes[3] >> 6);
  return header;
}

double FrameLengthFactor(std::uint8_t samplingIndex) {
  switch (samplingIndex) {
    case 1: return 3.0;
    case 2: return 4.5;
    default: return 3.2653061224489797;  // 144 / 44.1
  }
}

std::int32_t FrameLength(const MpegHeader& header, double factor) {
  if (header.BitrateIndex == 0) {
    // Free format: no length can be derived, so step a side-info's worth and resync.
    return (header.ChannelMode == 3 ? 14 : 29) + (header.Crc ? 2 : 0);
  }
  return static_cast<std::int32_t>(kBitrateKbps[header.BitrateIndex] * factor) + (header.Padding ? 1 : 0);
}

}  // namespace ordonna
