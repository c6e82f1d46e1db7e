// ordonna-cli export, run as a separate program; its files are read back by independent
// readers: xlrd for the sheets, Python's html.parser for the pages.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "config/ConfigFile.h"
#include "export/ExportTestUtil.h"
#include "listfile/ListFileCommands.h"
#include "support/CliRunner.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::CliResult;
using testing::FullEntry;
using testing::Lines;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

CliResult RunCli(const std::vector<std::string>& arguments) { return testing::RunProgram(ORDONNA_CLI_PATH, arguments); }

// What the checker script prints about `path`, one fact a line.
std::vector<std::string> ReadBack(const std::string& kind, const std::string& path) {
  CliResult result = testing::RunProgram(ORDONNA_PYTHON, {ORDONNA_EXPORT_CHECKER, kind, path});
  EXPECT_EQ(result.ExitCode, 0) << result.Err;
  return Lines(result.Out);
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

const std::string kRos = "Sigur R\xC3\xB3s - Hoppip\xC3\xB3lla";
const std::string kCyrillic =
    "\xD0\x9C\xD1\x83\xD0\xBC\xD0\xB8\xD0\xB9 \xD0\xA2\xD1\x80\xD0\xBE\xD0\xBB\xD0\xBB\xD1\x8C";
const std::string kKanji = "\xE5\x9D\x82\xE6\x9C\xAC\xE9\xBE\x8D\xE4\xB8\x80";
const std::string kScript = "<script>alert(1)</script>";
const std::string kAmpersand = "a & b \"c\"";

class ExportCli : public ::testing::Test {
 protected:
  ExportCli() { options = testing::AllColumnsOptions(); }

  // Writes the list (with `sortState`) and the options, returning the arguments that name them.
  std::vector<std::string> Files(const std::vector<ListEntry>& entries, std::uint8_t sortState = 63) {
    EntryList list;
    for (const ListEntry& entry : entries) list.AppendEntry(entry);
    EXPECT_TRUE(WriteListFile(dir.File("list.ordl"), list, sortState).ok());
    EXPECT_TRUE(WriteConfiguration(dir.File("options.ini"), options).ok());
    return {"--options", dir.File("options.ini"), dir.File("list.ordl")};
  }

  std::vector<ListEntry> Names() {
    return {FullEntry(kRos), FullEntry(kCyrillic, "/m/" + kKanji), FullEntry(kKanji),
            FullEntry(kScript, kAmpersand, "<b>"), FullEntry(kAmpersand)};
  }

  CliResult Export(std::vector<std::string> arguments, const std::string& out) {
    arguments.insert(arguments.begin(), "export");
    arguments.push_back(out);
    return RunCli(arguments);
  }

  TempDir dir;
  AppOptions options;
};

TEST_F(ExportCli, WritesTheTypeOfTheOptionsAndRefusesAMismatchingExtensionUnlessForcedOrTyped) {
  std::vector<std::string> files = Files({FullEntry()});
  CliResult result = Export(files, dir.File("out.txt"));
  ASSERT_EQ(result.ExitCode, 0) << result.Err;
  EXPECT_EQ(ReadFileBytes(dir.File("out.txt")),
            "Artist - Title, 3:45, 128 kbps, 5250 K, JS, 44.1 KHz, 05.04.2004., /music/a, 06.04.2004., DISK1");

  CliResult refused = Export(files, dir.File("out.html"));
  EXPECT_EQ(refused.ExitCode, 1);
  EXPECT_NE(refused.Err.find("You chose to save a text file under html filename."), std::string::npos) << refused.Err;
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.html")));

  files.insert(files.begin(), "--force");
  ASSERT_EQ(Export(files, dir.File("out.html")).ExitCode, 0);
  EXPECT_EQ(ReadFileBytes(dir.File("out.html")).substr(0, 14), "Artist - Title");

  files[0] = "--type=table";
  ASSERT_EQ(Export(files, dir.File("table.txt")).ExitCode, 0) << "a given type asks no question";
  EXPECT_EQ(ReadFileBytes(dir.File("table.txt")).substr(0, 6), "<HTmL>");
}

TEST_F(ExportCli, SheetCellsComeBackThroughASpreadsheetReader) {
  std::vector<std::string> arguments = Files(Names());
  arguments.insert(arguments.begin(), {"--type", "xls"});
  ASSERT_EQ(Export(arguments, dir.File("out.xls")).ExitCode, 0);
  std::vector<std::string> cells = ReadBack("xls", dir.File("out.xls"));
  const std::vector<std::string> names = {"Sigur R\xC3\xB3s - Hoppip\xC3\xB3lla", "????? ??????", "????", kScript,
                                          kAmpersand};
  const std::vector<std::string> fields = {"3:45", "128", "5250", "JS", "44.1", "05.04.2004.", "", "06.04.2004.", ""};
  std::vector<std::string> expected;
  for (std::size_t row = 0; row < names.size(); ++row) {
    for (std::size_t column = 0; column <= fields.size(); ++column) {
      std::string text = column == 0 ? names[row] : fields[column - 1];
      if (column == 7) text = row == 1 ? "/m/????" : row == 3 ? kAmpersand : "/music/a";
      if (column == 9) text = row == 3 ? "<b>" : "DISK1";
      expected.push_back(std::to_string(row) + "\t" + std::to_string(column) + "\t" + text);
    }
  }
  EXPECT_EQ(cells, expected);
}

TEST_F(ExportCli, PagesParseCleanlyAndShowTheNames) {
  MainOptions& m = options.Main;
  m.InfoKbps = m.InfoSize = m.InfoStereo = m.InfoFrequency = m.InfoDateCreated = m.InfoDateAdded = 0;
  m.CaptionMode = 3;
  std::vector<std::string> arguments = Files(Names());

  arguments.insert(arguments.begin(), {"--type", "html"});
  ASSERT_EQ(Export(arguments, dir.File("plain.html")).ExitCode, 0);
  std::vector<std::string> plain = ReadBack("html", dir.File("plain.html"));
  ASSERT_FALSE(plain.empty());
  EXPECT_EQ(plain[0], "starttags body br head html nobr ordonnatag title") << "no tag comes from a name";
  for (const std::string& line : {kRos + ", 3:45, /music/a, DISK1", kScript + ", 3:45, " + kAmpersand + ", <b>",
                                  kCyrillic + ", 3:45, /m/" + kKanji + ", DISK1"}) {
    EXPECT_TRUE(Contains(plain, "data " + line)) << line;
  }

  arguments[1] = "table";
  arguments.insert(arguments.begin() + 2, {"--caption", " My <list> "});
  ASSERT_EQ(Export(arguments, dir.File("table.html")).ExitCode, 0);
  std::vector<std::string> table = ReadBack("html", dir.File("table.html"));
  ASSERT_GE(table.size(), 4u);
  // one row per entry, the caption and the title row
  EXPECT_EQ(std::vector(table.begin(), table.begin() + 4),
            (std::vector<std::string>{"starttags b body center em head html nobr ordonnatag style table td title tr",
                                      "tr 7", "caption 1", "title 1"}));
  for (const std::string& text :
       {kRos, kCyrillic, kKanji, kScript, kAmpersand, "/m/" + kKanji, std::string("<b>"), std::string("My <list>")}) {
    EXPECT_TRUE(Contains(table, "data " + text)) << text;
  }
}

TEST_F(ExportCli, GroupedCaptionsFollowTheListOrder) {
  options.Main.CaptionMode = 1;
  std::vector<std::string> arguments =
      Files({FullEntry("a1", "/m/a"), FullEntry("a2", "/m/a"), FullEntry("b1", "/m/b")}, 7);
  arguments.insert(arguments.begin(), {"--type", "table", "--caption", "unused"});
  CliResult grouped = Export(arguments, dir.File("grouped.html"));
  ASSERT_EQ(grouped.ExitCode, 0);
  EXPECT_NE(grouped.Err.find("--caption is not used"), std::string::npos) << grouped.Err;
  std::vector<std::string> groups = ReadBack("html", dir.File("grouped.html"));
  // three entries, two captions, two title rows
  for (const char* line : {"tr 7", "caption 2", "title 2", "data /m/b"}) EXPECT_TRUE(Contains(groups, line)) << line;
}

TEST_F(ExportCli, FailuresExitWithTheirMessageAndKeepTheEarlierFile) {
  std::vector<std::string> arguments = Files({FullEntry()});
  WriteFileBytes(dir.File("out.xls"), "earlier export");
  CliResult diskError = Export(arguments, dir.File("out.xls/inside.txt"));
  EXPECT_EQ(diskError.ExitCode, 1);
  EXPECT_NE(diskError.Err.find("Disk error!"), std::string::npos) << diskError.Err;
  EXPECT_EQ(ReadFileBytes(dir.File("out.xls")), "earlier export");

  EXPECT_EQ(RunCli({"export", dir.File("missing.ordl"), dir.File("out.txt")}).ExitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.txt")));
}

}  // namespace
}  // namespace ordonna
