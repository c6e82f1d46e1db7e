// ordonna-cli similarity, dupes and compare, run as separate programs.
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "listfile/ListFileCommands.h"
#include "match/NameGenerator.h"
#include "support/CliRunner.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::AlikeEntry;
using testing::CliResult;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

CliResult RunCli(const std::vector<std::string>& arguments) { return testing::RunProgram(ORDONNA_CLI_PATH, arguments); }

void WriteList(const std::string& path, std::initializer_list<std::string> names) {
  EntryList list;
  for (const std::string& name : names) list.AppendEntry(AlikeEntry(name));
  ASSERT_TRUE(WriteListFile(path, list, 63).ok());
}

TEST(MatchCommands, Similarity) {
  CliResult result = RunCli({"similarity", "--percent", "80", "The Band - Morning", "the band_-_morning"});
  EXPECT_EQ(result.ExitCode, 0) << result.Err;
  EXPECT_EQ(result.Out, "100\n");
  EXPECT_EQ(RunCli({"similarity", "--percent", "99", "The Band - Morning", "the band_-_morning"}).Out, "99\n");
  EXPECT_EQ(RunCli({"similarity", "--percent", "80", "--relaxed", "alpha", "alpha beta"}).Out, "99\n");
  EXPECT_EQ(RunCli({"similarity", "--percent", "80", "alpha", "alpha beta"}).Out, "0\n");
  EXPECT_NE(RunCli({"similarity", "--percent", "30", "a", "b"}).ExitCode, 0);
}

TEST(MatchCommands, DupesPrintsLogsAndWrites) {
  TempDir dir;
  WriteList(dir.File("list.ordl"), {"Same Song", "Other", "same song", "Song A1", "Song A2"});
  for (const char* engine : {"", "--naive"}) {
    std::vector<std::string> args = {"dupes", "--percent", "80", "--action", "auto", "--json", dir.File("list.ordl")};
    if (*engine != '\0') args.insert(args.begin() + 1, engine);
    CliResult json = RunCli(args);
    EXPECT_EQ(json.ExitCode, 0) << json.Err;
    EXPECT_EQ(json.Out, "{\"matches\":2,\"to_delete\":2,\"marked\":[2,4]}\n") << engine;
  }
  CliResult text = RunCli({"dupes", "--percent", "80", "--action", "auto", "--log", dir.File("log.txt"), "-o",
                           dir.File("out.ordl"), dir.File("list.ordl")});
  EXPECT_EQ(text.ExitCode, 0) << text.Err;
  EXPECT_EQ(text.Err, "") << "no progress line when stderr is not a terminal";
  EXPECT_EQ(text.Out, "Finished. 2 matches found. 2 duplicates to be deleted.\nsame song\nSong A2\n");
  std::string log = ReadFileBytes(dir.File("log.txt"));
  EXPECT_NE(log.find("\r\n2 duplicates found:\r\n\r\nsame song, 3:55, 128 kbps, 4000 K, JS\r\nSong A2, "),
            std::string::npos)
      << log;
  CliResult listed = RunCli({"list", dir.File("out.ordl")});
  EXPECT_EQ(listed.Out.substr(0, 10), "Same Song\t");
  EXPECT_EQ(std::count(listed.Out.begin(), listed.Out.end(), '\n'), 3);

  // Confirmation without answers on the terminal stops the search and deletes nothing.
  CliResult confirm =
      RunCli({"dupes", "--percent", "80", "--action", "confirm", "-o", dir.File("none.ordl"), dir.File("list.ordl")});
  EXPECT_NE(confirm.ExitCode, 0);
  EXPECT_FALSE(std::filesystem::exists(dir.File("none.ordl")));
}

// Runs ordonna-cli on a pseudo-terminal; returns all it wrote there.
std::string RunOnTerminal(const std::vector<std::string>& arguments) {
  int terminal = -1;
  pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
  if (child == 0) {
    std::vector<char*> argv = {const_cast<char*>(ORDONNA_CLI_PATH)};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(ORDONNA_CLI_PATH, argv.data());
    _exit(127);
  }
  std::string written;
  char buffer[4096];
  for (;;) {
    ssize_t got = read(terminal, buffer, sizeof buffer);
    if (got > 0) {
      written.append(buffer, static_cast<std::size_t>(got));
    } else if (got < 0 && errno == EINTR) {
      continue;
    } else {
      break;  // EIO once the program has ended
    }
  }
  close(terminal);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << written;
  return written;
}

