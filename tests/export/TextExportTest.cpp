// Text export: the exact bytes of every delimiter style, column, enumeration, title row,
// header and footer file; and the cancel points of every writer.
#include "export/TextExport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "export/ExportTestUtil.h"
#include "export/HtmlExport.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::AllColumnsOptions;
using testing::ExportFixture;
using testing::FullEntry;
using testing::SparseEntry;
using testing::TempDir;
using testing::WriteFileBytes;

std::string Export(ExportFixture& fixture) {
  MemorySink sink;
  EXPECT_TRUE(ExportText(fixture.Job(), sink).ok());
  return sink.Bytes;
}

TEST(TextExport, EveryDelimiterStyleFramesTheFields) {
  const char* lines[] = {
      "Artist - Title, 3:45, 128 kbps, 5250 K",      "(Artist - Title) (3:45) (128 kbps) (5250 K)",
      "[Artist - Title] [3:45] [128 kbps] [5250 K]", "{Artist - Title} {3:45} {128 kbps} {5250 K}",
      "Artist - Title 3:45 128 kbps 5250 K",         "Artist - Title\t3:45\t128 kbps\t5250 K",
  };
  ExportFixture fixture;
  fixture.options.Main.InfoTime = fixture.options.Main.InfoKbps = fixture.options.Main.InfoSize = 1;
  fixture.Add(FullEntry());
  fixture.Add(FullEntry());
  for (std::uint8_t style = 0; style < 6; ++style) {
    fixture.options.Main.Delimiter = style;
    EXPECT_EQ(Export(fixture), std::string(lines[style]) + "\r\n" + lines[style]) << "delimiter " << int(style);
  }
}

TEST(TextExport, EveryColumnInFixedOrderAndUndeterminedValuesByStyle) {
  ExportFixture fixture;
  fixture.options = AllColumnsOptions();
  fixture.Add(FullEntry());
  fixture.Add(SparseEntry());
  EXPECT_EQ(Export(fixture),
            "Artist - Title, 3:45, 128 kbps, 5250 K, JS, 44.1 KHz, 05.04.2004., /music/a, 06.04.2004., DISK1\r\n"
            "Band -Song, ??:??, var.kbps, ? K, ?, ? KHz, ?, /music/b, ?, ");

  MainOptions& m = fixture.options.Main;
  m.ErrorInfoStyle = 2, m.StereoStyle = 1, m.VbrStyle = 3, m.SizeStyle = 4, m.DateStyle = 3;
  EXPECT_EQ(Export(fixture),
            "Artist - Title, 3:45, 128 kbps, 5250Kb, joint stereo, 44.1 KHz, 2004.04.05., /music/a, 2004.04.06., "
            "DISK1\r\nBand -Song, --:--, VBR, -Kb, -, ? KHz, -, /music/b, -, ");

  m.DateStyle = m.ErrorInfoStyle = 0;
  EXPECT_EQ(Export(fixture),
            "Artist - Title, 3:45, 128 kbps, 5250Kb, joint stereo, 44.1 KHz, 05/04/2004, /music/a, 06/04/2004, "
            "DISK1\r\nBand -Song, , VBR, , , ? KHz, , /music/b, , ")
      << "date style 0 follows the locale's format";
}

TEST(TextExport, ZeroBytesLeaveFoldersAndLabels) {
  ExportFixture fixture;
  fixture.options.Main.InfoPath = fixture.options.Main.InfoVolumeLabel = 1;
  fixture.Add(FullEntry("Artist - Title", std::string("/mu\0sic", 7), std::string("\0", 1)));
  EXPECT_EQ(Export(fixture), "Artist - Title, /music, ");
}

TEST(TextExport, EnumerationAlignsToTheDigitsOfTheCount) {
  ExportFixture fixture;
  fixture.options.Main.Enumerate = 1;
  for (int i = 0; i < 1000; ++i) fixture.Add(FullEntry("n" + std::to_string(i + 1)));
  std::string text = Export(fixture);
  EXPECT_EQ(text.substr(0, 30), "   1. n1\r\n   2. n2\r\n   3. n3\r\n");
  EXPECT_EQ(text.substr(text.find("\r\n  10. "), 13), "\r\n  10. n10\r\n");
  EXPECT_EQ(text.substr(text.size() - 13), "\r\n1000. n1000") << "the last line has no line end";

  fixture.options.Main.Delimiter = 5;
  EXPECT_EQ(Export(fixture).substr(0, 10), "   1.\tn1\r\n") << "tab style puts a tab after the dot";
}

