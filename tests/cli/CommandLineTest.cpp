// ordonna-cli as a user meets it, run as a separate program: bad usage and failures of every
// command with their exit status and message, a question answered on the user's behalf, and
// the results and temporary files a run must not leave.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/CliTestUtil.h"
#include "support/Mp3Builder.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using namespace testing;

const std::string kListHead = std::string("\3Ord") + '\x3f';  // the head of a list file

TEST(CommandLine, BadUsageExitsWithTwoFailuresWithOneSayingWhyAndNeitherWrites) {
  TempDir dir;
  const std::string list = dir.File("l.ordl"), text = dir.File("in.txt"), ini = dir.File("ordonna.ini"),
                    shortIni = dir.File("short.ini"), mine = dir.File("mine.ini");
  WriteList(list, {"song"});
  WriteFileBytes(text, "plain text");
  ASSERT_EQ(RunCli({"config", "init", ini}).ExitCode, 0);
  WriteFileBytes(shortIni, ReadFileBytes(ini).substr(0, 7100));
  WriteFileBytes(mine, "keep me");
  const CliCase cases[] = {
      {{"bogus"}, 2, "unknown command \"bogus\""},
      {{"scan", "-o", "", dir.Path()}, 2, "an empty name"},
      {{"import", "-o", "", text}, 2, "an empty name"},
      {{"export", list, ""}, 2, "an empty name"},
      {{"dupes", "--log", "", list}, 2, "an empty name"},
      {{"compare", "--action", "0", list, list}, 2, "name it with -o"},
      {{"config", "init", ""}, 2, "an empty name"},
      {{"info"}, 2, "FILE is required"},
      {{"similarity", "--percent", "30", "a", "b"}, 2, ""},

      {{"list", text}, 1, "Not a Ordonna file!"},
      {{"scan", "--options", dir.File("missing.ini"), "-o", dir.File("x"), dir.Path()}, 1, "options file"},
      {{"config", "init", mine}, 1, "--force"},
      {{"config", "set", shortIni, "MaxSizeMB=20"}, 1, ""},
      {{"info", dir.File("missing.mp3")}, 1, dir.File("missing.mp3") + "\tI/O error reading the file\n"},
  };
  for (const CliCase& run : cases) {
    CliResult result = Expect(run);
    EXPECT_TRUE(run.Arguments[0] != "config" || result.Out.empty())
        << "every name is checked before anything is printed";
  }
  EXPECT_EQ(FilesIn(dir.Path()), 5u) << "nothing was written";
  EXPECT_EQ(ReadFileBytes(shortIni).size(), 7100u) << "a damaged file is left alone";
  EXPECT_EQ(ReadFileBytes(mine), "keep me") << "init does not overwrite a file unless told to";
  EXPECT_EQ(RunCli({"config", "init", "--force", mine}).ExitCode, 0);
  EXPECT_EQ(ReadFileBytes(mine), ReadFileBytes(ini)) << "the same defaults as the first file";
}

TEST(CommandLine, AQuestionIsShownWithTheAnswerTakenAndYesAnswersIt) {
  TempDir dir;
  // The older layout: a label longer than 32 bytes and a tail that counts seconds (here 60)
  // instead of frames, without a frequency byte.
  WriteFileBytes(dir.File("old.ordl"), kListHead + "\4song\6/music\x28" + std::string(40, 'L') +
                                           std::string("\x09\x64\0\0\0\x3c\0\0\0\x01\xc8\xaf\0\0\xc8\xaf\0\0", 18));
  EXPECT_TRUE(
      Contains(Expect({{"list", dir.File("old.ordl")}, 1, "[no]"}).Err, "Try to process as Ordonna v4.0-v4.12 file?"));
  Expect({{"list", "--yes", dir.File("old.ordl")}, 0, "[yes]"});
}

TEST(CommandLine, AnEmptyScanIsNeverSavedAndNoRunLeavesATemporaryFile) {
  TempDir dir;
  const std::string home = dir.File("home"), keep = dir.File("keep.ordl");
  std::filesystem::create_directories(dir.File("empty"));
  std::filesystem::create_directories(dir.File("music"));
  WriteFileBytes(dir.File("music/new.mp3"), Frames(300, {}));
  WriteList(dir.File("base.ordl"), {"kept"});
  const std::string earlier = ReadFileBytes(dir.File("base.ordl"));
  const std::pair<std::vector<std::string>, int> runs[] = {
      {{"scan", "-o", keep, dir.File("empty")}, 1},
      {{"scan", "--append", dir.File("base.ordl"), "-o", keep, dir.File("music")}, 0},
  };
  for (auto [arguments, status] : runs) {
    WriteFileBytes(keep, earlier);
    // A home of this test's own: other tests' runs may be under way in the shared one.
    arguments.insert(arguments.begin(), {"ORDONNA_HOME=" + home, ORDONNA_CLI_PATH});
    CliResult result = RunProgram("/usr/bin/env", arguments);
    EXPECT_EQ(result.ExitCode, status) << arguments.back() << result.Err;
    EXPECT_EQ(ReadFileBytes(keep) == earlier, status == 1) << arguments.back();
    std::filesystem::create_directories(home);
    EXPECT_EQ(FilesIn(home), 0u) << "no temporary left";
  }
}

}  // namespace
}  // namespace ordonna