TEST(MatchCommands, ProgressLineOnATerminalOnly) {
  TempDir dir;
  WriteList(dir.File("list.ordl"), {"Same Song", "Other", "same song", "Song A1", "Song A2"});
  // The comparison draws its line only while its pair loop runs: the plain loop over a
  // thousand names each side keeps it running long enough to be seen.
  EntryList many;
  testing::NameGenerator names(5);
  for (const ListEntry& entry : names.Entries(1000, testing::NameMix{})) many.AppendEntry(entry);
  ASSERT_TRUE(WriteListFile(dir.File("many.ordl"), many, 63).ok());
  struct Row {
    std::vector<std::string> Arguments;
    std::string Counted;
    std::string Finished;
  };
  const Row rows[] = {
      {{"dupes", "--percent", "80", "--action", "auto", dir.File("list.ordl")},
       " marked, 0:00 elapsed",
       "Finished. 2 matches found."},
      {{"compare", "--naive", "--action", "7", "--ordl", dir.File("many.ordl"), dir.File("many.ordl"), "-o",
        dir.File("log.txt")},
       " matched, 0:",
       "Finished. 1000 matches"},
  };
  for (const Row& row : rows) {
    std::string shown = RunOnTerminal(row.Arguments);
    const std::size_t line = shown.rfind(" % done, ");
    ASSERT_NE(line, std::string::npos) << shown;
    EXPECT_NE(shown.find(row.Counted, line), std::string::npos) << shown;
    // Cleared before the results.
    const std::size_t cleared = shown.find("\r\x1b[K", line);
    ASSERT_NE(cleared, std::string::npos) << shown;
    EXPECT_LT(cleared, shown.find(row.Finished)) << shown;

    std::vector<std::string> quiet = row.Arguments;
    quiet.insert(quiet.begin() + 1, "--quiet");
    EXPECT_EQ(RunOnTerminal(quiet).find("% done"), std::string::npos);
  }
}

TEST(MatchCommands, CompareActions) {
  TempDir dir;
  WriteList(dir.File("current.ordl"), {"Same Song", "Other", "same song", "Lone"});
  WriteList(dir.File("external.ordl"), {"Same Song", "Song A3"});
  CliResult json = RunCli({"compare", "--action", "7", "--ordl", "--json", dir.File("current.ordl"),
                           dir.File("external.ordl"), "-o", dir.File("log.txt")});
  EXPECT_EQ(json.ExitCode, 0) << json.Err;
  EXPECT_EQ(json.Out, "{\"unique\":2,\"matches\":2,\"matched\":[0,2]}\n");
  std::string log = ReadFileBytes(dir.File("log.txt"));
  EXPECT_NE(log.find("\r\n2 matches found:\r\n\r\nSame Song\r\nsame song"), std::string::npos) << log;

  CliResult naive = RunCli({"compare", "--action", "7", "--ordl", "--naive", dir.File("current.ordl"),
                            dir.File("external.ordl"), "-o", dir.File("log.txt")});
  EXPECT_EQ(naive.Out, "Finished. 2 matches from internal list written to log file.\n");

  CliResult reduced = RunCli({"compare", "--action", "4", "--ordl", dir.File("current.ordl"), dir.File("external.ordl"),
                              "-o", dir.File("reduced.ordl")});
  EXPECT_EQ(reduced.ExitCode, 0) << reduced.Err;
  EXPECT_EQ(reduced.Out, "Finished. 2 matches to be removed from internal list.\n");
  CliResult listed = RunCli({"list", dir.File("reduced.ordl")});
  EXPECT_EQ(std::count(listed.Out.begin(), listed.Out.end(), '\n'), 2);

  // A text list: relaxed matching is on by default and --no-relaxed turns it off.
  WriteFileBytes(dir.File("list.txt"), "Lone Star Remix.mp3\r\n");
  CliResult relaxed =
      RunCli({"compare", "--action", "9", "--text", "--json", dir.File("current.ordl"), dir.File("list.txt")});
  EXPECT_EQ(relaxed.Out, "{\"unique\":3,\"matches\":1,\"matched\":[3]}\n") << relaxed.Err;
  CliResult plain = RunCli(
      {"compare", "--action", "9", "--text", "--no-relaxed", "--json", dir.File("current.ordl"), dir.File("list.txt")});
  EXPECT_EQ(plain.Out, "{\"unique\":4,\"matches\":0,\"matched\":[]}\n") << plain.Err;

  CliResult missing = RunCli({"compare", "--action", "0", dir.File("current.ordl"), dir.File("external.ordl")});
  EXPECT_EQ(missing.ExitCode, 2) << "a log action needs -o";
}

}  // namespace
}  // namespace ordonna
