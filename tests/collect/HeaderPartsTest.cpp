// Frame header bits, the VBR header search and the tag positions, each on its own; frame
// lengths are walked in AnalysisTest.
#include <tuple>

#include "AnalysisTestUtil.h"
#include "collect/MpegHeader.h"
#include "collect/TagSkipper.h"
#include "collect/VbrHeader.h"
#include "support/Mp3Builder.h"

namespace ordonna {
namespace {

using namespace testing;

MpegHeader Decode(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
  const std::uint8_t bytes[4] = {0xFF, b1, b2, b3};
  return DecodeMpegHeader(std::span<const std::uint8_t, 4>(bytes, 4));
}

TEST(MpegHeader, SyncNeedsAllThreeTopBits) {
  // Each header field is read, and each wrong reading caught, by the analysis tests.
  EXPECT_TRUE(IsFrameSync(0xFF, 0xE0));
  EXPECT_FALSE(IsFrameSync(0xFF, 0xDF));
  EXPECT_FALSE(IsFrameSync(0xFF, 0xBF));
  EXPECT_FALSE(IsFrameSync(0xFE, 0xFF));
}

TEST(VbrHeader, FirstMatchingPositionDecides) {
  // A "VBRI" earlier in the window wins over the "Info" behind it (counts and the 40 positions
  // are walked in AnalysisTest).
  std::string frame = VbrFrame(FrameSpec{}, "Info", 1234, 60);
  frame.replace(34, 4, "VBRI");
  frame.replace(48, 4, std::string("\0\0\x10\x01", 4));
  VbrHeader v = FindVbrHeader(AsBytes(frame), Decode(0xFB, 0x90, 0x40));
  EXPECT_EQ(v.Kind, VbrKind::Vbri);
  EXPECT_EQ(v.Frames, 0x1001);
}

std::int64_t AudioStart(const std::string& file) {
  MemorySource source(AsBytes(file));
  std::int64_t start = 0;
  EXPECT_EQ(FindAudioStart(source, start), AnalysisError::None);
  return start;
}

std::int64_t AudioEnd(const std::string& file) {
  MemorySource source(AsBytes(file));
  return FindAudioEnd(source).value_or(-2);
}

TEST(TagSkipper, AudioStartBehindId3v2AndRiff) {
  // The limits and the RIFF search are walked through the whole analysis; these are the exact starts.
  EXPECT_EQ(AudioStart(RiffWave("abc", 60)), 4 + 4 + 4 + 4 + 60 + 8);
  EXPECT_EQ(AudioStart(RiffWave(Id3v2Tag(5) + "abc", 60)), 84 + 15);
  EXPECT_EQ(AudioStart(Id3v2Tag(5) + RiffWave("abc", 60)), 15 + 84);
  EXPECT_EQ(AudioStart("ID3"), 10) << "a tag header cut short reads zeros for its size";
}

TEST(TagSkipper, AudioEndBeforeId3v1AndLyrics3) {
  // Plain tags are walked through the whole analysis (TrailingTagsBoundOnlyTheFastEstimate).
  const std::string audio(10000, 'a');
  // The first "LYRICSBEGIN" in the window counts.
  EXPECT_EQ(AudioEnd("LYRICSBEGIN" + audio + Lyrics3v2("words")), 0);
  // "LYRICSBEGIN" must start inside the last 5,100 bytes (v1) or 301,000 bytes (v2) of the
  // file, an ID3v1 tag behind the block included.
  const std::tuple<const char*, std::size_t, std::string> windows[] = {
      {"LYRICSEND", 5100, ""}, {"LYRICS200", 301000, ""}, {"LYRICSEND", 5100, Id3v1Tag()}};
  for (const auto& [marker, window, tag] : windows) {
    const std::size_t fits = window - 20 - tag.size();  // lyrics that fill the window exactly
    for (std::size_t lyrics : {fits, fits + 1}) {
      const std::string file = audio + "LYRICSBEGIN" + std::string(lyrics, 'x') + marker + tag;
      EXPECT_EQ(AudioEnd(file), lyrics == fits ? 10000 : static_cast<std::int64_t>(file.size() - tag.size()))
          << marker << " with " << lyrics << " bytes of lyrics and " << tag.size() << " of tag";
    }
  }
  // A marker without its start: the next place is tried, then nothing.
  EXPECT_EQ(AudioEnd(audio + "LYRICSBEGI" + "LYRICSEND"), 10019) << "a start cut short";
  // Short files: no ID3v1 in 130 bytes or fewer, no marker where the file is too short.
  EXPECT_EQ(AudioEnd("xTAG" + std::string(126, ' ')), 130) << "130 bytes: TAG 129 bytes before the end";
  EXPECT_EQ(AudioEnd("xxTAG" + std::string(126, ' ')), 2) << "131 bytes: TAG 129 bytes before the end";
  EXPECT_EQ(AudioEnd("LYRICSEND"), 9);
  EXPECT_EQ(AudioEnd(""), 0);
}

}  // namespace
}  // namespace ordonna
