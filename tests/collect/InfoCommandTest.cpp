// ordonna-cli info, run as a separate program: exit statuses, the folder walk, the text line
// and the JSON keys.
#include <gtest/gtest.h>


#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "support/Mp3Builder.h"
#include "support/CliRunner.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::TempDir;
using testing::WriteFileBytes;

using testing::CliResult;
using testing::Lines;

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
  WriteFileBytes(dir.File("layer2.mp3"), [] {
    testing::FrameSpec shape;
    shape.Layer = 2;
    return testing::Frames(5, shape);
  }());
  CliResult result = RunCli({"info", "--json", dir.Path()});
  EXPECT_EQ(result.ExitCode, 1);
  std::vector<std::string> lines = Lines(result.Out);
  ASSERT_EQ(lines.size(), 2u);
  const std::vector<std::string> keys = {"file",          "ok",     "BitrateCode",   "Frames", "StereoMode",
                                         "FrequencyCode", "SizeKB", "FileSizeBytes", "error"};
  for (const std::string& line : lines) {
    nlohmann::ordered_json object = nlohmann::ordered_json::parse(line);
    std::vector<std::string> found;
    for (const auto& item : object.items()) found.push_back(item.key());
    EXPECT_EQ(found, keys) << line;
  }
  nlohmann::json good = nlohmann::json::parse(lines[0]);
  EXPECT_EQ(good["file"], dir.File("good.mp3"));
  EXPECT_EQ(good["ok"], true);
  EXPECT_EQ(good["BitrateCode"], 9);
  EXPECT_EQ(good["Frames"], 150);
  EXPECT_EQ(good["StereoMode"], 1);
  EXPECT_EQ(good["FrequencyCode"], 1);
  EXPECT_EQ(good["SizeKB"], 56);
  EXPECT_EQ(good["FileSizeBytes"], 57710);
  EXPECT_EQ(good["error"], "");
  nlohmann::json bad = nlohmann::json::parse(lines[1]);
  EXPECT_EQ(bad["ok"], false);
  EXPECT_EQ(bad["error"], "Seems like mp2, not mp3 file.");
  EXPECT_EQ(bad["BitrateCode"], 255);
  EXPECT_EQ(bad["Frames"], 0);
}

}  // namespace
}  // namespace ordonna
