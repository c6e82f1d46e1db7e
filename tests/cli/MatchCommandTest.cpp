// ordonna-cli similarity, dupes and compare, run as separate programs: what they print, log
// and save, and the progress line drawn only on a terminal.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/CliTestUtil.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using namespace testing;

TEST(MatchCommands, SimilarityPrintsThePercentage) {
  EXPECT_EQ(Expect({{"similarity", "--percent", "99", "The Band - Morning", "the band_-_morning"}, 0, ""}).Out, "99\n");
}

// All a run wrote on the pseudo-terminal `script` gives it.
std::string RunOnTerminal(const std::vector<std::string>& arguments) {
  std::string command = std::string("'") + ORDONNA_CLI_PATH + "'";
  for (const std::string& argument : arguments) command += " '" + argument + "'";
  CliResult result = RunProgram("script", {"-qec", command, "/dev/null"});
  EXPECT_EQ(result.ExitCode, 0) << result.Out;
  return result.Out;
}

TEST(MatchCommands, DupesPrintsLogsAndWritesAndDrawsItsProgressLineOnATerminalOnly) {
  TempDir dir;
  const std::string list = dir.File("list.ordl");
  WriteList(list, {"Same Song", "Other", "same song", "Song A1", "Song A2"});
  EXPECT_EQ(Expect({{"dupes", "--percent", "80", "--action", "auto", "--json", list}, 0, ""}).Out,
            "{\"matches\":2,\"to_delete\":2,\"marked\":[2,4]}\n");
  CliResult text = Expect(
      {{"dupes", "--percent", "80", "--action", "auto", "--log", dir.File("log.txt"), "-o", dir.File("out.ordl"), list},
       0,
       ""});
  EXPECT_EQ(text.Err, "") << "no progress line when stderr is not a terminal";
  EXPECT_EQ(text.Out, "Finished. 2 matches found. 2 duplicates to be deleted.\nsame song\nSong A2\n");
  EXPECT_TRUE(Contains(ReadFileBytes(dir.File("log.txt")), "\r\n2 duplicates found:\r\n\r\nsame song, 3:55, "));
  const std::vector<std::string> left = Lines(RunCli({"list", dir.File("out.ordl")}).Out);
  ASSERT_EQ(left.size(), 3u);
  EXPECT_EQ(left[0].substr(0, 10), "Same Song\t");

  // Confirmation without answers on the terminal stops the search and deletes nothing.
  EXPECT_NE(RunCli({"dupes", "--percent", "80", "--action", "confirm", "-o", dir.File("none.ordl"), list}).ExitCode, 0);
  EXPECT_FALSE(std::filesystem::exists(dir.File("none.ordl")));

  const std::string shown = RunOnTerminal({"dupes", "--action", "auto", list});
  const std::size_t line = shown.rfind(" % done, ");
  ASSERT_NE(line, std::string::npos) << shown;
  EXPECT_NE(shown.find(" marked, 0:00 elapsed", line), std::string::npos) << shown;
  EXPECT_LT(shown.find("\r\x1b[K", line), shown.find("Finished. ", line)) << "cleared before the results";
  EXPECT_FALSE(Contains(RunOnTerminal({"dupes", "--quiet", "--action", "auto", list}), "% done"));
}

TEST(MatchCommands, CompareActions) {
  TempDir dir;
  const std::string current = dir.File("current.ordl"), external = dir.File("external.ordl");
  WriteList(current, {"Same Song", "Other", "same song", "Lone"});
  WriteList(external, {"Same Song", "Song A3"});
  Expect({{"compare", "--json", "--action", "7", "--ordl", current, external, "-o", dir.File("log.txt")},
          0,
          "{\"unique\":2,\"matches\":2,\"matched\":[0,2]}\n"});
  EXPECT_TRUE(Contains(ReadFileBytes(dir.File("log.txt")), "\r\n2 matches found:\r\n\r\nSame Song\r\nsame song"));
  Expect({{"compare", "--action", "4", "--ordl", current, external, "-o", dir.File("reduced.ordl")},
          0,
          "Finished. 2 matches to be removed from internal list.\n"});
  EXPECT_EQ(Lines(RunCli({"list", dir.File("reduced.ordl")}).Out).size(), 2u);
}

}  // namespace
}  // namespace ordonna
