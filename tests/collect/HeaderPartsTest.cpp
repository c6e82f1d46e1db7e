// The frame sync bits and the end of the audio before trailing tags, each on its own; the
// rest of the header and the tag skipping are walked in AnalysisTest.
#include <tuple>

#include "AnalysisTestUtil.h"
#include "collect/MpegHeader.h"
#include "collect/TagSkipper.h"
#include "support/Mp3Builder.h"

namespace ordonna {
namespace {

using namespace testing;

TEST(MpegHeader, SyncNeedsAllThreeTopBits) {
  // Each header field is read, and each wrong reading caught, by the analysis tests.
  EXPECT_TRUE(IsFrameSync(0xFF, 0xE0));
  EXPECT_FALSE(IsFrameSync(0xFF, 0xDF) || IsFrameSync(0xFF, 0xBF) || IsFrameSync(0xFE, 0xFF));
}

std::int64_t AudioEnd(const std::string& file) {
  MemorySource source(AsBytes(file));
  return FindAudioEnd(source).value_or(-2);
}

TEST(TagSkipper, AudioEndBeforeId3v1AndLyrics3) {
  const std::string audio(10000, 'a');
  // The first "LYRICSBEGIN" in the window counts.
  EXPECT_EQ(AudioEnd("LYRICSBEGIN" + audio + Lyrics3v2("words")), 0);
  // "LYRICSBEGIN" must start in the last 5,100 (v1) or 301,000 (v2) bytes, an ID3v1 tag behind included.
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
