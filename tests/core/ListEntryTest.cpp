// The record layout on disk and the play time.
#include "core/ListEntry.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace ordonna {
namespace {

TEST(ListEntry, ImageHasTheStoredLayout) {
  ListEntry entry{};
  entry.FileName.Set("Song");
  entry.Folder.Set("/music");
  entry.VolumeLabel.Set("LIST");
  entry.BitrateCode = 9, entry.SizeKB = 0x01020304, entry.Frames = -1, entry.StereoMode = 1, entry.FrequencyCode = 2;
  entry.FileDate = 38082, entry.DateAdded = 0x7FFFFFFF;

  // Length-prefixed strings of 255, 255 and 32 bytes, then the numbers little-endian without gaps.
  std::string expected(564, '\0');
  expected.replace(0, 5, "\x04Song");
  expected.replace(256, 7, "\x06/music");
  expected.replace(512, 5, "\x04LIST");
  expected.replace(545, 13, "\x09\x04\x03\x02\x01\xFF\xFF\xFF\xFF\x01\x02\xC2\x94");
  expected.replace(560, 4, "\xFF\xFF\xFF\x7F");
  ASSERT_EQ(sizeof entry, 564u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&entry), sizeof entry), expected);
}

TEST(ListEntry, PlayTimeRoundsHalvesToEven) {
  // 4.5 s goes to the even neighbour; an unknown frequency counts as 44.1 kHz.
  const std::tuple<std::int32_t, std::uint8_t, std::int64_t> cases[] = {
      {1000, 0, 26}, {1000, 2, 36}, {1000, 1, 24}, {1000, 200, 26}, {125, 2, 4}, {2297, 0, 60}, {262143, 1, 6291}};
  ListEntry entry = UndeterminedEntry();
  for (const auto& [frames, code, seconds] : cases) {
    entry.Frames = frames;
    entry.FrequencyCode = code;
    EXPECT_EQ(PlayTimeSeconds(entry), seconds) << frames << " frames, code " << int(code);
  }
}

}  // namespace
}  // namespace ordonna