TEST(TextExport, PaddingFillsNamesToTheirVisibleWidth) {
  ExportFixture fixture;
  fixture.options.Main.PadFilenameTo = 10, fixture.options.Main.InfoTime = 1;
  for (const char* name : {"AB", "Sigur R\xC3\xB3s", "Longer than ten"}) fixture.Add(FullEntry(name));
  EXPECT_EQ(Export(fixture),
            "AB        , 3:45\r\n"
            "Sigur R\xC3\xB3s , 3:45\r\n"
            "Longer than ten, 3:45")
      << "widths count characters, not UTF-8 bytes";
}

TEST(TextExport, HeaderRowUsesTabsAndKeepsTheTabDelimiter) {
  TempDir dir;
  WriteFileBytes(dir.File("head.txt"), "never written\r\n");
  ExportFixture fixture;
  fixture.options = AllColumnsOptions();
  MainOptions& m = fixture.options.Main;
  m.Enumerate = m.HeaderRowTabs = m.HeaderFromFile = 1, m.Delimiter = 0;
  m.TextHeaderFile.Set(dir.File("head.txt"));
  fixture.Add(FullEntry());
  EXPECT_EQ(Export(fixture),
            "No.\tFilename\tTime\tBitrate\tSize\tMode\tFrequency\tDate created\tPath\tDate added\tVolume label\r\n"
            "1.\tArtist - Title\t3:45\t128 kbps\t5250 K\tJS\t44.1 KHz\t05.04.2004.\t/music/a\t06.04.2004.\tDISK1");
  EXPECT_EQ(fixture.options.Main.Delimiter, 5) << "the switch to tabs stays in the options";
  EXPECT_TRUE(fixture.caller.messages.empty());
}

TEST(TextExport, HeaderAndFooterFilesAddTheirLines) {
  TempDir dir;
  WriteFileBytes(dir.File("head.txt"), "line one\nline two\r\nline three\r\n");
  WriteFileBytes(dir.File("foot.txt"), "end one\rend two");
  ExportFixture fixture;
  fixture.options.Main.HeaderFromFile = fixture.options.Main.FooterFromFile = 1;
  fixture.options.Main.TextHeaderFile.Set(dir.File("head.txt"));
  fixture.options.Main.TextFooterFile.Set(dir.File("foot.txt"));
  for (const char* name : {"a", "b"}) fixture.Add(FullEntry(name));
  EXPECT_EQ(Export(fixture), "line one\r\nline two\r\nline three\r\na\r\nb\r\nend one\r\nend two");
  EXPECT_TRUE(fixture.caller.messages.empty());
}

TEST(TextExport, MissingEmptyOrUnusableMessageFilesOnlyWarn) {
  TempDir dir;
  WriteFileBytes(dir.File("empty.txt"), "");
  WriteFileBytes(dir.File("huge.txt"), std::string(kMessageFileLimit + 1, 'x'));
  for (const std::string& name : {dir.File("missing.txt"), dir.File("empty.txt"), dir.Path(), dir.File("huge.txt")}) {
    ExportFixture fixture;
    fixture.options.Main.HeaderFromFile = fixture.options.Main.FooterFromFile = 1;
    fixture.options.Main.TextHeaderFile.Set(name);
    fixture.options.Main.TextFooterFile.Set(name);
    fixture.Add(FullEntry("only"));
    EXPECT_EQ(Export(fixture), "only") << name;
    EXPECT_EQ(
        testing::MessageTexts(fixture.caller),
        (std::vector<std::string>{"Header file not found,\r\nzero length, or disk error.\r\n\n(will be ignored)",
                                  "Footer file not found,\r\nzero length, or disk error.\r\n\n(will be ignored)"}))
        << name;
  }
}

// Every writer lets the user cancel on the entries whose index modulo 64 is its own phase (write
// failures: the writer fault test and the export command).
TEST(Exports, CancelPoints) {
  using Writer = std::function<Status(const ExportJob&, OutputSink&)>;
  const std::pair<Writer, std::uint32_t> writers[] = {
      {ExportText, 18},
      {ExportPlainHtml, 53},
      {[](const ExportJob& job, OutputSink& sink) { return ExportHtmlTable(job, {}, sink); }, 37}};
  for (const auto& [write, phase] : writers) {
    SCOPED_TRACE("phase " + std::to_string(phase));
    for (std::uint32_t count : {phase, phase + 1, phase + 129}) {
      ExportFixture fixture;
      for (std::uint32_t i = 0; i < count; ++i) fixture.Add(FullEntry("x"));
      if (count == phase + 1) fixture.caller.CancelAfter(0);
      MemorySink sink;
      EXPECT_EQ(write(fixture.Job(), sink).code(), count == phase + 1 ? Status::Code::Cancelled : Status::Code::Ok);
      EXPECT_EQ(fixture.caller.eventsProcessed, count == phase ? 0 : count == phase + 1 ? 1 : 3) << count;
      EXPECT_EQ(fixture.caller.statuses, (std::vector<std::string>{"Exporting...", "Ready."}));
    }
  }
}

}  // namespace
}  // namespace ordonna
