// ordonna-cli config, run as a separate program: exit statuses, messages and printed fields.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "support/CliRunner.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::CliResult;
using testing::Lines;

CliResult RunCli(const testing::TempDir&, const std::vector<std::string>& arguments) {
  return testing::RunProgram(ORDONNA_CLI_PATH, arguments);
}

bool HasLine(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(ConfigCommand, InitWritesFactoryDefaultsThatShowPrintsInFileOrder) {
  testing::TempDir dir;
  const std::string file = dir.File("ordonna.ini");
  CliResult init = RunCli(dir, {"config", "init", file});
  ASSERT_EQ(init.ExitCode, 0) << init.Err;
  EXPECT_EQ(testing::ReadFileBytes(file).size(), 7101u);

  CliResult show = RunCli(dir, {"config", "show", file});
  ASSERT_EQ(show.ExitCode, 0) << show.Err;
  std::vector<std::string> lines = Lines(show.Out);
  // 157 single fields, 14 column widths and 16 custom colours.
  ASSERT_EQ(lines.size(), 187u);
  EXPECT_EQ(lines.front(), "InfoTime 1");
  EXPECT_EQ(lines[1], "InfoKbps 1");
  EXPECT_EQ(lines.back(), "CompareSaveFile ");
  // One field of each kind, so that a byte order that setting and getting share is still seen;
  // the values at their offsets are checked with the defaults themselves.
  for (const char* expected :
       {"AskSaveThreshold 500", "MaxSizeMB 2048", "MainWindowColor BEDED5", "ViewerColumnWidths[13] 64",
        "ViewerFontName Courier New", "CustomColors[3] 00034654", "MainLeft 818", "LoadFolder c:\\"}) {
    EXPECT_TRUE(HasLine(lines, expected)) << expected;
  }
  EXPECT_TRUE(HasLine(lines, "OptionsFolder " + dir.Path())) << "the options folder is the folder of the file";
}

TEST(ConfigCommand, ShowPrintsStoredValuesWithoutRepairs) {
  testing::TempDir dir;
  const std::string file = dir.File("ordonna.ini");
  ASSERT_EQ(RunCli(dir, {"config", "init", "--screen-width", "1024", "--screen-height", "768", file}).ExitCode, 0);
  std::string bytes = testing::ReadFileBytes(file);
  bytes[32] = 9;           // Delimiter, repaired to 0 when loaded
  bytes[30] = 6;           // ExportType
  bytes[64 + 3] = '\x01';  // a colour with a non-zero top byte
  bytes[132] = 5;          // TextHeaderFile "a\nb\xE9z"
  bytes.replace(133, 5, "a\nb\xE9z");
  testing::WriteFileBytes(file, bytes);

  std::vector<std::string> lines = Lines(RunCli(dir, {"config", "show", file}).Out);
  // Control characters escaped, Windows-1252 decoded; MainLeft is (1024 - 284) / 2.
  for (const char* expected :
       {"Delimiter 9", "ExportType 6", "MainWindowColor 01BEDED5", "TextHeaderFile a\\x0Ab\xC3\xA9z", "MainLeft 370"}) {
    EXPECT_TRUE(HasLine(lines, expected)) << expected;
  }
  EXPECT_EQ(lines.size(), 187u);
}

TEST(ConfigCommand, FailuresAndBadUsageHaveTheirExitStatuses) {
  testing::TempDir dir;
  const std::string file = dir.File("ordonna.ini");
  ASSERT_EQ(RunCli(dir, {"config", "init", file}).ExitCode, 0);
  const std::string valid = testing::ReadFileBytes(file);

  testing::WriteFileBytes(dir.File("short.ini"), valid.substr(0, 7100));
  CliResult shortFile = RunCli(dir, {"config", "show", dir.File("short.ini")});
  EXPECT_EQ(shortFile.ExitCode, 1);
  EXPECT_TRUE(shortFile.Out.empty());
  EXPECT_NE(shortFile.Err.find(dir.File("short.ini")), std::string::npos) << shortFile.Err;
  EXPECT_NE(shortFile.Err.find("Not a valid configuration file"), std::string::npos) << shortFile.Err;
  EXPECT_NE(shortFile.Err.find("(7,100 bytes; expected 7,101)"), std::string::npos) << shortFile.Err;

  CliResult missing = RunCli(dir, {"config", "show", dir.File("missing.ini")});
  EXPECT_EQ(missing.ExitCode, 1);
  EXPECT_NE(missing.Err.find(dir.File("missing.ini")), std::string::npos) << missing.Err;

  EXPECT_EQ(RunCli(dir, {"config", "show", "--bogus", file}).ExitCode, 2);
  EXPECT_EQ(RunCli(dir, {"config", "show"}).ExitCode, 2) << "FILE is required";
  EXPECT_EQ(RunCli(dir, {"config"}).ExitCode, 2) << "a subcommand is required";
  EXPECT_EQ(RunCli(dir, {"config", "init", "--screen-width", "0", dir.File("new.ini")}).ExitCode, 2);

  // init does not overwrite a file unless told to.
  testing::WriteFileBytes(dir.File("mine.ini"), "keep me");
  CliResult refused = RunCli(dir, {"config", "init", dir.File("mine.ini")});
  EXPECT_EQ(refused.ExitCode, 1);
  EXPECT_NE(refused.Err.find("--force"), std::string::npos) << refused.Err;
  EXPECT_EQ(testing::ReadFileBytes(dir.File("mine.ini")), "keep me");
  EXPECT_EQ(RunCli(dir, {"config", "init", "--force", dir.File("mine.ini")}).ExitCode, 0);
  EXPECT_EQ(testing::ReadFileBytes(dir.File("mine.ini")), valid) << "the same defaults as the first file";

  EXPECT_EQ(RunCli(dir, {"config", "init", dir.File("no/such/folder/ordonna.ini")}).ExitCode, 1);
}

TEST(ConfigCommand, SetWritesAllPairsOrNoneAndGetPrintsThemAsShowDoes) {
  testing::TempDir dir;
  const std::string file = dir.File("ordonna.ini");
  CliResult created = RunCli(dir, {"config", "set", file, "MaxSizeMB=100", "TableBgColor=00FF80",
                                   "TextHeaderFile=/my files/head.txt", "CustomColors[3]=00112233"});
  ASSERT_EQ(created.ExitCode, 0) << created.Err;
  const std::string written = testing::ReadFileBytes(file);
  ASSERT_EQ(written.size(), 7101u) << "a missing file starts from the factory defaults";

  CliResult got = RunCli(dir, {"config", "get", file, "MaxSizeMB", "TableBgColor", "TextHeaderFile", "CustomColors[3]",
                               "MinSizeKB", "CustomColors"});
  ASSERT_EQ(got.ExitCode, 0) << got.Err;
  std::vector<std::string> lines = Lines(got.Out);
  ASSERT_EQ(lines.size(), 21u) << got.Out;
  EXPECT_EQ(lines[0], "MaxSizeMB 100");
  EXPECT_EQ(lines[1], "TableBgColor 00FF80");
  EXPECT_EQ(lines[2], "TextHeaderFile /my files/head.txt");
  EXPECT_EQ(lines[3], "CustomColors[3] 00112233");
  EXPECT_EQ(lines[4], "MinSizeKB 10");
  EXPECT_EQ(lines[5], "CustomColors[0] 00BEDED5");
  EXPECT_EQ(lines[8], "CustomColors[3] 00112233");

  // One bad pair among good ones: exit 1, the pair named, the file byte for byte as it was.
  struct Bad {
    std::vector<std::string> Pairs;
    std::string Named;
  };
  const Bad bad[] = {
      {{"MinSizeKB=20", "Nonsense=1"}, "Nonsense=1: unknown option"},
      {{"MaxSizeMB=2049", "MinSizeKB=20"}, "MaxSizeMB=2049: expected a number from 10 to 2048"},
      {{"MinSizeKB=20", "TextFooterFile=" + std::string(256, 'x')}, "text longer than 255 bytes"},
      {{"MinSizeKB=20", "CustomColors=00112233"}, "CustomColors=00112233: name one element"},
      {{"MinSizeKB"}, "MinSizeKB: not NAME=VALUE"},
  };
  for (const Bad& row : bad) {
    std::vector<std::string> arguments = {"config", "set", file};
    arguments.insert(arguments.end(), row.Pairs.begin(), row.Pairs.end());
    CliResult refused = RunCli(dir, arguments);
    EXPECT_EQ(refused.ExitCode, 1) << row.Named;
    EXPECT_NE(refused.Err.find(row.Named), std::string::npos) << refused.Err;
    EXPECT_EQ(testing::ReadFileBytes(file), written) << row.Named;
  }

  CliResult unknown = RunCli(dir, {"config", "get", file, "MaxSizeMB", "Nonsense"});
  EXPECT_EQ(unknown.ExitCode, 1);
  EXPECT_TRUE(unknown.Out.empty());
  EXPECT_NE(unknown.Err.find("Nonsense: unknown option"), std::string::npos) << unknown.Err;
  EXPECT_EQ(RunCli(dir, {"config", "get", dir.File("missing.ini"), "MaxSizeMB"}).ExitCode, 1);
  testing::WriteFileBytes(dir.File("short.ini"), written.substr(0, 7000));
  EXPECT_EQ(RunCli(dir, {"config", "set", dir.File("short.ini"), "MaxSizeMB=20"}).ExitCode, 1);
  EXPECT_EQ(testing::ReadFileBytes(dir.File("short.ini")).size(), 7000u) << "a damaged file is left alone";
}

}  // namespace
}  // namespace ordonna
