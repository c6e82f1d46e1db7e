// ordonna-cli export, run as a separate program: the type from the options or the command
// line; its sheets are read back by an independent reader (xlrd). As the
// writing command tried against what may lie at its output name: links, devices, folders, its
// own input.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/CliTestUtil.h"
#include "config/ConfigFile.h"
#include "export/ExportTestUtil.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using namespace testing;

class ExportCli : public ::testing::Test {
 protected:
  // Writes the list and the options; returns the export's arguments, the output `out` (in the
  // test's folder unless absolute) last.
  std::vector<std::string> Arguments(std::vector<std::string> given, const std::vector<ListEntry>& entries,
                                     const std::string& out) {
    EntryList list;
    for (const ListEntry& entry : entries) list.AppendEntry(entry);
    EXPECT_TRUE(WriteListFile(dir.File("list.ordl"), list, 63).ok());
    EXPECT_TRUE(WriteConfiguration(dir.File("options.ini"), options).ok());
    given.insert(given.begin(), "export");
    given.insert(given.end(), {"--options", dir.File("options.ini"), dir.File("list.ordl"),
                               out.front() == '/' ? out : dir.File(out)});
    return given;
  }

  TempDir dir;
  AppOptions options = AllColumnsOptions();
};

TEST_F(ExportCli, WritesTheTypeOfTheOptionsUnlessTheExtensionDisagrees) {
  Expect({Arguments({}, {FullEntry()}, "out.txt"), 0, ""});
  EXPECT_EQ(ReadFileBytes(dir.File("out.txt")),
            "Artist - Title, 3:45, 128 kbps, 5250 K, JS, 44.1 KHz, 05.04.2004., /music/a, 06.04.2004., DISK1");
  Expect({Arguments({}, {FullEntry()}, "out.html"), 1, "You chose to save a text file under html filename."});
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.html")));
  Expect({Arguments({"--force"}, {FullEntry()}, "out.html"), 0, ""});
  EXPECT_EQ(ReadFileBytes(dir.File("out.html")).substr(0, 14), "Artist - Title");
  Expect({Arguments({"--type=table"}, {FullEntry()}, "table.txt"), 0, ""});
  EXPECT_EQ(ReadFileBytes(dir.File("table.txt")).substr(0, 6), "<HTmL>") << "a given type asks no question";
}

TEST_F(ExportCli, SheetCellsComeBackThroughASpreadsheetReader) {
  const std::string ros = "Sigur R\xC3\xB3s - Hoppip\xC3\xB3lla", cyrillic = "\xD0\x9C\xD1\x83\xD0\xBC";
  Expect(
      {Arguments({"--type", "xls"}, {FullEntry(ros), FullEntry(cyrillic, "/m/<b> & c", "\"L\"")}, "out.xls"), 0, ""});
  // Every cell as "row<TAB>column<TAB>text", as xlrd (Debian's python3-xlrd) reads it.
  CliResult cells = RunProgram(ORDONNA_PYTHON, {"-c", R"(import sys, xlrd
s = xlrd.open_workbook(sys.argv[1], encoding_override="cp1252").sheet_by_index(0)
for r in range(s.nrows):
    for c in range(s.ncols):
        if s.cell(r, c).ctype != xlrd.XL_CELL_EMPTY: print("%d\t%d\t%s" % (r, c, s.cell(r, c).value)))",
                                                dir.File("out.xls")});
  EXPECT_EQ(cells.ExitCode, 0) << cells.Err;
  const std::vector<std::string> rows[] = {{ros, "/music/a", "DISK1"}, {"???", "/m/<b> & c", "\"L\""}};
  std::vector<std::string> expected;
  for (std::size_t row = 0; row < 2; ++row) {
    const std::string fields[] = {rows[row][0], "3:45",        "128",        "5250",        "JS",
                                  "44.1",       "05.04.2004.", rows[row][1], "06.04.2004.", rows[row][2]};
    for (std::size_t column = 0; column < 10; ++column)
      expected.push_back(std::to_string(row) + "\t" + std::to_string(column) + "\t" + fields[column]);
  }
  EXPECT_EQ(Lines(cells.Out), expected);
}

TEST_F(ExportCli, FollowsLinksWritesThroughDevicesAndRefusesFoldersAndItsOwnInput) {
  std::filesystem::create_directory(dir.File("lists"));
  WriteFileBytes(dir.File("lists/real.txt"), "old");
  std::filesystem::create_symlink("lists/real.txt", dir.File("link.txt"));
  std::filesystem::create_symlink("list.ordl", dir.File("list-link.txt"));
  std::filesystem::create_directory(dir.File("folder.txt"));
  const std::string device = NullDeviceIn(dir);
  auto write = [&](const std::string& out, int status) {
    CliResult result = RunCli(Arguments({"--type", "text"}, {FullEntry()}, out));
    EXPECT_EQ(result.ExitCode, status) << out << "\n" << result.Err;
    return result;
  };

  write("link.txt", 0);
  EXPECT_EQ(ReadFileBytes(dir.File("lists/real.txt")).substr(0, 14), "Artist - Title") << "the link's target";
  write(device, 0);
  EXPECT_TRUE(std::filesystem::is_character_file(device)) << "the device stays";
  EXPECT_EQ(write("/dev/stdout", 0).Out.substr(0, 15), "Artist - Title,") << "standard output's pipe gets it";
  write("folder.txt", 1);
  EXPECT_TRUE(std::filesystem::is_empty(dir.File("folder.txt")));

  const std::string list = ReadFileBytes(dir.File("list.ordl"));
  EXPECT_TRUE(Contains(write("list-link.txt", 1).Err, "is also an input of this command; nothing written"));
  EXPECT_EQ(ReadFileBytes(dir.File("list.ordl")), list);
  EXPECT_EQ(RunCli({"dupes", "--log", dir.File("log.ORDL"), dir.File("list.ordl")}).ExitCode, 1) << "a log-named list";
  EXPECT_FALSE(std::filesystem::exists(dir.File("log.ORDL")));
}

}  // namespace
}  // namespace ordonna
