// ordonna-cli info, run as a separate program: exit statuses, the folder walk, the text line
// and the JSON keys.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/CliRunner.h"
#include "support/Mp3Builder.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::CliResult;
using testing::Lines;
using testing::TempDir;
using testing::WriteFileBytes;

CliResult RunCli(const std::vector<std::string>& arguments) { return testing::RunProgram(ORDONNA_CLI_PATH, arguments); }

// 48 kHz, 128 kbps, joint stereo: 384 bytes a frame.
std::string GoodMp3(int frames) {
  testing::FrameSpec shape;
  shape.Sampling = 1;
  return testing::Frames(frames, shape);
}

TEST(InfoCommand, FolderWalkFindsMp3FilesInSortedOrderIgnoringCase) {
  TempDir dir;
  std::filesystem::create_directories(dir.File("b/deeper"));
  WriteFileBytes(dir.File("c.MP3"), GoodMp3(300));
  WriteFileBytes(dir.File("a.mp3"), GoodMp3(300));
  WriteFileBytes(dir.File("b/deeper/z.Mp3"), GoodMp3(300));
  WriteFileBytes(dir.File("b/notes.txt"), GoodMp3(300));
  WriteFileBytes(dir.File("b/x.mp3.txt"), GoodMp3(300));
  std::filesystem::create_directories(dir.File("folder.mp3"));

  CliResult fast = RunCli({"info", dir.Path()});
  EXPECT_EQ(fast.ExitCode, 0);
  const std::vector<std::string> expected = {
      dir.File("a.mp3") + "\t128 kbps\t299 frames\t0:07\tJS\t48.0 KHz\t112 K",
      dir.File("b/deeper/z.Mp3") + "\t128 kbps\t299 frames\t0:07\tJS\t48.0 KHz\t112 K",
      dir.File("c.MP3") + "\t128 kbps\t299 frames\t0:07\tJS\t48.0 KHz\t112 K",
  };
  EXPECT_EQ(Lines(fast.Out), expected);

  CliResult slow = RunCli({"info", "--slow", dir.File("c.MP3")});
  EXPECT_EQ(slow.ExitCode, 0);
  EXPECT_EQ(slow.Out, dir.File("c.MP3") + "\t128 kbps\t300 frames\t0:07\tJS\t48.0 KHz\t112 K\n");
}

TEST(InfoCommand, ExitStatusSaysWhetherEveryFileAnalysed) {
  TempDir dir;
  WriteFileBytes(dir.File("good.mp3"), GoodMp3(10));
  WriteFileBytes(dir.File("text.mp3"), "just some text");
  EXPECT_EQ(RunCli({"info", dir.File("good.mp3")}).ExitCode, 0);

  CliResult mixed = RunCli({"info", dir.Path()});
  EXPECT_EQ(mixed.ExitCode, 1);
  EXPECT_EQ(Lines(mixed.Out).at(1), dir.File("text.mp3") + "\tDoesn't seem like a 32/44.1/48 KHz mp3 file");
  CliResult missing = RunCli({"info", dir.File("missing.mp3")});
  EXPECT_EQ(missing.ExitCode, 1);
  EXPECT_EQ(missing.Out, dir.File("missing.mp3") + "\tI/O error reading the file\n");

  EXPECT_EQ(RunCli({"info"}).ExitCode, 2) << "no file";
  EXPECT_EQ(RunCli({"info", "--fast", dir.File("good.mp3")}).ExitCode, 2) << "unknown flag";
  EXPECT_EQ(RunCli({"info", dir.File("empty-folder-is-missing")}).ExitCode, 1);
}

TEST(InfoCommand, JsonLinesHoldExactlyTheResultKeys) {
  TempDir dir;
  WriteFileBytes(dir.File("good.mp3"), testing::Id3v2Tag(100) + GoodMp3(150));
  testing::FrameSpec layer2;
  layer2.Layer = 2;
  WriteFileBytes(dir.File("layer2.mp3"), testing::Frames(5, layer2));
  CliResult result = RunCli({"info", "--json", dir.Path()});
  EXPECT_EQ(result.ExitCode, 1);
  const std::vector<std::string> expected = {
      "{\"file\":\"" + dir.File("good.mp3") +
          "\",\"ok\":true,\"BitrateCode\":9,\"Frames\":150,\"StereoMode\":1,\"FrequencyCode\":1,\"SizeKB\":56,"
          "\"FileSizeBytes\":57710,\"error\":\"\"}",
      "{\"file\":\"" + dir.File("layer2.mp3") +
          "\",\"ok\":false,\"BitrateCode\":255,\"Frames\":0,\"StereoMode\":4,\"FrequencyCode\":3,\"SizeKB\":2,"
          "\"FileSizeBytes\":2085,\"error\":\"Seems like mp2, not mp3 file.\"}",
  };
  EXPECT_EQ(Lines(result.Out), expected);
}

}  // namespace
}  // namespace ordonna
