// Text export: the exact bytes of the columns, the title row, and header and footer files.
#include "export/TextExport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/ExportTestUtil.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using namespace testing;

std::string Export(ExportFixture& fixture) {
  MemorySink sink;
  EXPECT_TRUE(ExportText(fixture.Job(), sink).ok());
  return sink.Bytes;
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
  // A title row replaces the header file and switches to tabs.
  m.Enumerate = m.HeaderRowTabs = m.HeaderFromFile = 1, m.Delimiter = m.DateStyle = 0;  // dates as the locale's
  m.TextHeaderFile.Set("/nonexistent/head.txt");
  fixture.list.Working().SetItemCount(1);
  EXPECT_EQ(Export(fixture),
            "No.\tFilename\tTime\tBitrate\tSize\tMode\tFrequency\tDate created\tPath\tDate added\tVolume label\r\n"
            "1.\tArtist - Title\t3:45\t128 kbps\t5250 K\tJS\t44.1 KHz\t05/04/2004\t/music/a\t06/04/2004\tDISK1");
  EXPECT_TRUE(fixture.caller.messages.empty());
}

TEST(TextExport, HeaderAndFooterFilesAddTheirLinesAndMissingOnesOnlyWarn) {
  TempDir dir;
  WriteFileBytes(dir.File("head.txt"), "line one\nline two\r\nline three\r\n");
  WriteFileBytes(dir.File("foot.txt"), "end one\rend two");
  ExportFixture fixture;
  MainOptions& m = fixture.options.Main;
  m.HeaderFromFile = m.FooterFromFile = 1;
  m.TextHeaderFile.Set(dir.File("head.txt")), m.TextFooterFile.Set(dir.File("foot.txt"));
  for (const char* name : {"a", "b"}) fixture.Add(FullEntry(name));
  EXPECT_EQ(Export(fixture), "line one\r\nline two\r\nline three\r\na\r\nb\r\nend one\r\nend two");
  m.TextFooterFile.Set(dir.File("missing.txt"));
  EXPECT_EQ(Export(fixture), "line one\r\nline two\r\nline three\r\na\r\nb");
  EXPECT_EQ(MessageTexts(fixture.caller),
            std::vector<std::string>{"Footer file not found,\r\nzero length, or disk error.\r\n\n(will be ignored)"});
}

}  // namespace
}  // namespace ordonna
