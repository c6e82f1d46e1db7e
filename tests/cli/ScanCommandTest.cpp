// ordonna-cli scan and list, run as separate programs.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/CliRunner.h"
#include "support/Mp3Builder.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::CliResult;
using testing::Lines;
using testing::TempDir;

CliResult RunCli(const std::vector<std::string>& arguments) { return testing::RunProgram(ORDONNA_CLI_PATH, arguments); }

class ScanCommand : public ::testing::Test {
 protected:
  ScanCommand() {
    std::filesystem::create_directories(music.File("Album"));
    testing::FrameSpec shape;
    testing::WriteFileBytes(music.File("one.mp3"), testing::Frames(300, shape));
    testing::WriteFileBytes(music.File("Album/two.MP3"), testing::Frames(400, shape));
    testing::WriteFileBytes(music.File("Album/cover.jpg"), std::string(20000, 'x'));
  }

  TempDir music;
  TempDir out;
};

TEST_F(ScanCommand, ScansSavesAndListsTheList) {
  CliResult scan = RunCli({"scan", "--slow", "--on-error", "discard", "-o", out.File("songs"), music.Path()});
  EXPECT_EQ(scan.ExitCode, 0) << scan.Err;
  EXPECT_EQ(scan.Out, "Added: 2 of 2. Total: 2 items.\n");
  ASSERT_TRUE(std::filesystem::exists(out.File("songs.ordl"))) << ".ordl is added to the name";

  CliResult json = RunCli({"list", "--json", out.File("songs.ordl")});
  EXPECT_EQ(json.ExitCode, 0) << json.Err;
  std::vector<std::string> lines = Lines(json.Out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[0].find("\"FileName\":\"one\""), std::string::npos) << lines[0];
  EXPECT_NE(lines[0].find("\"Frames\":300"), std::string::npos) << lines[0];
  EXPECT_NE(lines[1].find("\"FileName\":\"two\""), std::string::npos) << lines[1];

  CliResult text = RunCli({"list", out.File("songs.ordl")});
  EXPECT_EQ(text.ExitCode, 0);
  EXPECT_EQ(Lines(text.Out)[0].substr(0, 9), "one\t0:08\t") << text.Out;

  CliResult again = RunCli(
      {"scan", "--existing", "3", "--append", out.File("songs.ordl"), "-o", out.File("songs.ordl"), music.Path()});
  EXPECT_EQ(again.ExitCode, 0) << again.Err;
  EXPECT_EQ(again.Out, " Ignored: 2. Total: 2 items.\n");
}

TEST_F(ScanCommand, FailuresAndBadUsage) {
  EXPECT_EQ(RunCli({"scan", music.Path()}).ExitCode, 2) << "the output file is required";
  EXPECT_EQ(RunCli({"scan", "--existing", "4", "-o", out.File("x"), music.Path()}).ExitCode, 2);
  EXPECT_EQ(RunCli({"scan", "--append", out.File("missing.ordl"), "-o", out.File("x"), music.Path()}).ExitCode, 2);
  CliResult options = RunCli({"scan", "--options", out.File("missing.ini"), "-o", out.File("x"), music.Path()});
  EXPECT_EQ(options.ExitCode, 1);
  EXPECT_NE(options.Err.find("options file"), std::string::npos) << options.Err;

  testing::WriteFileBytes(out.File("not.ordl"), "plain text");
  CliResult list = RunCli({"list", out.File("not.ordl")});
  EXPECT_EQ(list.ExitCode, 1);
  EXPECT_NE(list.Err.find("Not a Ordonna file!"), std::string::npos) << list.Err;
}

}  // namespace
}  // namespace ordonna
