// ordonna-cli as a user meets it, run as a separate program: bad usage, results that must
// not be saved, questions answered on the user's behalf, names that carry control bytes,
// and the temporary files a run leaves behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/CliRunner.h"
#include "support/Mp3Builder.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::CliResult;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kUnderSanitizer = true;
#elif defined(__has_feature)
constexpr bool kUnderSanitizer = __has_feature(address_sanitizer) || __has_feature(thread_sanitizer);
#else
constexpr bool kUnderSanitizer = false;
#endif

CliResult RunCli(const std::vector<std::string>& arguments) { return testing::RunProgram(ORDONNA_CLI_PATH, arguments); }

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

struct Record {
  std::string Name;
  std::string Folder = "/music";
  std::string Label = "DISK";
};

// A list file made byte by byte; the numeric tail is that of a 128 kbps, 300-frame song.
std::string ListBytes(const std::vector<Record>& records) {
  std::string bytes = std::string("\3Ord") + '\x3f';
  for (const Record& r : records) {
    for (const std::string* text : {&r.Name, &r.Folder, &r.Label}) {
      bytes += static_cast<char>(text->size());
      bytes += *text;
    }
    bytes += std::string("\x09\x64\0\0\0\x2c\x01\0\0\x01\0\xc8\xaf\0\0\xc8\xaf\0\0", 19);
  }
  return bytes;
}

TEST(BadUsage, UnknownCommandsAndEmptyOutputNamesAreRefused) {
  CliResult bogus = RunCli({"bogus"});
  EXPECT_EQ(bogus.ExitCode, 2);
  EXPECT_TRUE(Contains(bogus.Err, "unknown command \"bogus\"")) << bogus.Err;

  TempDir dir;
  WriteFileBytes(dir.File("in.txt"), "x\n");
  const std::vector<std::vector<std::string>> emptyOutputs = {
      {"scan", "-o", "", dir.Path()},
      {"import", "-o", "", dir.File("in.txt")},
      {"export", dir.File("l.ordl"), ""},
      {"dupes", "--log", "", dir.File("l.ordl")},
      {"dupes", "-o", "", dir.File("l.ordl")},
      {"compare", "-o", "", dir.File("l.ordl"), dir.File("l.ordl")},
      {"config", "init", ""},
      {"config", "set", "", "MaxSizeMB=20"},
      {"config", "get", "", "MaxSizeMB"},
  };
  for (const std::vector<std::string>& arguments : emptyOutputs) {
    CliResult result = RunCli(arguments);
    EXPECT_EQ(result.ExitCode, 2) << arguments[0] << ": " << result.Err;
    EXPECT_TRUE(Contains(result.Err, "an empty name")) << result.Err;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << "nothing was written";
}

// A list of the older layout: its label may be longer than 32 bytes and its tail counts
// seconds (here 60) instead of frames, without a frequency byte.
std::string Version4ListBytes() {
  std::string bytes = std::string("\3Ord") + '\x3f';
  bytes += "\4song\6/music\x28" + std::string(40, 'L');
  bytes += std::string("\x09\x64\0\0\0\x3c\0\0\0\x01\xc8\xaf\0\0\xc8\xaf\0\0", 18);
  return bytes;
}

TEST(Questions, AreShownWithTheAnswerTakenAndYesReadsOlderLists) {
  TempDir dir;
  WriteFileBytes(dir.File("old.ordl"), Version4ListBytes());
  WriteFileBytes(dir.File("base.ordl"), ListBytes({{"other"}}));
  std::filesystem::create_directory(dir.File("empty"));
  const std::vector<std::vector<std::string>> runs = {
      {"list", dir.File("old.ordl")},
      {"export", "--type", "text", dir.File("old.ordl"), dir.File("out.txt")},
      {"dupes", dir.File("old.ordl")},
      {"compare", "--ordl", "--action", "0", "-o", dir.File("log.txt"), dir.File("old.ordl"), dir.File("base.ordl")},
      {"scan", "--append", dir.File("old.ordl"), "-o", dir.File("out.ordl"), dir.File("empty")},
  };
  for (std::vector<std::string> arguments : runs) {
    CliResult refused = RunCli(arguments);
    EXPECT_EQ(refused.ExitCode, 1) << arguments[0];
    EXPECT_TRUE(Contains(refused.Err, "Try to process as Ordonna v4.0-v4.12 file?")) << refused.Err;
    EXPECT_TRUE(Contains(refused.Err, "[no]")) << refused.Err;

    arguments.insert(arguments.begin() + 1, "--yes");
    CliResult accepted = RunCli(arguments);
    EXPECT_EQ(accepted.ExitCode, 0) << arguments[0] << ": " << accepted.Err;
    EXPECT_TRUE(Contains(accepted.Err, "[yes]")) << accepted.Err;
  }
  CliResult listed = RunCli({"list", "--yes", dir.File("old.ordl")});
  EXPECT_EQ(listed.Out.substr(0, 10), "song\t1:00\t") << listed.Out;
}

TEST(Memory, ALoadLargerThanTheMemorySaysSo) {
  if (kUnderSanitizer) GTEST_SKIP() << "the sanitizers reserve more address space than the limit allows";
  // 200,000 entries need 113 MB in memory; the run may have 64 MB of address space.
  TempDir dir;
  std::string bytes = ListBytes({{"first"}});
  // Records with empty names and the same numeric tail.
  const std::string empty = std::string(3, '\0') + bytes.substr(bytes.size() - 19);
  for (int i = 1; i < 200000; ++i) bytes += empty;
  WriteFileBytes(dir.File("big.ordl"), bytes);
  CliResult limited = testing::RunProgram(
      "/bin/sh", {"-c", "ulimit -v 65536 && exec \"$0\" list \"$1\"", ORDONNA_CLI_PATH, dir.File("big.ordl")});
  EXPECT_EQ(limited.ExitCode, 1);
  EXPECT_TRUE(Contains(limited.Err, "Not enough memory for the 200000 entries of this list.")) << limited.Err;
  EXPECT_EQ(RunCli({"list", dir.File("big.ordl")}).ExitCode, 0) << "the list itself is sound";
}

TEST(EmptyResults, AreNeverSavedAndLeaveTheEarlierFile) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("empty"));
  WriteFileBytes(dir.File("blank.txt"), "\n\n");
  const std::string earlier = ListBytes({{"kept"}});
  WriteFileBytes(dir.File("base.ordl"), earlier);
  const std::vector<std::vector<std::string>> runs = {
      {"scan", "-o", dir.File("keep.ordl"), dir.File("empty")},
      {"scan", "-o", dir.File("keep.ordl"), dir.File("missing")},
      {"scan", "--append", dir.File("base.ordl"), "-o", dir.File("keep.ordl"), dir.File("missing")},
      {"import", "--foreign", "--yes", dir.File("blank.txt"), "-o", dir.File("keep.ordl")},
      {"import", "--foreign", "--yes", "--append", dir.File("base.ordl"), dir.File("blank.txt"), "-o",
       dir.File("keep.ordl")},
  };
  for (const std::vector<std::string>& arguments : runs) {
    WriteFileBytes(dir.File("keep.ordl"), earlier);
    CliResult result = RunCli(arguments);
    EXPECT_EQ(result.ExitCode, 1) << arguments[0] << " " << arguments.back() << ": " << result.Err;
    EXPECT_EQ(ReadFileBytes(dir.File("keep.ordl")), earlier) << arguments[0] << " " << arguments.back();
  }
}

