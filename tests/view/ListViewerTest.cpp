// The viewer's changes to the list: deletion, placement, every undo kind with its image, the
// filtered state and the ways out of it, and failing images that must leave the list alone.
#include "view/ListViewer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>

#include "config/AppOptions.h"
#include "core/Snapshot.h"
#include "support/ScriptedCaller.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::ReadFileBytes;
using testing::ScriptedCaller;
using testing::TempDir;
using testing::WriteFileBytes;

ListEntry Item(int i, const char* prefix = "t") {
  ListEntry entry = UndeterminedEntry();
  entry.FileName.Set(prefix + std::string(i < 10 ? "0" : "") + std::to_string(i));
  entry.Folder.Set("/music");
  entry.Frames = 1000 - 10 * i;
  entry.FrequencyCode = 0;
  entry.SizeKB = 100 + i;
  entry.FileDate = 38000 + i;
  return entry;
}

bool Even(const ListEntry& entry) { return (entry.FileName.View().back() - '0') % 2 == 0; }

struct Session {
  explicit Session(int count, std::string folder = {})
      : viewer(list, options, folder.empty() ? dir.Path() : std::move(folder)) {
    for (int i = 0; i < count; ++i) list.AppendEntry(Item(i));
  }
  std::vector<ListEntry> Entries() const { return {list.Working().Entries().begin(), list.Working().Entries().end()}; }
  std::string Names() const {
    std::string names;
    for (const ListEntry& entry : list.Working().Entries())
      names += (names.empty() ? "" : " ") + std::string(entry.FileName.View());
    return names;
  }
  std::string Image(std::string_view name) const { return ReadFileBytes(dir.File(std::string(name))); }

  TempDir dir;
  ListStore list;
  AppOptions options{};
  ScriptedCaller caller;
  ListViewer viewer;
};

bool SameEntries(const std::vector<ListEntry>& a, const std::vector<ListEntry>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(ListEntry)) == 0;
}

// The bytes of an image holding `entries`: their count (u32, little-endian) and the records.
std::string ImageOf(const std::vector<ListEntry>& entries) {
  const auto count = static_cast<std::uint32_t>(entries.size());
  std::string bytes{static_cast<char>(count), static_cast<char>(count >> 8), static_cast<char>(count >> 16),
                    static_cast<char>(count >> 24)};
  bytes.append(reinterpret_cast<const char*>(entries.data()), entries.size() * sizeof(ListEntry));
  return bytes;
}

// Every undoable operation, from a 10-entry list in name order, with the image it writes.
struct UndoCase {
  const char* name;
  std::function<void(Session&)> prepare;
  std::function<void(Session&)> operation;
  UndoKind kind;
  std::uint32_t imageFirst, imageCount;  // the entries of the list before it that its image holds (99: all)
};

std::vector<UndoCase> UndoCases() {
  auto nothing = [](Session&) {};
  auto sorted = [](Session& s) { s.list.SortState = 0; };
  auto renamed = [](ListEntry entry, const char* name) {
    entry.FileName.Set(name);
    return entry;
  };
  return {
      {"deletion", nothing, [](Session& s) { s.viewer.DeleteRows(4, 2, {}, s.caller); }, UndoKind::Deletion, 4, 2},
      {"deletion at the end of a filtered list", [](Session& s) { s.viewer.ApplyFilter(Even, {}, s.caller); },
       [](Session& s) { s.viewer.DeleteRows(3, 2, {}, s.caller); }, UndoKind::Deletion, 3, 2},
      {"edit that re-sorts", sorted, [=](Session& s) { s.viewer.Edit(0, renamed(Item(0), "zz"), 2, {}, s.caller); },
       UndoKind::Edit, 0, 99},
      {"filtering", nothing, [](Session& s) { s.viewer.ApplyFilter(Even, {}, s.caller); }, UndoKind::Filtering, 0, 99},
      {"re-sort",
       [](Session& s) {
         s.list.SortState = 0;
         s.options.Main.SortField = 1;
       },
       [](Session& s) { s.viewer.Resort({}, s.caller); }, UndoKind::Resort, 0, 99},
      {"insertion that re-sorts", sorted, [](Session& s) { s.viewer.Insert(Item(5, "n"), 2, 0, {}, s.caller); },
       UndoKind::InsertionResort, 0, 99},
      {"unfiltering",
       [=](Session& s) {
         s.viewer.ApplyFilter(Even, {}, s.caller);
         s.viewer.Edit(1, renamed(Item(2), "x"), 2, {}, s.caller);
         s.viewer.DeleteRows(3, 1, {}, s.caller);
       },
       [](Session& s) { s.viewer.Unfilter({}, s.caller); }, UndoKind::Unfiltering, 0, 99},
  };
}

