// Every export the import can read, over generated combinations of columns and styles: the
// entries read back hold the same values in every exported field.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "export/ExportCommand.h"
#include "export/ExportTestUtil.h"
#include "export/Formatters.h"
#include "export/HtmlExport.h"
#include "export/TextExport.h"
#include "import/ImportList.h"
#include "support/ScriptedCaller.h"
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
    e.SizeKB = value(0, 20000, -1);
    e.FrequencyCode = static_cast<std::uint8_t>(value(0, 3, 255));
    e.Frames = value(0, 40000, -1);
    e.StereoMode = static_cast<std::uint8_t>(value(0, 4, 4));
    e.FileDate = value(36000, 5000, -1), e.DateAdded = value(36000, 5000, -1);
    entries.push_back(e);
  }
  return entries;
}

// The exported fields of two entries read the same in one fixed style.
void ExpectSameFields(const ListEntry& want, const ListEntry& got, const MainOptions& o, const std::string& where) {
  FieldStyle canon;
  canon.DateStyle = 1;
  canon.SizeStyle = 0;
  using Field = std::function<std::string(const ListEntry&)>;
  const std::pair<bool, Field> fields[] = {
      {true, [](const ListEntry& e) { return std::string(e.FileName.View()); }},
      {o.InfoTime != 0, [&](const ListEntry& e) { return FormatPlayTime(e.Frames, e.FrequencyCode, canon); }},
      {o.InfoKbps != 0, [&](const ListEntry& e) { return FormatKbpsUnit(e.BitrateCode, canon); }},
      {o.InfoSize != 0, [&](const ListEntry& e) { return FormatSize(e.SizeKB, canon); }},
      {o.InfoStereo != 0, [&](const ListEntry& e) { return FormatStereo(e.StereoMode, canon); }},
      {o.InfoFrequency != 0, [](const ListEntry& e) { return FormatFreqUnit(e.FrequencyCode); }},
      {o.InfoDateCreated != 0, [&](const ListEntry& e) { return FormatDate(e.FileDate, canon); }},
      {o.InfoPath != 0, [](const ListEntry& e) { return std::string(e.Folder.View()); }},
      {o.InfoDateAdded != 0, [&](const ListEntry& e) { return FormatDate(e.DateAdded, canon); }},
      {o.InfoVolumeLabel != 0, [](const ListEntry& e) { return std::string(e.VolumeLabel.View()); }},
  };
  for (const auto& [exported, text] : fields) {
    if (exported) {
      EXPECT_EQ(text(got), text(want)) << where;
    }
  }
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
      if (!(m.InfoTime | m.InfoKbps | m.InfoSize | m.InfoStereo | m.InfoFrequency | m.InfoDateCreated | m.InfoPath |
            m.InfoDateAdded | m.InfoVolumeLabel)) {
        m.InfoTime = 1;
      }
      // Without a path, a single date cannot be placed and an error-free column of labels is
      // needed to tell the label from the name.
      m.HeaderRowTabs = random() % 4 == 0;
      // A title row replaces the header file.
      m.HeaderFromFile = m.HeaderRowTabs ? 0 : bit();
      m.FooterFromFile = bit();
      m.TextHeaderFile.Set(dir.File("head.txt")), m.TextFooterFile.Set(dir.File("foot.txt"));
      fx.options.Dialog.ImportStripHeaderFooter = 1;
    }
    std::vector<ListEntry> entries = Entries(random);
    for (const ListEntry& e : entries) fx.Add(e);
    TableCaption tableCaption;
    if (type == ExportType::HtmlTable) {
      const auto caption = random() % 3;
      if (caption == 1) {
        fx.list.SortState = 7;
        tableCaption.Kind = CaptionKind::Grouped;
      } else if (caption == 2) {
        tableCaption = {CaptionKind::Typed, "My \"best\" songs"};
      }
    }
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
    caller.Expect(
        "One date found, unable to determine if\r\nit's \"created\" or \"added to the list\".\r\n\n"
        "Is it \"CREATED\"? (press No for \"ADDED\")",
        m.InfoDateCreated ? Answer::Yes : Answer::No);
    ImportEnvironment environment{dir.Path(), "%d/%m/%Y", 40000, {}};
    fx.options.Dialog.ImportDateAddedFallback = 1;
    EntryList into;
    ParsedList parsed;
    Status status = ReadExportedList(sink.Bytes, fx.options, environment, 0, into, parsed, caller);
    ASSERT_TRUE(status.ok()) << where << "\n" << status.message() << "\n" << sink.Bytes.substr(0, 600);
    ASSERT_EQ(into.ItemCount(), entries.size()) << where;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      ExpectSameFields(entries[i], into.Entry(static_cast<std::uint32_t>(i)), m, where + " entry " + std::to_string(i));
    }
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
