// Text export: the exact bytes of delimiter styles, columns, enumeration, the title row,
// header and footer files; and the cancel points of every writer.
#include "export/TextExport.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "export/ExportTestUtil.h"
#include "export/HtmlExport.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using namespace testing;

std::string Export(ExportFixture& fixture) {
  MemorySink sink;
  EXPECT_TRUE(ExportText(fixture.Job(), sink).ok());
  return sink.Bytes;
}

TEST(TextExport, EveryDelimiterStyleFramesEnumeratedPaddedFields) {
  const std::pair<std::uint8_t, const char*> lines[] = {{2, "[Artist - Title  ] [3:45] [128 kbps] [5250 K]"},
                                                        {5, "Artist - Title  \t3:45\t128 kbps\t5250 K"}};
  ExportFixture fixture;
  MainOptions& m = fixture.options.Main;
  m.InfoTime = m.InfoKbps = m.InfoSize = m.Enumerate = 1, m.PadFilenameTo = 16;
  for (int i = 0; i < 10; ++i) fixture.Add(FullEntry());
  for (const auto& [style, line] : lines) {
    m.Delimiter = style;
    const std::string text = Export(fixture), dot = style == 5 ? ".\t" : ". ";
    EXPECT_EQ(text.substr(0, text.find("\r\n")), " 1" + dot + line) << "delimiter " << int(style);
    EXPECT_TRUE(text.ends_with("\r\n10" + dot + line)) << "the last line has no line end";
  }
}

TEST(TextExport, EveryColumnInFixedOrderUndeterminedValuesByStyleAndTheTitleRow) {
  ExportFixture fixture;
  fixture.options = AllColumnsOptions();
  fixture.Add(FullEntry("Artist - Title", std::string("/mu\0sic/a", 9), std::string("DI\0SK1", 6)));
  fixture.Add(SparseEntry());
  EXPECT_EQ(Export(fixture),
            "Artist - Title, 3:45, 128 kbps, 5250 K, JS, 44.1 KHz, 05.04.2004., /music/a, 06.04.2004., DISK1\r\n"
            "Band -Song, ??:??, var.kbps, ? K, ?, ? KHz, ?, /music/b, ?, ")
      << "zero bytes leave folders and labels";

  MainOptions& m = fixture.options.Main;
  // A title row replaces the header file and switches to tabs, also in the options.
  m.Enumerate = m.HeaderRowTabs = m.HeaderFromFile = 1, m.Delimiter = m.DateStyle = 0;  // dates as the locale's
  m.TextHeaderFile.Set("/nonexistent/head.txt");
  fixture.list.Working().SetItemCount(1);
  EXPECT_EQ(Export(fixture),
            "No.\tFilename\tTime\tBitrate\tSize\tMode\tFrequency\tDate created\tPath\tDate added\tVolume label\r\n"
            "1.\tArtist - Title\t3:45\t128 kbps\t5250 K\tJS\t44.1 KHz\t05/04/2004\t/music/a\t06/04/2004\tDISK1");
  EXPECT_EQ(fixture.options.Main.Delimiter, 5);
  EXPECT_TRUE(fixture.caller.messages.empty());
}

TEST(TextExport, HeaderAndFooterFilesAddTheirLinesAndMissingOrOversizedOnesOnlyWarn) {
  TempDir dir;
  WriteFileBytes(dir.File("head.txt"), "line one\nline two\r\nline three\r\n");
  WriteFileBytes(dir.File("foot.txt"), "end one\rend two");
  const std::vector<std::string> warnings = {
      "Header file not found,\r\nzero length, or disk error.\r\n\n(will be ignored)",
      "Footer file not found,\r\nzero length, or disk error.\r\n\n(will be ignored)"};
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {dir.File("head.txt"), dir.File("foot.txt"),
       "line one\r\nline two\r\nline three\r\na\r\nb\r\nend one\r\nend two"},
      {dir.File("missing.txt"), dir.File("missing.txt"), "a\r\nb"}};
  for (const auto& [head, foot, text] : cases) {
    ExportFixture fixture;
    fixture.options.Main.HeaderFromFile = fixture.options.Main.FooterFromFile = 1;
    fixture.options.Main.TextHeaderFile.Set(head), fixture.options.Main.TextFooterFile.Set(foot);
    for (const char* name : {"a", "b"}) fixture.Add(FullEntry(name));
    EXPECT_EQ(Export(fixture), text) << head;
    EXPECT_EQ(MessageTexts(fixture.caller), text == "a\r\nb" ? warnings : std::vector<std::string>{}) << head;
  }
}

// Every writer lets the user cancel on the entries whose index modulo 64 is its own phase (write
// failures: the writer fault test and the export command).
TEST(Exports, CancelPoints) {
  using Writer = Status (*)(const ExportJob&, OutputSink&);
  const std::pair<Writer, std::uint32_t> writers[] = {
      {ExportText, 18},
      {ExportPlainHtml, 53},
      {[](const ExportJob& j, OutputSink& s) { return ExportHtmlTable(j, {}, s); }, 37}};
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
