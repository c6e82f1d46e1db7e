// ordonna-cli as a user meets it, run as a separate program: bad usage and failures of every
// command with their exit status and message, questions answered on the user's behalf,
// results that must not be saved, names that carry control bytes, and the temporary files a
// run leaves behind.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/CliTestUtil.h"
#include "support/Mp3Builder.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using namespace testing;

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kUnderSanitizer = true;
#elif defined(__has_feature)
constexpr bool kUnderSanitizer = __has_feature(address_sanitizer) || __has_feature(thread_sanitizer);
#else
constexpr bool kUnderSanitizer = false;
#endif

std::size_t FilesIn(const std::string& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// A list file made byte by byte: its head, then records whose numeric tail is that of a
// 128 kbps, 300-frame song.
const std::string kListHead = std::string("\3Ord") + '\x3f';
std::string Record(const std::string& name, const std::string& folder = "/music", const std::string& label = "DISK") {
  std::string bytes;
  for (const std::string* text : {&name, &folder, &label}) bytes += static_cast<char>(text->size()) + *text;
  return bytes + std::string("\x09\x64\0\0\0\x2c\x01\0\0\x01\0\xc8\xaf\0\0\xc8\xaf\0\0", 19);
}

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
      {{"scan", dir.Path()}, 2, "--output is required"},
      {{"import", "-o", "", text}, 2, "an empty name"},
      {{"export", list, ""}, 2, "an empty name"},
      {{"dupes", "--log", "", list}, 2, "an empty name"},
      {{"compare", "--action", "0", list, list}, 2, "name it with -o"},
      {{"config", "init", ""}, 2, "an empty name"},
      {{"info"}, 2, "FILE is required"},
      {{"similarity", "--percent", "30", "a", "b"}, 2, ""},

      {{"list", text}, 1, "Not a Ordonna file!"},
      {{"scan", "--options", dir.File("missing.ini"), "-o", dir.File("x"), dir.Path()}, 1, "options file"},
      {{"config", "show", shortIni},
       1,
       "Not a valid configuration file: " + shortIni + " (7,100 bytes; expected 7,101)"},
      {{"config", "init", mine}, 1, "--force"},
      {{"config", "get", ini, "MaxSizeMB", "Nonsense"}, 1, "Nonsense: unknown option"},
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

TEST(CommandLine, QuestionsAreShownWithTheAnswerTakenAndYesReadsOlderLists) {
  TempDir dir;
  // The older layout: a label longer than 32 bytes and a tail that counts seconds (here 60)
  // instead of frames, without a frequency byte.
  WriteFileBytes(dir.File("old.ordl"), kListHead + "\4song\6/music\x28" + std::string(40, 'L') +
                                           std::string("\x09\x64\0\0\0\x3c\0\0\0\x01\xc8\xaf\0\0\xc8\xaf\0\0", 18));
  WriteFileBytes(dir.File("base.ordl"), kListHead + Record("other"));
  std::filesystem::create_directory(dir.File("empty"));
  const std::vector<std::vector<std::string>> runs = {
      {"list", dir.File("old.ordl")},
      {"export", "--type", "text", dir.File("old.ordl"), dir.File("out.txt")},
      {"dupes", dir.File("old.ordl")},
      {"compare", "--ordl", "--action", "0", "-o", dir.File("log.txt"), dir.File("old.ordl"), dir.File("base.ordl")},
      {"scan", "--append", dir.File("old.ordl"), "-o", dir.File("out.ordl"), dir.File("empty")},
  };
  for (std::vector<std::string> arguments : runs) {
    EXPECT_TRUE(Contains(Expect({arguments, 1, "[no]"}).Err, "Try to process as Ordonna v4.0-v4.12 file?"));
    arguments.insert(arguments.begin() + 1, "--yes");
    Expect({arguments, 0, "[yes]"});
  }
}

TEST(CommandLine, ALoadLargerThanTheMemorySaysSo) {
  if (kUnderSanitizer) GTEST_SKIP() << "the sanitizers reserve more address space than the limit allows";
  // 200,000 entries need 113 MB in memory; the run may have 64 MB of address space.
  TempDir dir;
  std::string bytes = kListHead + Record("first");
  const std::string empty = Record("", "", "");
  for (int i = 1; i < 200000; ++i) bytes += empty;
  WriteFileBytes(dir.File("big.ordl"), bytes);
  CliResult limited = RunProgram(
      "/bin/sh", {"-c", "ulimit -v 65536 && exec \"$0\" list \"$1\"", ORDONNA_CLI_PATH, dir.File("big.ordl")});
  EXPECT_EQ(limited.ExitCode, 1);
  EXPECT_TRUE(Contains(limited.Err, "Not enough memory for the 200000 entries of this list.")) << limited.Err;
  EXPECT_EQ(RunCli({"list", dir.File("big.ordl")}).ExitCode, 0) << "the list itself is sound";
}

// A list made elsewhere may hold any byte: the text form shows controls as "?".
TEST(CommandLine, ControlBytesInNamesNeverReachTheTerminal) {
  TempDir dir;
  WriteFileBytes(dir.File("raw.ordl"), kListHead + Record("a\x1b[2Jb\xC2\x9B", "/f\rg", "L\x07"));
  CliResult raw = RunCli({"list", dir.File("raw.ordl")});
  EXPECT_EQ(raw.Out.substr(0, 8), "a?[2Jb?\t") << raw.Out;
  EXPECT_TRUE(Contains(raw.Out, "\t/f?g\tL?\t")) << raw.Out;
}

TEST(CommandLine, EmptyResultsAreNeverSavedAndNoRunLeavesATemporaryFile) {
  TempDir dir;
  const std::string home = dir.File("home"), keep = dir.File("keep.ordl"), base = dir.File("base.ordl");
  const std::string earlier = kListHead + Record("kept");
  std::filesystem::create_directories(dir.File("empty"));
  std::filesystem::create_directories(dir.File("music"));
  WriteFileBytes(dir.File("music/new.mp3"), Frames(300, {}));
  WriteFileBytes(base, earlier);
  WriteFileBytes(dir.File("blank.txt"), "\n\n");
  WriteFileBytes(dir.File("in.txt"), std::string(600, 'x') + "\n");
  const std::pair<std::vector<std::string>, int> runs[] = {
      {{"scan", "-o", keep, dir.File("empty")}, 1},
      {{"scan", "-o", keep, dir.File("missing")}, 1},
      {{"import", "--foreign", "--yes", "--append", base, dir.File("blank.txt"), "-o", keep}, 1},
      {{"scan", "--append", base, "-o", keep, dir.File("music")}, 0},
      {{"import", "--yes", "--append", base, dir.File("in.txt"), "-o", keep}, 0},
  };
  for (auto [arguments, status] : runs) {
    WriteFileBytes(keep, earlier);
    // A home of this test's own: other tests' runs may be under way in the shared one.
    arguments.insert(arguments.begin(), {"ORDONNA_HOME=" + home, ORDONNA_CLI_PATH});
    CliResult result = RunProgram("/usr/bin/env", arguments);
    SCOPED_TRACE(arguments[2] + " " + arguments.back());
    EXPECT_EQ(result.ExitCode, status) << result.Err;
    EXPECT_EQ(ReadFileBytes(keep) == earlier, status == 1);
    std::filesystem::create_directories(home);
    EXPECT_EQ(FilesIn(home), 0u) << "no temporary left";
  }
}

}  // namespace
}  // namespace ordonna
