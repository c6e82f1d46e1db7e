// The Import command over files: every refusal and unsuccessful end leaving the list untouched,
// the failure dialog with its fallback, the million-entry stop and labels of fixed disks.
#include <gtest/gtest.h>

#include <tuple>

#include "export/ExportTestUtil.h"
#include "export/HtmlExport.h"
#include "import/ImportList.h"
#include "support/TempDir.h"

namespace ordonna::testing {
namespace {

struct FixedChoice final : ImportHost {
  explicit FixedChoice(std::string chosen) : path(std::move(chosen)) {}
  std::string ChooseImportFile(const ImportDialogRequest&) override { return path; }
  std::string path;
};

// A tab list with a title row: "Song n<TAB>m:ss" lines.
std::string TabList(int entries) {
  std::string text = "Filename\tTime\r\n";
  for (int i = 0; i < entries; ++i) {
    text += "Song number " + std::to_string(i) + "\t3:" + std::to_string(10 + i % 50) + "\r\n";
  }
  return text;
}

std::string ListImage(const ListStore& list) {
  std::string image(reinterpret_cast<const char*>(list.Working().Entries().data()),
                    list.ItemCount() * sizeof(ListEntry));
  return image + std::to_string(list.SortState) + (list.Unsaved ? "u" : "s");
}

struct CommandFixture {
  TempDir dir;
  ListStore list;
  AppOptions options = PlainOptions();
  ScriptedCaller caller;
  ImportEnvironment environment{dir.Path(), "%d/%m/%Y", 45000, {}};

  CommandFixture() {
    list.AppendEntry(FullEntry());
    list.AppendEntry(SparseEntry());
    list.SortState = 7;
    options.Dialog.ImportDateAddedFallback = 1;
  }
  ImportResult Import(const std::string& name, const std::string& bytes) {
    WriteFileBytes(dir.File(name), bytes);
    FixedChoice host(dir.File(name));
    return ImportList(list, options, environment, host, caller);
  }
};

std::string BadSeconds() {
  std::string bad = TabList(30);
  bad.replace(bad.find("3:15"), 4, "3:75");
  return bad;
}

TEST(ImportCommand, ListUnchangedAfterEveryUnsuccessfulEnd) {
  struct Case {
    std::string Name, Bytes;
    ImportOutcome Outcome;
    std::string Shown;  // the start of the one message, or of the one question (answered No)
    bool Asks = false;
  };
  using enum ImportOutcome;
  const Case cases[] = {
      {"small.txt", TabList(40).substr(0, 511), Failed, "Can't import files smaller than 512 bytes!"},
      // a saved list, whatever its name, is loaded, not imported
      {"saved.txt", std::string("\x03Ord\x3F", 5) + TabList(30), Failed, "This file is an ORDL list"},
      {"c.txt", TabList(500), Cancelled, ""},  // cancelled at its first check
      // a temporary folder where the backup of the list cannot go is named with the reason
      {"tmp.txt", TabList(30), Failed, "Can't write the backup of the list in the temporary folder\r\n/dev/null/temp"},
      {"bad.txt", BadSeconds(), Failed, "ERROR!\r\n\nCan't read seconds (line 7)", true},
      {"t.html", "<HTmL><BODY><OrdONNAtaG LABEL=\"s0XBS00000000063110\">" + std::string(600, ' '), Failed,
       "ERROR!\r\n\nUnable to decode ORDL", true},
      {"big.txt", TabList(50001), Cancelled, "Note: you have successfully imported\r\n50000 items", true},
      {"d.txt", TabList(30), Cancelled, "With unsaved list", true},
  };
  for (const Case& c : cases) {
    for (bool append : {false, true}) {
      const bool asksToDiscard = c.Name == "d.txt";
      if (append && c.Name != "bad.txt") continue;  // one case in append mode
      SCOPED_TRACE(c.Name + (append ? "+" : ""));
      CommandFixture fx;
      fx.options.Dialog.ImportImap = append ? 1 : 0;
      fx.options.Main.AskSaveThreshold = asksToDiscard ? 1 : 0;
      fx.list.Unsaved = asksToDiscard;
      const std::string before = ListImage(fx.list);
      if (c.Name == "c.txt") fx.caller.CancelAfter(0);
      if (c.Name == "tmp.txt") fx.environment.TempFolder = "/dev/null/temp";
      if (c.Asks) fx.caller.Expect("", Answer::No);
      EXPECT_EQ(fx.Import(c.Name, c.Bytes).Outcome, c.Outcome);
      EXPECT_EQ(ListImage(fx.list), before);
      EXPECT_TRUE(fx.caller.AllAnswered());
      std::vector<std::string> shown = MessageTexts(fx.caller);
      shown.insert(shown.end(), fx.caller.asked.begin(), fx.caller.asked.end());
      EXPECT_EQ(shown.size(), c.Shown.empty() ? 0u : 1u);
      for (const std::string& text : shown) EXPECT_TRUE(text.starts_with(c.Shown)) << text;
    }
  }
}

TEST(ImportCommand, FailureDialogFallsBackToForeignReaderOnYes) {
  CommandFixture fx;
  fx.options.Dialog.ImportImap = 1;
  fx.caller.Expect("", Answer::Yes);
  EXPECT_EQ(fx.Import("bad.txt", BadSeconds()).Outcome, ImportOutcome::Imported);
  EXPECT_EQ(std::tuple(fx.list.ItemCount(), +fx.list.SortState), std::tuple(33u, 63))
      << "every line, the title row too";
  EXPECT_TRUE(fx.caller.AllAnswered());
}

TEST(ImportCommand, ReadingStopsAtAMillionEntries) {
  CommandFixture fx;
  EntryList into;
  ParsedList parsed;
  ASSERT_TRUE(ReadExportedList(TabList(30), fx.options, fx.environment, 999990, into, parsed, fx.caller).ok());
  EXPECT_EQ(into.ItemCount(), 10u);
  EXPECT_EQ(fx.caller.messages.size(), 1u);
}

// Labels come from the fixed volume whose root is the longest whole-folder prefix of the
// entry's folder, only when the list has paths and no labels of its own.
TEST(ImportCommand, MissingLabelsComeFromTheFixedVolumeHoldingTheFolder) {
  CommandFixture fx;
  ExportFixture exported;
  for (const char* folder : {"/data/music/a", "/data/musicals/b", "/data", "/other/c"}) {
    exported.Add(FullEntry(std::string("Song in ") + folder, folder, ""));
  }
  exported.options.Main.InfoPath = 1;
  MemorySink page;
  ASSERT_TRUE(ExportPlainHtml(exported.Job(), page).ok());
  fx.environment.FixedVolumes = {
      {"/", "", "00000000", 1}, {"/data", "DATA", "0000DA7A", 2}, {"/data/music", "MUSIC", "00000A00", 3}};
  fx.options.Dialog.ImportClab = 1;
  EntryList into;
  ParsedList parsed;
  ASSERT_TRUE(ReadExportedList(page.Bytes, fx.options, fx.environment, 0, into, parsed, fx.caller).ok());
  std::vector<std::string> found;
  for (const ListEntry& entry : into.Entries()) found.emplace_back(entry.VolumeLabel.View());
  EXPECT_EQ(found, (std::vector<std::string>{"MUSIC", "DATA", "DATA", ""}))
      << "the deepest root wins, a root matches whole folder names only, a volume without a label gives none";
}

}  // namespace
}  // namespace ordonna::testing