TEST(ListViewer, EveryUndoKindWritesItsImageAndRestoresTheListWholeOrNotAtAll) {
  for (const UndoCase& c : UndoCases()) {
    // Then once more with the image cut short: the list stays as the operation left it.
    for (bool cut : {false, true}) {
      Session s(10);
      c.prepare(s);
      const std::vector<ListEntry> before = s.Entries();
      const FilterState filterBefore = s.viewer.Filter();
      const std::uint8_t sortBefore = s.list.SortState;
      c.operation(s);
      SCOPED_TRACE(std::string(c.name) + (cut ? " cut" : ""));
      const std::vector<ListEntry> after = s.Entries();
      const FilterState filterAfter = s.viewer.Filter();
      const std::uint8_t sortAfter = s.list.SortState;
      EXPECT_FALSE(SameEntries(after, before));
      EXPECT_EQ(s.viewer.PendingUndo(), c.kind);
      const auto from = before.begin() + c.imageFirst;
      const std::string image = ImageOf({from, from + std::min<std::size_t>(c.imageCount, before.size())});
      const std::string file(c.kind == UndoKind::Filtering ? temp_file::kViewerFilter : temp_file::kViewerUndo);
      EXPECT_EQ(s.Image(file), image);
      if (cut) WriteFileBytes(s.dir.File(file), image.substr(0, image.size() - 1));
      s.viewer.Undo(s.caller);
      EXPECT_TRUE(SameEntries(s.Entries(), cut ? after : before));
      EXPECT_TRUE(s.viewer.Filter() == (cut ? filterAfter : filterBefore));
      EXPECT_EQ(s.list.SortState, cut ? sortAfter : sortBefore);
      EXPECT_FALSE(s.viewer.CanUndo()) << "one level only";
      EXPECT_EQ(s.caller.messages.size(), cut ? 1u : 0u);
    }
  }
}

TEST(ListViewer, AnUnwritableTemporaryFolderKeepsTheListOrDropsTheUndo) {
  struct Row {
    const char* name;
    std::function<void(Session&)> operation;
    bool listKept;
    bool undoKept;  // the level before it (an edit, no image) stays
  };
  const Row rows[] = {
      {"deletion", [](Session& s) { s.viewer.DeleteRows(2, 3, {}, s.caller); }, true, false},
      {"filter", [](Session& s) { s.viewer.ApplyFilter(Even, {}, s.caller); }, true, true},
      {"re-sort", [](Session& s) { s.viewer.Resort({}, s.caller); }, false, false},
  };
  for (const Row& row : rows) {
    TempDir dir;
    WriteFileBytes(dir.File("file"), "x");
    Session s(10, dir.File("file/temp"));
    s.options.Main.SortField = 1;                     // so that re-sorting changes the order
    s.viewer.Edit(0, Item(0, "e"), 2, {}, s.caller);  // an undo level to be dropped
    const std::vector<ListEntry> before = s.Entries();
    row.operation(s);
    SCOPED_TRACE(row.name);
    EXPECT_EQ(SameEntries(s.Entries(), before), row.listKept);
    EXPECT_FALSE(s.viewer.Filtered());
    EXPECT_EQ(s.viewer.CanUndo(), row.undoKept);
    EXPECT_EQ(s.caller.messages.size(), 1u);
  }
  // Only the undo image fails: the unfiltering goes on without an undo level.
  Session s(10);
  s.viewer.ApplyFilter(Even, {}, s.caller);
  const std::string undoImage = s.dir.File(std::string(temp_file::kViewerUndo));
  std::filesystem::remove(undoImage);
  std::filesystem::create_directory(undoImage);
  s.viewer.Unfilter({}, s.caller);
  EXPECT_FALSE(s.viewer.Filtered());
  EXPECT_EQ(s.list.ItemCount(), 10u);
  EXPECT_FALSE(s.viewer.CanUndo());
  ASSERT_EQ(s.caller.messages.size(), 1u);
  EXPECT_EQ(s.caller.messages[0].Text, "Error trying to prepare undo.\r\nCan't write temporary file.");
}

TEST(ListViewer, InsertedEntriesArePlacedByTheirPosition) {
  struct Row {
    std::uint8_t position;
    std::uint32_t selected;
    std::uint32_t placed;
    std::uint8_t sortState;  // of the list afterwards
  };
  // The new entry "t045" has 955 frames: by name it belongs after t04, by time after t04 too
  // in descending order (t04 has 960).
  const Row rows[] = {
      {0, 2, 2, 0}, {1, 9, 10, 0}, {2, 0, 5, 0}, {3, 0, 5, 129}, {6, 2, 5, 0},  // only the low two bits count
  };
  for (const Row& row : rows) {
    Session s(10);
    s.list.SortState = 0;
    s.options.Main.SortField = 1;
    s.options.Main.SortDescending = 1;
    ListEntry entry = Item(4);
    entry.FileName.Set("t045");
    entry.Frames = 955;
    ViewerUpdate update = s.viewer.Insert(entry, row.position, row.selected, {}, s.caller);
    SCOPED_TRACE(+row.position);
    EXPECT_EQ(update.Position.CurrentRow, row.placed) << " at " << row.selected;
    EXPECT_EQ(s.list.Working().Entry(row.placed).FileName.View(), "t045");
    EXPECT_EQ(s.list.SortState, row.sortState);
    EXPECT_TRUE(s.list.Unsaved);
  }
}

