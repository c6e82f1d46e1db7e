// Building MP3 test data byte by byte.
#include "support/Mp3Builder.h"

#include <array>
#include <stdexcept>

namespace ordonna::testing {
namespace {

constexpr std::array<int, 16> kKbps = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
constexpr std::array<int, 4> kRateHz = {44100, 48000, 32000, 0};

void PutBigEndian(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (24 - 8 * i));
}

// Bytes of a Layer III frame with this shape at an MPEG-1 sampling rate: 144,000 * kbps /
// rate, plus one with padding. For bitrate index 0, the free-format step of the analysis.
std::size_t FrameBytes(const FrameSpec& shape) {
  if (shape.Bitrate == 0) return (shape.Channels == 3 ? 14u : 29u) + (shape.Crc ? 2u : 0u);
  if (shape.Bitrate == 15 || shape.Sampling == 3) throw std::invalid_argument("no frame length");
  return static_cast<std::size_t>(144000 * kKbps[shape.Bitrate] / kRateHz[shape.Sampling]) + (shape.Padding ? 1 : 0);
}

}  // namespace

std::string FrameHeader(const FrameSpec& shape) {
  std::string header(4, '\0');
  header[0] = static_cast<char>(0xFF);
  header[1] = static_cast<char>(0xE0 | shape.Version << 3 | shape.Layer << 1 | (shape.Crc ? 0 : 1));
  header[2] = static_cast<char>(shape.Bitrate << 4 | shape.Sampling << 2 | (shape.Padding ? 2 : 0));
  header[3] = static_cast<char>(shape.Channels << 6);
  return header;
}

std::string Frame(const FrameSpec& shape) {
  std::string frame = FrameHeader(shape);
  frame.resize(shape.Bitrate == 15 || shape.Sampling == 3 ? 417 : FrameBytes(shape), shape.Fill);
  return frame;
}

std::string Frames(int count, FrameSpec shape, bool realPadding) {
  std::string frames;
  long long rest = 0;
  for (int i = 0; i < count; ++i) {
    if (realPadding && shape.Sampling == 0) {
      // 144,000 * kbps / 44,100 is not whole: pad whenever the remainders add up to a byte.
      rest += 144000LL * kKbps[shape.Bitrate] % 44100;
      shape.Padding = rest >= 44100;
      if (shape.Padding) rest -= 44100;
    }
    frames += Frame(shape);
  }
  return frames;
}

std::string VbrFrame(FrameSpec shape, std::string_view tag, std::optional<std::uint32_t> count,
                     std::optional<std::size_t> tagOffset) {
  std::string frame = Frame(shape);
  std::size_t at = tagOffset ? *tagOffset : (shape.Channels == 3 ? 21u : 36u) + (shape.Crc ? 2u : 0u);
  frame.resize(std::max(frame.size(), at + 20), '\0');
  frame.replace(at, 4, tag);
  if (tag == "Xing" || tag == "Info") {
    frame[at + 7] = count ? 0x0F : 0x0E;  // flags: frames (bit 0), bytes, TOC, quality
    PutBigEndian(frame, at + 8, count.value_or(0x7777));
  } else {
    frame[at + 4] = 1;  // version
    PutBigEndian(frame, at + 14, count.value_or(0));
  }
  return frame;
}

std::string Id3v2Tag(std::uint32_t declaredBody, std::optional<std::uint32_t> actualBody, bool footer) {
  std::string tag = "ID3";
  tag += '\x04';
  tag += '\0';
  tag += footer ? '\x10' : '\0';
  for (int shift = 21; shift >= 0; shift -= 7) tag += static_cast<char>(declaredBody >> shift & 0x7F);
  tag.append(actualBody.value_or(declaredBody), '\0');
  if (footer) tag += "3DI" + tag.substr(3, 7);
  return tag;
}

std::string Id3v1Tag() {
  std::string tag = "TAG";
  tag += "Title";
  tag.resize(128, ' ');
  return tag;
}

std::string Lyrics3v2(std::string_view lyrics) {
  std::string body = "LYRICSBEGIN";
  std::string field = "LYR";
  std::string length = std::to_string(lyrics.size());
  field += std::string(5 - length.size(), '0') + length + std::string(lyrics);
  body += field;
  std::string size = std::to_string(body.size());
  return body + std::string(6 - size.size(), '0') + size + "LYRICS200";
}

std::string RiffWave(std::string_view mp3, std::size_t padBytes) {
  std::string file = "RIFF";
  file.append(4, '\0');
  file += "WAVE";
  file += "fmt ";
  file.append(padBytes, 'x');
  file += "data";
  file.append(4, '\0');
  PutBigEndian(file, file.size() - 4, static_cast<std::uint32_t>(mp3.size()));
  file += mp3;
  return file;
}

}  // namespace ordonna::testing
