// Frame header bits and lengths, the VBR header search and the tag positions, each on its own.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "AnalysisTestUtil.h"
#include "collect/MpegHeader.h"
#include "collect/TagSkipper.h"
#include "collect/VbrHeader.h"
#include "support/Mp3Builder.h"

namespace ordonna {
namespace {

using testing::AsBytes;

MpegHeader Decode(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
  const std::uint8_t bytes[4] = {0xFF, b1, b2, b3};
  return DecodeMpegHeader(std::span<const std::uint8_t, 4>(bytes, 4));
}

TEST(MpegHeader, DecodesEveryField) {
  MpegHeader h = Decode(0xFB, 0x92, 0x40);  // MPEG-1 Layer III, no CRC, 128 kbps, 44.1 kHz, padded, joint
  EXPECT_EQ(h.VersionBits, 3);
  EXPECT_EQ(h.LayerBits, 1);
  EXPECT_FALSE(h.Crc);
  EXPECT_EQ(h.BitrateIndex, 9);
  EXPECT_EQ(h.SamplingIndex, 0);
  EXPECT_TRUE(h.Padding);
  EXPECT_EQ(h.ChannelMode, 1);
  h = Decode(0xE4, 0xFC, 0xC0);  // MPEG-2.5 Layer II with CRC, index 15, sampling 3, mono
  EXPECT_EQ(h.VersionBits, 0);
  EXPECT_EQ(h.LayerBits, 2);
  EXPECT_TRUE(h.Crc);
  EXPECT_EQ(h.BitrateIndex, 15);
  EXPECT_EQ(h.SamplingIndex, 3);
  EXPECT_FALSE(h.Padding);
  EXPECT_EQ(h.ChannelMode, 3);
  EXPECT_TRUE(IsFrameSync(0xFF, 0xE0));
  EXPECT_FALSE(IsFrameSync(0xFF, 0xDF));
  EXPECT_FALSE(IsFrameSync(0xFE, 0xFF));
}

TEST(MpegHeader, FrameLengthsFollowTheMpeg1LayerIIITable) {
  struct Case {
    std::uint8_t b2, b3;
    bool crc;
    std::int32_t length;
  };
  const Case cases[] = {
      {0x90, 0x00, false, 417},   // 128 kbps, 44.1 kHz
      {0x92, 0x00, false, 418},   // padded
      {0x10, 0x00, false, 104},   // 32 kbps, 44.1 kHz: 104.49
      {0xE0, 0x00, false, 1044},  // 320 kbps, 44.1 kHz: 1044.9
      {0xE4, 0x00, false, 960},   // 320 kbps, 48 kHz
      {0x14, 0x00, false, 96},    // 32 kbps, 48 kHz
      {0x98, 0x00, false, 576},   // 128 kbps, 32 kHz
      {0xE8, 0x00, true, 1440},   // 320 kbps, 32 kHz; CRC does not count
      {0x00, 0x00, false, 29},    // free format
      {0x00, 0xC0, false, 14},    // free format, mono
      {0x02, 0x00, true, 31},     // free format with CRC, padding ignored
      {0x00, 0xC0, true, 16},
  };
  for (const Case& c : cases) {
    MpegHeader h = Decode(c.crc ? 0xFA : 0xFB, c.b2, c.b3);
    EXPECT_EQ(FrameLength(h, FrameLengthFactor(h.SamplingIndex)), c.length) << std::hex << int{c.b2};
  }
  // The factor is the first frame's: a 48 kHz header measured with the 44.1 kHz factor.
  EXPECT_EQ(FrameLength(Decode(0xFB, 0x94, 0x00), FrameLengthFactor(0)), 417);
}

TEST(VbrHeader, FirstMatchingPositionDecides) {
  testing::FrameSpec shape;
  std::string frame = testing::VbrFrame(shape, "Info", 1234, 60);
  MpegHeader h = Decode(0xFB, 0x90, 0x40);
  VbrHeader v = FindVbrHeader(AsBytes(frame), h);
  EXPECT_EQ(v.Kind, VbrKind::Info);
  EXPECT_EQ(v.Frames, 1234);
  // A "VBRI" earlier in the window wins over the "Info" behind it.
  frame.replace(34, 4, "VBRI");
  frame[48] = 0;
  frame[49] = 0;
  frame[50] = 0x10;
  frame[51] = 0x01;
  v = FindVbrHeader(AsBytes(frame), h);
  EXPECT_EQ(v.Kind, VbrKind::Vbri);
  EXPECT_EQ(v.Frames, 0x1001);
  // Xing without the count flag: no count.
  std::string noCount = testing::VbrFrame(shape, "Xing", std::nullopt);
  v = FindVbrHeader(AsBytes(noCount), h);
  EXPECT_EQ(v.Kind, VbrKind::Xing);
  EXPECT_EQ(v.Frames, 0);
  // FBRI, big-endian count at tag + 14.
  v = FindVbrHeader(AsBytes(testing::VbrFrame(shape, "FBRI", 0x01020304)), h);
  EXPECT_EQ(v.Kind, VbrKind::Fbri);
  EXPECT_EQ(v.Frames, 0x01020304);
  EXPECT_EQ(FindVbrHeader(AsBytes(testing::Frame(shape)), h).Kind, VbrKind::None);
}

std::int64_t AudioStart(const std::string& file, AnalysisError expected = AnalysisError::None) {
  MemorySource source(AsBytes(file));
  std::int64_t start = 0;
  EXPECT_EQ(FindAudioStart(source, start), expected);
  return start;
}

std::int64_t AudioEnd(const std::string& file) {
  MemorySource source(AsBytes(file));
  return FindAudioEnd(source).value_or(-2);
}

TEST(TagSkipper, AudioStartBehindId3v2AndRiff) {
  EXPECT_EQ(AudioStart("plain"), 0);
  EXPECT_EQ(AudioStart(testing::Id3v2Tag(1048566, 0)), 1048576);
  AudioStart(testing::Id3v2Tag(1048567, 0), AnalysisError::Id3v2TooLarge);
  EXPECT_EQ(AudioStart(testing::RiffWave("abc", 60)), 4 + 4 + 4 + 4 + 60 + 8);
  EXPECT_EQ(AudioStart(testing::RiffWave(testing::Id3v2Tag(5) + "abc", 60)), 84 + 15);
  EXPECT_EQ(AudioStart(testing::Id3v2Tag(5) + testing::RiffWave("abc", 60)), 15 + 84);
  EXPECT_EQ(AudioStart("RIFF"), 520);
  EXPECT_EQ(AudioStart("ID3"), 10) << "a tag header cut short reads zeros for its size";
}

TEST(TagSkipper, AudioEndBeforeId3v1AndLyrics3) {
  const std::string audio(10000, 'a');
  EXPECT_EQ(AudioEnd(audio), 10000);
  EXPECT_EQ(AudioEnd(audio + testing::Id3v1Tag()), 10000);
  EXPECT_EQ(AudioEnd(audio + testing::Lyrics3v1("words")), 10000);
  EXPECT_EQ(AudioEnd(audio + testing::Lyrics3v2("words") + testing::Id3v1Tag()), 10000);
  // The first "LYRICSBEGIN" in the window counts.
  EXPECT_EQ(AudioEnd("LYRICSBEGIN" + audio + testing::Lyrics3v2("words")), 0);
  EXPECT_EQ(AudioEnd(audio + "LYRICSBEGIN" + audio + testing::Lyrics3v1("words")), 20011) << "v1 window of 5,100";
  // A marker without its start: the next place is tried, then nothing.
  EXPECT_EQ(AudioEnd(audio + "LYRICSEND"), 10009);
  EXPECT_EQ(AudioEnd(audio + "LYRICSBEGINLYRICSEND" + std::string(128, 'x')), 10000);
  EXPECT_EQ(AudioEnd(audio + "LYRICSBEGINLYRICSEND" + testing::Id3v1Tag()), 10000);
  EXPECT_EQ(AudioEnd(audio + "LYRICSBEGI" + "LYRICSEND"), 10019) << "a start cut short";
  // Short files: no ID3v1 in 130 bytes or fewer, no marker where the file is too short.
  EXPECT_EQ(AudioEnd("TAG" + std::string(127, ' ')), 130);
  EXPECT_EQ(AudioEnd("xxTAG" + std::string(126, ' ')), 2) << "131 bytes: TAG 129 bytes before the end";
  EXPECT_EQ(AudioEnd("LYRICSEND"), 9);
  EXPECT_EQ(AudioEnd(""), 0);
}

}  // namespace
}  // namespace ordonna
