// XLS export: the records byte for byte, cells column by column, the Windows-1252 cell text,
// and the 64K limit with an earlier file that survives the refusal. Failures to write are
// checked with the export command, transcoded sheets with the command-line reader.
#include "export/XlsExport.h"

#include <gtest/gtest.h>

#include <string>

#include "export/ExportTestUtil.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using namespace testing;

std::string U16(unsigned value) { return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)}; }

// A LABEL record built from its description: 04 02, length 8 + n, row, column, format 0, n, text.
std::string Label(unsigned row, unsigned column, const std::string& text) {
  return U16(0x0204) + U16(8 + text.size()) + U16(row) + U16(column) + U16(0) + U16(text.size()) + text;
}

const std::string kBof("\x09\x08\x08\x00\x00\x00\x10\x00\x00\x00\x00\x00", 12);
const std::string kEof("\x0A\x00\x00\x00", 4);

std::string Write(ExportFixture& fixture) {
  MemorySink sink;
  EXPECT_TRUE(WriteXlsFile(fixture.Job(), sink).ok());
  return sink.Bytes;
}

TEST(XlsExport, EverySelectedFieldInItsColumnWrittenColumnByColumn) {
  ExportFixture fixture;
  fixture.options = AllColumnsOptions();
  fixture.Add(FullEntry());
  fixture.list.Entry(0).BitrateCode = 1;
  fixture.Add(SparseEntry("Band -Song", std::string("\0", 1)));
  // Column by column, the full entry's cell above the sparse one's; bitrates padded to three.
  const char* cells[] = {
      "Artist - Title", "Band -Song", "3:45",        "??:??", " 32",      "var", "5250",        "-1", "JS",    "?",
      "44.1",           "?",          "05.04.2004.", "?",     "/music/a", "",    "06.04.2004.", "?",  "DISK1", ""};
  std::string expected = kBof;
  for (unsigned i = 0; i < 20; ++i) expected += Label(i % 2, i / 2, cells[i]);
  EXPECT_EQ(Write(fixture), expected + kEof) << "sizes are bare numbers, a lone zero byte is an empty cell";
}

TEST(XlsExport, CellTextIsWindows1252) {
  // The euro sign has a Windows-1252 byte; a byte from a Windows list already is one.
  EXPECT_EQ(XlsCellText("\xE2\x82\xAC 5") + XlsCellText("caf\xE9") + XlsCellText(std::string(300, 'x')),
            "\x80 5caf\xE9" + std::string(255, 'x'));
}

TEST(XlsExport, SixtyFiveThousandFiveHundredThirtyFiveEntriesAndNoMore) {
  TempDir dir;
  const std::string path = dir.File("list.xls");
  WriteFileBytes(path, "earlier export");
  ExportFixture fixture;
  for (int i = 0; i < 65535; ++i) fixture.Add(FullEntry("n"));
  ASSERT_TRUE(ExportXls(fixture.Job(), path).ok());
  std::string bytes = ReadFileBytes(path);
  EXPECT_EQ(bytes.size(), 12 + 65535 * (12 + 1) + 4u);
  EXPECT_EQ(bytes.substr(bytes.size() - 4 - 13), Label(65534, 0, "n") + kEof);

  WriteFileBytes(path, "earlier export");
  fixture.Add(FullEntry("n"));
  Status status = ExportXls(fixture.Job(), path);
  EXPECT_EQ(status.message(), "Lists larger than 64K titles can't be exported to XLS format.");
  EXPECT_EQ(ReadFileBytes(path), "earlier export");
}

}  // namespace
}  // namespace ordonna
