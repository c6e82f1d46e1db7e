// MP3 data made in test code: frames with the right lengths, VBR header frames, ID3v2,
// ID3v1, Lyrics3 and RIFF/WAVE wrappers. Lengths are computed here from the MPEG rules,
// independently of the analysis under test.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ordonna::testing {

struct FrameSpec {
  std::uint8_t Version = 3;  // 3 MPEG-1, 2 MPEG-2, 1 reserved, 0 MPEG-2.5
  std::uint8_t Layer = 1;    // 1 Layer III, 2 Layer II, 3 Layer I, 0 reserved
  bool Crc = false;
  std::uint8_t Bitrate = 9;   // index; 9 is 128 kbps
  std::uint8_t Sampling = 0;  // 0 44.1 kHz, 1 48 kHz, 2 32 kHz
  bool Padding = false;
  std::uint8_t Channels = 1;  // 0 stereo, 1 joint, 2 dual, 3 mono
  char Fill = '\0';           // body byte
};

// The four header bytes.
std::string FrameHeader(const FrameSpec& shape);

// One frame: header, then fill bytes up to FrameBytes(shape).
std::string Frame(const FrameSpec& shape);

// `count` frames; with `realPadding` at 44.1 kHz the padding bit follows the encoder rule,
// so the stream keeps exactly 128 kbps (some frames one byte longer).
std::string Frames(int count, FrameSpec shape, bool realPadding = false);

// A first frame holding a VBR header `tag` ("Xing", "Info", "VBRI" or "FBRI") at its usual
// place (behind the side information and CRC, or `tagOffset` bytes from the frame start),
// with a frame count when `count` is given (Xing/Info: flag bit 0; VBRI/FBRI: always stored).
std::string VbrFrame(FrameSpec shape, std::string_view tag, std::optional<std::uint32_t> count,
                     std::optional<std::size_t> tagOffset = std::nullopt);

// An ID3v2.4 tag whose size field declares `declaredBody` bytes (synchsafe), followed by
// `actualBody` bytes of zeros (default: as declared), and a "3DI" footer when asked.
std::string Id3v2Tag(std::uint32_t declaredBody, std::optional<std::uint32_t> actualBody = std::nullopt,
                     bool footer = false);

// A 128-byte ID3v1 tag.
std::string Id3v1Tag();

// A Lyrics3 v2 block: the lyrics, a six-digit size and "LYRICS200".
std::string Lyrics3v2(std::string_view lyrics);

// A RIFF/WAVE file whose "data" chunk holds `mp3`, behind `padBytes` bytes of other chunks.
std::string RiffWave(std::string_view mp3, std::size_t padBytes = 60);

}  // namespace ordonna::testing