// The names a list holds: the first field of each line of `list`.
std::multiset<std::string> ListedNames(const std::string& listFile) {
  std::multiset<std::string> names;
  for (const std::string& line : testing::Lines(RunCli({"list", listFile}).Out))
    names.insert(line.substr(0, line.find('\t')));
  return names;
}

TEST(Names, ControlBytesNeverReachAListLineOrTheTerminal) {
  TempDir dir;
  const std::string folder = dir.File(
      "music/cd\x1b"
      "1");
  std::filesystem::create_directories(folder);
  std::multiset<std::string> stored;
  for (int byte = 1; byte < 128; byte = byte == 31 ? 127 : byte + 1) {
    const std::string number = std::to_string(byte);
    WriteFileBytes(folder + "/song " + static_cast<char>(byte) + " with a control byte " + number + ".mp3",
                   testing::Frames(300, {}));
    stored.insert("song ? with a control byte " + number);
  }
  ASSERT_EQ(RunCli({"scan", "-o", dir.File("songs.ordl"), dir.File("music")}).ExitCode, 0);
  EXPECT_EQ(ListedNames(dir.File("songs.ordl")), stored);
  EXPECT_TRUE(Contains(RunCli({"list", dir.File("songs.ordl")}).Out, "/music/cd?1\t"));

  ASSERT_EQ(RunCli({"export", "--type", "text", dir.File("songs.ordl"), dir.File("songs.txt")}).ExitCode, 0);
  CliResult imported = RunCli({"import", "--yes", dir.File("songs.txt"), "-o", dir.File("back.ordl")});
  ASSERT_EQ(imported.ExitCode, 0) << imported.Err;
  EXPECT_EQ(ListedNames(dir.File("back.ordl")), stored) << "every line of the export reads back";

  // A list made elsewhere may hold any byte: the text form shows controls as "?".
  WriteFileBytes(dir.File("raw.ordl"), ListBytes({{"a\x1b[2Jb\xC2\x9B", "/f\rg", "L\x07"}}));
  CliResult raw = RunCli({"list", dir.File("raw.ordl")});
  EXPECT_EQ(raw.Out.substr(0, 8), "a?[2Jb?\t") << raw.Out;
  EXPECT_TRUE(Contains(raw.Out, "\t/f?g\tL?\t")) << raw.Out;
}

TEST(TemporaryFiles, NoneIsLeftAfterARunThatSucceedsOrFails) {
  TempDir dir;
  const std::string home = dir.File("home");
  std::filesystem::create_directories(dir.File("music"));
  WriteFileBytes(dir.File("music/new.mp3"), testing::Frames(300, {}));
  WriteFileBytes(dir.File("base.ordl"), ListBytes({{"old"}}));
  WriteFileBytes(dir.File("in.txt"), std::string(600, 'x') + "\n");
  const std::vector<std::vector<std::string>> runs = {
      {"scan", "--append", dir.File("base.ordl"), "-o", dir.File("out.ordl"), dir.File("music")},
      {"scan", "--append", dir.File("base.ordl"), "-o", dir.File("out.ordl"), dir.File("missing")},
      {"import", "--yes", "--append", dir.File("base.ordl"), dir.File("in.txt"), "-o", dir.File("out.ordl")},
  };
  for (std::vector<std::string> arguments : runs) {
    // A home of this test's own: other tests' runs may be under way in the shared one.
    arguments.insert(arguments.begin(), {"ORDONNA_HOME=" + home, ORDONNA_CLI_PATH});
    CliResult result = testing::RunProgram("/usr/bin/env", arguments);
    EXPECT_NE(result.ExitCode, -1);
    std::filesystem::create_directories(home);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home), {}), 0) << arguments[2] << ": " << result.Err;
  }
}

}  // namespace
}  // namespace ordonna
