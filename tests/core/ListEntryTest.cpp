// The record layout on disk, the file identity and the play time.
#include "core/ListEntry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

namespace ordonna {
namespace {

TEST(ListEntry, ImageHasTheStoredLayout) {
  ListEntry entry{};
  entry.FileName.Set("Song");
  entry.Folder.Set("/music");
  entry.VolumeLabel.Set("DISK");
  entry.BitrateCode = 9;
  entry.SizeKB = 0x01020304;
  entry.Frames = -1;
  entry.StereoMode = 1;
  entry.FrequencyCode = 2;
  entry.FileDate = 38082;
  entry.DateAdded = 0x7FFFFFFF;

  unsigned char image[564];
  std::memcpy(image, &entry, sizeof image);
  EXPECT_EQ(image[0], 4);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(image + 1), 4), "Song");
  EXPECT_EQ(image[256], 6);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(image + 257), 6), "/music");
  EXPECT_EQ(image[512], 4);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(image + 513), 4), "DISK");
  EXPECT_EQ(image[545], 9);
  EXPECT_EQ(image[546], 0x04);
  EXPECT_EQ(image[549], 0x01);
  for (int i = 550; i < 554; ++i) EXPECT_EQ(image[i], 0xFF) << i;
  EXPECT_EQ(image[554], 1);
  EXPECT_EQ(image[555], 2);
  EXPECT_EQ(image[556] | image[557] << 8, 38082);
  EXPECT_EQ(image[563], 0x7F);
}

TEST(ListEntry, SameFileIgnoresOnlyAsciiCase) {
  ListEntry a = UndeterminedEntry();
  a.FileName.Set("Song");
  a.Folder.Set("/music/rock");
  a.VolumeLabel.Set("Disk");
  ListEntry b = a;
  b.Folder.Set("/MUSIC/Rock");
  b.VolumeLabel.Set("DISK");
  b.FileName.Set("SONG");
  b.SizeKB = 99;
  EXPECT_TRUE(SameFile(a, b)) << "folder and label case and other fields do not matter";

  b.VolumeLabel.Set("Disk2");
  EXPECT_FALSE(SameFile(a, b));

  a.FileName.Set("\xC3\xA9t\xC3\xA9");
  b = a;
  b.FileName.Set("\xC3\x89t\xC3\x89");
  EXPECT_FALSE(SameFile(a, b)) << "accented letters are not folded";
  b.FileName.Set("\xE9t\xE9");
  EXPECT_FALSE(SameFile(a, b)) << "the same name in another encoding is another file";
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
