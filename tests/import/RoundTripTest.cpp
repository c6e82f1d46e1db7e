// Every export the import can read, over generated combinations of columns and styles: the
// entries read back hold the same values in every exported field.
#include <gtest/gtest.h>

#include <random>

#include "export/ExportCommand.h"
#include "export/ExportTestUtil.h"
#include "export/Formatters.h"
#include "export/TextExport.h"
#include "import/ImportList.h"
#include "support/TempDir.h"

namespace ordonna::testing {
namespace {

// Twelve entries sorted by folder: the first four have every value, later ones leave some
// undetermined; every name holds " - " so that a table split into artist and title joins
// back to the same name, and most start with an opening character of a delimiter style.
std::vector<ListEntry> Entries(std::mt19937& random) {
  std::vector<ListEntry> entries;
  for (int i = 0; i < 12; ++i) {
    ListEntry e = UndeterminedEntry();
    const char* openings[] = {"", "(Intro) ", "[Demo] ", "{Live} ", "[[Two] "};
    e.FileName.Set(openings[i % 5] + ("Artist " + std::to_string(i)) + " & co - Song \"" +
                   std::to_string(random() % 1000) + "\"");
    e.Folder.Set(i < 6 ? "/music/a b" : "/music/c<d>");
    e.VolumeLabel.Set(i % 2 ? "DISK1" : "Music 2");
    const bool full = i < 4 || random() % 3 != 0;
    auto value = [&](std::uint32_t base, std::uint32_t range, int otherwise) {
      return full ? static_cast<int>(base + random() % range) : otherwise;
    };
    e.BitrateCode = static_cast<std::uint8_t>(value(1, 14, i % 2 ? kBitrateVariable : 255));
    e.SizeKB = value(0, 20000, -1), e.FrequencyCode = static_cast<std::uint8_t>(value(0, 3, 255));
    e.Frames = value(0, 40000, -1), e.StereoMode = static_cast<std::uint8_t>(value(0, 4, 4));
    e.FileDate = value(36000, 5000, -1), e.DateAdded = value(36000, 5000, -1);
    entries.push_back(e);
  }
  return entries;
}

// The exported fields of an entry, in one fixed style.
std::string Exported(const ListEntry& e, const MainOptions& o) {
  FieldStyle canon;
  canon.DateStyle = 1, canon.SizeStyle = 0;
  std::string text(e.FileName.View());
  auto add = [&text](std::uint8_t exported, const std::string& field) {
    if (exported != 0) text += "|" + field;
  };
  add(o.InfoTime, FormatPlayTime(e.Frames, e.FrequencyCode, canon));
  add(o.InfoKbps, FormatKbpsUnit(e.BitrateCode, canon));
  add(o.InfoSize, FormatSize(e.SizeKB, canon));
  add(o.InfoStereo, FormatStereo(e.StereoMode, canon));
  add(o.InfoFrequency, FormatFreqUnit(e.FrequencyCode));
  add(o.InfoDateCreated, FormatDate(e.FileDate, canon));
  add(o.InfoPath, std::string(e.Folder.View()));
  add(o.InfoDateAdded, FormatDate(e.DateAdded, canon));
  add(o.InfoVolumeLabel, std::string(e.VolumeLabel.View()));
  return text;
}

TEST(ImportRoundTrip, EveryExportReadsBackTheExportedFields) {
  TempDir dir;
  WriteFileBytes(dir.File("head.txt"), "My list\nof songs\n");
  WriteFileBytes(dir.File("foot.txt"), "the end\r\n");
  std::mt19937 random(20240611);
  int checked = 0;
  for (int round = 0; round < 600; ++round) {
    const ExportType type = static_cast<ExportType>(round % 3);
    ExportFixture fx;
    MainOptions& m = fx.options.Main;
    auto bit = [&] { return static_cast<std::uint8_t>(random() % 2); };
    m.Enumerate = bit();
    m.InfoTime = bit(), m.InfoKbps = bit(), m.InfoSize = bit(), m.InfoStereo = bit(), m.InfoFrequency = bit();
    m.InfoDateCreated = bit(), m.InfoPath = bit(), m.InfoDateAdded = bit(), m.InfoVolumeLabel = bit();
    auto below = [&](std::uint32_t n) { return static_cast<std::uint8_t>(random() % n); };
    m.SplitArtistTitle = bit(), m.CenterArtistTitle = bit();
    m.DateStyle = 1 + below(3), m.SizeStyle = below(5), m.StereoStyle = bit(), m.ErrorInfoStyle = below(3);
    m.VbrStyle = below(4), m.PadFilenameTo = random() % 2 ? 0 : 60, m.Delimiter = below(6);
    if (type == ExportType::Text) {
      // A text list needs a delimiter it can find and a column besides the name.
      if (m.Delimiter == 4) m.Delimiter = 5;
      m.InfoTime |= !(m.InfoKbps | m.InfoSize | m.InfoStereo | m.InfoFrequency | m.InfoDateCreated | m.InfoPath |
                      m.InfoDateAdded | m.InfoVolumeLabel);
      m.HeaderRowTabs = random() % 4 == 0;
      m.HeaderFromFile = m.HeaderRowTabs ? 0 : bit();
      m.FooterFromFile = bit();
      m.TextHeaderFile.Set(dir.File("head.txt")), m.TextFooterFile.Set(dir.File("foot.txt"));
      fx.options.Dialog.ImportStripHeaderFooter = 1;
    }
    std::vector<ListEntry> entries = Entries(random);
    for (const ListEntry& e : entries) fx.Add(e);
    TableCaption tableCaption;  // none, grouped by folder or typed
    const auto caption = type == ExportType::HtmlTable ? random() % 3 : 0;
    if (caption == 1) fx.list.SortState = 7, tableCaption.Kind = CaptionKind::Grouped;
    if (caption == 2) tableCaption = {CaptionKind::Typed, "My \"best\" songs"};
    MemorySink sink;
    ExportJob job = fx.Job();
    Status exported = type == ExportType::Text        ? ExportText(job, sink)
                      : type == ExportType::PlainHtml ? ExportPlainHtml(job, sink)
                                                      : ExportHtmlTable(job, tableCaption, sink);
    ASSERT_TRUE(exported.ok());
    const std::string where = "round " + std::to_string(round);  // the generator is seeded: rounds repeat
    // A byte-order mark or NUL bytes before a list are no part of its first name.
    const std::string leads[] = {"", "\xEF\xBB\xBF", std::string(3, '\0'), std::string("\0\xEF\xBB\xBF\0", 5)};
    sink.Bytes.insert(0, leads[round / 3 % 4]);
    if (sink.Bytes.size() < 512) continue;

    // A single-date text list asks which date it holds; any other question or message fails.
    ScriptedCaller caller;
    caller.Expect("", m.InfoDateCreated ? Answer::Yes : Answer::No);
    ImportEnvironment environment{dir.Path(), "%d/%m/%Y", 40000, {}};
    fx.options.Dialog.ImportDateAddedFallback = 1;
    EntryList into;
    ParsedList parsed;
    Status status = ReadExportedList(sink.Bytes, fx.options, environment, 0, into, parsed, caller);
    ASSERT_TRUE(status.ok()) << where << "\n" << status.message() << "\n" << sink.Bytes.substr(0, 600);
    ASSERT_EQ(into.ItemCount(), entries.size()) << where;
    for (std::uint32_t i = 0; i < entries.size(); ++i)
      EXPECT_EQ(Exported(into.Entry(i), m), Exported(entries[i], m)) << where;
    const std::array<bool, 10> included = {
        m.Enumerate != 0,     m.InfoTime != 0,        m.InfoKbps != 0, m.InfoSize != 0,      m.InfoStereo != 0,
        m.InfoFrequency != 0, m.InfoDateCreated != 0, m.InfoPath != 0, m.InfoDateAdded != 0, m.InfoVolumeLabel != 0};
    EXPECT_EQ(parsed.Included, included) << where;
    EXPECT_TRUE(caller.messages.empty()) << where;
    ++checked;
  }
  EXPECT_GT(checked, 500);
}

}  // namespace
}  // namespace ordonna::testing
