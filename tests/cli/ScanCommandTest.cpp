// ordonna-cli scan, list and info, run as separate programs: what they print and save, the
// folder walk of info and its JSON keys.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/CliTestUtil.h"
#include "support/Mp3Builder.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using namespace testing;

TEST(ScanCommand, ScansSavesAndListsTheList) {
  TempDir music, out;
  std::filesystem::create_directories(music.File("Album"));
  WriteFileBytes(music.File("one.mp3"), Frames(300, {}));
  WriteFileBytes(music.File("Album/two.MP3"), Frames(400, {}));
  WriteFileBytes(music.File("Album/cover.jpg"), std::string(20000, 'x'));
  EXPECT_EQ(Expect({{"scan", "--slow", "--on-error", "discard", "-o", out.File("songs"), music.Path()}, 0, ""}).Out,
            "Added: 2 of 2. Total: 2 items.\n");
  // ".ordl" is added to the name.
  std::vector<std::string> json = Lines(Expect({{"list", "--json", out.File("songs.ordl")}, 0, ""}).Out);
  ASSERT_EQ(json.size(), 2u);
  EXPECT_EQ(json[1].rfind("{\"FileName\":\"two\",\"Folder\":\"" + music.File("Album") + "\",", 0), 0u) << json[1];
  Expect({{"list", out.File("songs.ordl")}, 0, "one\t0:08\t"});
}

TEST(InfoCommand, WalksFoldersInSortedOrderIgnoringCaseSaysWhetherEveryFileAnalysedAndPrintsJson) {
  TempDir dir;
  std::filesystem::create_directories(dir.File("b/deeper"));
  std::filesystem::create_directories(dir.File("folder.mp3"));
  for (const char* name : {"c.MP3", "a.mp3", "b/deeper/z.Mp3", "b/notes.txt", "b/x.mp3.txt"})
    WriteFileBytes(dir.File(name), Frames(300, {.Sampling = 1}));  // 48 kHz, 128 kbps, joint stereo
  WriteFileBytes(dir.File("d.mp3"), "just some text");
  const std::string fast = "\t128 kbps\t299 frames\t0:07\tJS\t48.0 KHz\t112 K";
  // Exit 1: one file is no MP3.
  EXPECT_EQ(
      Lines(Expect({{"info", dir.Path()}, 1, ""}).Out),
      (std::vector<std::string>{dir.File("a.mp3") + fast, dir.File("b/deeper/z.Mp3") + fast, dir.File("c.MP3") + fast,
                                dir.File("d.mp3") + "\tDoesn't seem like a 32/44.1/48 KHz mp3 file"}));

  // A JSON line holds exactly the result keys.
  WriteFileBytes(dir.File("layer2.mp3"), Frames(5, {.Layer = 2}));
  EXPECT_EQ(Expect({{"info", "--json", dir.File("layer2.mp3")}, 1, ""}).Out,
            "{\"file\":\"" + dir.File("layer2.mp3") +
                "\",\"ok\":false,\"BitrateCode\":255,\"Frames\":0,\"StereoMode\":4,\"FrequencyCode\":3,\"SizeKB\":2,"
                "\"FileSizeBytes\":2085,\"error\":\"Seems like mp2, not mp3 file.\"}\n");
}

}  // namespace
}  // namespace ordonna