TEST(ListViewer, EditsThatChangeNothingAndUndoAfterAHeaderSortOrAmongIdenticalEntries) {
  Session s(5);
  EXPECT_FALSE(s.viewer.Edit(2, Item(2), 2, {}, s.caller).ListChanged);
  EXPECT_FALSE(s.viewer.CanUndo());
  EXPECT_FALSE(s.list.Unsaved);

  ListEntry edited = Item(1);
  edited.Frames = 5;
  s.viewer.Edit(1, edited, 2, {}, s.caller);  // the list has no order: nothing is sorted
  EXPECT_EQ(s.viewer.PendingUndo(), UndoKind::Edit);
  MainOptions nameAndTime{};
  nameAndTime.InfoTime = 1;
  s.caller.Expect("", Answer::Yes);
  s.viewer.SortByHeader(1, BuildColumnLayout(nameAndTime), {}, s.caller);
  EXPECT_EQ(s.list.SortState, 1);
  EXPECT_EQ(s.Names(), "t01 t04 t03 t02 t00") << "by time, the edited entry first";
  s.viewer.Undo(s.caller);
  EXPECT_EQ(std::int32_t{s.list.Working().Entry(0).Frames}, 990)
      << "the old content is back in the entry that was edited";
  EXPECT_TRUE(SameEntries(s.Entries(), {Item(1), Item(4), Item(3), Item(2), Item(0)}));

  // The undo of an insertion among identical entries asks.
  for (Answer answer : {Answer::Yes, Answer::No}) {
    Session t(10);
    const std::vector<ListEntry> before = t.Entries();
    t.viewer.Insert(Item(3), 0, 7, {}, t.caller);
    const std::vector<ListEntry> doubled = t.Entries();
    t.caller.Expect("", answer);
    t.viewer.Undo(t.caller);
    EXPECT_TRUE(SameEntries(t.Entries(), answer == Answer::Yes ? before : doubled));
    EXPECT_TRUE(t.caller.AllAnswered());
  }
}

TEST(ListViewer, UnfilteringMergesEditsAndDeletionsAndIsUndone) {
  Session s(10);
  ASSERT_TRUE(s.viewer.ApplyFilter(Even, {}, s.caller).FilterChanged);
  EXPECT_EQ(s.Names(), "t00 t02 t04 t06 t08");
  ListEntry edited = Item(2);
  edited.FileName.Set("x");
  s.viewer.Edit(1, edited, 3, {}, s.caller);
  EXPECT_EQ(s.Names(), "t00 x t04 t06 t08") << "a filtered list keeps its order";
  s.viewer.DeleteRows(3, 1, {}, s.caller);
  const std::vector<ListEntry> filtered = s.Entries();
  const FilterState state = s.viewer.Filter();

  ViewerUpdate update = s.viewer.Insert(Item(1), 0, 0, {3, 3}, s.caller);  // Insert unfilters
  EXPECT_TRUE(update.FilterChanged && !s.viewer.Filtered());
  EXPECT_EQ(s.Names(), "t00 t01 x t03 t04 t05 t07 t08 t09");
  EXPECT_EQ(update.Position.CurrentRow, 7u) << "the cursor stays on t08";
  s.viewer.Undo(s.caller);
  EXPECT_TRUE(SameEntries(s.Entries(), filtered));
  EXPECT_TRUE(s.viewer.Filter() == state);
  s.viewer.Unfilter({}, s.caller);
  EXPECT_EQ(s.Names(), "t00 t01 x t03 t04 t05 t07 t08 t09") << "the filter image still holds the full list";

  Session cut(10);
  cut.viewer.ApplyFilter(Even, {}, cut.caller);
  const std::string image = cut.Image(temp_file::kViewerFilter);
  WriteFileBytes(cut.dir.File(std::string(temp_file::kViewerFilter)), image.substr(0, image.size() / 2));
  const FilterState cutState = cut.viewer.Filter();
  const std::vector<ListEntry> cutList = cut.Entries();
  cut.caller.Expect("DELETE AND UNFILTER?", Answer::Yes);
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (attempt == 0) cut.viewer.Unfilter({}, cut.caller);
    if (attempt == 1) cut.viewer.DeleteRows(0, 5, {}, cut.caller);
    EXPECT_TRUE(SameEntries(cut.Entries(), cutList)) << attempt;
    EXPECT_TRUE(cut.viewer.Filter() == cutState) << attempt;
  }
  ASSERT_EQ(cut.caller.messages.size(), 2u);
  EXPECT_EQ(cut.caller.messages[1].Text, "Disk error! Can't read temporary backup file!");
}

TEST(ListViewer, WaysOutOfAFilteredList) {
  auto close = [](Session& s) { return s.viewer.ConfirmClose(s.caller); };
  const char* filtered = "t00 t02 t04 t06 t08";
  struct Row {
    Answer answer;                         // to the one question
    std::function<bool(Session&)> action;  // true when the viewer closes
    const char* names;
    bool closes, filterImageKept;
  };
  const Row rows[] = {
      {Answer::No, close, filtered, true, true},
      {Answer::Yes, close, "t00 t01 t02 t03 t04 t05 t06 t07 t08 t09", true, true},
      {Answer::Yes, [](Session& s) { return s.viewer.MakePrimary(s.caller).CloseViewer; }, filtered, false, false},
      {Answer::Yes, [](Session& s) { return s.viewer.DeleteRows(0, 5, {}, s.caller).CloseViewer; },
       "t01 t03 t05 t07 t09", false, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(&row - rows);
    Session s(10);
    s.viewer.ApplyFilter(Even, {}, s.caller);
    s.caller.Expect("", row.answer);
    EXPECT_EQ(row.action(s), row.closes);
    EXPECT_EQ(s.Names(), row.names);
    EXPECT_FALSE(s.viewer.Filtered() || s.viewer.CanUndo());
    EXPECT_EQ(std::filesystem::exists(s.dir.File(std::string(temp_file::kViewerFilter))), row.filterImageKept);
    EXPECT_TRUE(s.caller.AllAnswered() && s.caller.messages.empty());
  }
}

TEST(ListViewer, DeletingEveryEntryAsksAndEmptiesTheList) {
  for (Answer answer : {Answer::No, Answer::Yes}) {
    Session s(4);
    s.viewer.Edit(0, Item(0, "e"), 2, {}, s.caller);
    s.caller.Expect("DELETE AND CLOSE?", answer);
    ViewerUpdate update = s.viewer.DeleteRows(0, 9, {}, s.caller);
    EXPECT_EQ(update.CloseViewer && update.StartNewList, answer == Answer::Yes);
    EXPECT_EQ(s.list.ItemCount(), answer == Answer::Yes ? 0u : 4u);
    EXPECT_EQ(s.viewer.CanUndo(), answer == Answer::No);
  }
  Session s(4);
  s.viewer.ApplyFilter([](const ListEntry&) { return true; }, {}, s.caller);
  s.caller.Expect("DELETE AND UNFILTER?", Answer::Yes);
  ViewerUpdate update = s.viewer.DeleteRows(0, 4, {}, s.caller);
  EXPECT_TRUE(update.CloseViewer && update.StartNewList) << "a filter that kept everything, all deleted";
  EXPECT_TRUE(s.list.ItemCount() == 0 && !s.viewer.Filtered());
  for (int count : {1, 2}) {
    Session all(count);
    all.viewer.ApplyFilter([](const ListEntry&) { return true; }, {}, all.caller);
    all.viewer.Undo(all.caller);
    EXPECT_EQ(all.viewer.Filtered(), count == 1) << "the undo of filtering a single entry is refused";
  }
  Session none(4);
  EXPECT_FALSE(none.viewer.DeleteRows(4, 1, {}, none.caller).ListChanged) << "a selection past the list";
  EXPECT_FALSE(none.viewer.ApplyFilter([](const ListEntry&) { return false; }, {}, none.caller).ListChanged);
  EXPECT_EQ(none.list.ItemCount(), 4u) << "a filter that keeps nothing changes nothing";
}

TEST(ListViewer, EntriesRemovedBehindTheViewer) {
  Session s(10);
  s.viewer.ApplyFilter(Even, {}, s.caller);
  // Another window removes filtered rows 1 and 3 (t02 and t06) itself, then says so.
  EntryList& working = s.list.Working();
  working.Entry(1) = working.Entry(2);
  working.Entry(2) = working.Entry(4);
  working.SetItemCount(3);
  const std::uint32_t removed[] = {1, 3};
  s.viewer.EntriesRemovedBehind(removed);
  EXPECT_FALSE(s.viewer.CanUndo());
  s.viewer.Unfilter({}, s.caller);
  EXPECT_EQ(s.Names(), "t00 t01 t03 t04 t05 t07 t08 t09");
}

}  // namespace
}  // namespace ordonna
