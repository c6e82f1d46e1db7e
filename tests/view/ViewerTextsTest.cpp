// What the viewer shows without changing the list: columns, cell texts, widths, order names,
// header-sort questions, captions and colours.
#include <gtest/gtest.h>

#include "config/AppOptions.h"
#include "core/ListStore.h"
#include "support/ScriptedCaller.h"
#include "view/Caption.h"
#include "view/ColumnWidths.h"
#include "view/Columns.h"
#include "view/HeaderSort.h"
#include "view/SortNames.h"
#include "view/ViewerLook.h"

namespace ordonna {
namespace {

using testing::ScriptedCaller;
using K = ColumnKind;

const std::vector<K> kAll = {K::Number,    K::FileName, K::Time, K::Kbps,      K::Size,       K::Stereo,
                             K::Frequency, K::FileDate, K::Path, K::DateAdded, K::VolumeLabel};

// Main options whose flags show these column kinds and no other (Artist and Title: the split).
MainOptions Showing(const std::vector<K>& kinds) {
  MainOptions options{};
  std::uint8_t fileName = 0;         // always on, without a flag
  std::vector<std::uint8_t*> flags;  // by kind + 2
  for (std::uint8_t* flag :
       {&options.ViewerSplitArtistTitle, &options.ViewerSplitArtistTitle, &options.Enumerate, &fileName,
        &options.InfoTime, &options.InfoKbps, &options.InfoSize, &options.InfoStereo, &options.InfoFrequency,
        &options.InfoDateCreated, &options.InfoPath, &options.InfoDateAdded, &options.InfoVolumeLabel}) {
    *flag = 0;
    flags.push_back(flag);
  }
  for (K kind : kinds) *flags[static_cast<std::size_t>(static_cast<int>(kind) + 2)] = 1;
  return options;
}

TEST(ColumnLayout, KindsInTheirFixedOrderAndFramedCellTexts) {
  // The file name shows unless the name is split.
  const std::vector<std::vector<K>> rows = {kAll, {K::Artist, K::Title, K::Path, K::VolumeLabel}};
  for (const std::vector<K>& kinds : rows) {
    ColumnLayout layout = BuildColumnLayout(Showing(kinds));
    EXPECT_EQ(layout.Kinds, kinds) << kinds.size();
    EXPECT_EQ(layout.PositionOf(K::Path), static_cast<int>(kinds.size()) - (kinds.size() > 4 ? 3 : 2));
    EXPECT_EQ(layout.PositionOf(K::Time), kinds.size() > 4 ? 2 : -1);
  }
  ListEntry entry = UndeterminedEntry();
  entry.FileName.Set("Band - Song");
  const CellFormatter cells(FieldStyle{}, 1000);
  EXPECT_EQ(cells.CellText(entry, 0, K::Artist) + cells.CellText(entry, 0, K::Title), " Band  Song ");
  EXPECT_EQ(cells.CellText(entry, 0, K::Number), "    1. ") << "right-aligned to the widest number";
  EXPECT_EQ(cells.CellText(entry, 999, K::Number), " 1000. ");
}

TEST(ColumnWidths, AutomaticManualAndStored) {
  EntryList list;
  ListEntry entry = UndeterminedEntry();
  for (auto [name, folder] : {std::pair{"a", "/x"}, {"longer name", "/longer"}, {"a", "/x"}}) {
    entry.FileName.Set(name);
    entry.Folder.Set(folder);
    list.AppendEntry(entry);
  }
  MainOptions options = Showing({K::Number, K::FileName, K::Time, K::Path});
  const ColumnLayout layout = BuildColumnLayout(options);
  const CellFormatter cells(FieldStyle{}, list.ItemCount());
  const TextWidthFunction width = [](std::string_view text) { return static_cast<int>(7 * text.size()); };
  // " 1. " is 28 pixels (the number column gives 3 back), " longer name " 91, " ??:?? " 49, " /longer " 63.
  EXPECT_EQ(AutomaticWidths(list, layout, cells, width), (std::vector<int>{29, 95, 53, 67}));

  options.ViewerSplitArtistTitle = 1;
  const ColumnLayout split = BuildColumnLayout(options);
  const int widths[] = {10, 20, 30, 40, 50};
  StoreColumnWidths(split, widths, options);
  // Stored by element kind + 2: artist, title, number, file name (not shown, kept), time.
  EXPECT_EQ(std::vector<int>(options.ViewerColumnWidths, options.ViewerColumnWidths + 5),
            (std::vector<int>{20, 30, 10, 0, 40}));
  EXPECT_EQ(ManualWidths(split, options), (std::vector<int>{10, 20, 30, 40, 50}));
}

TEST(SortNames, StateNamesHintsAndEditorChoices) {
  MainOptions options{};
  EXPECT_FALSE(ResortEnabled(0, options));
  EXPECT_TRUE(ResortEnabled(128, options));
  options.SortField = 1;
  options.SortDescending = 1;
  EXPECT_FALSE(ResortEnabled(129, options));

  auto choices = PositionChoices(63, options);
  EXPECT_TRUE(choices[0].Enabled && choices[1].Enabled && !choices[2].Enabled && choices[3].Enabled);
  choices = PositionChoices(129, options);
  EXPECT_TRUE(choices[2].Enabled && !choices[3].Enabled) << "the main order is already the list's";
}

TEST(HeaderSort, QuestionsAndNewStates) {
  const ColumnLayout all = BuildColumnLayout(Showing(kAll));
  MainOptions splitOptions = Showing(kAll);
  splitOptions.ViewerSplitArtistTitle = 1;
  const ColumnLayout split = BuildColumnLayout(splitOptions);
  const std::string tail = "?\r\n\n(this won't affect main sorting option)";
  const std::string artist =
      "You can't sort by artist or title.\r\nDo you want to sort by filename?\r\n\n(this won't affect main sorting "
      "option)";
  struct Row {
    const ColumnLayout* layout;
    bool filtered;
    int position;
    int state;
    std::string question;  // empty: none asked
    Answer answer;
    std::string message;
    int result;  // -1: no sort
  };
  const Row rows[] = {
      {&all, true, 2, 0, "", Answer::Yes, "You can't sort the filtered list.", -1},
      {&all, false, 2, 1, "SORT THE LIST BY TIME (REVERSE ORDER) " + tail, Answer::Yes, "", 129},
      {&all, false, 2, 129, "SORT THE LIST BY TIME" + tail, Answer::Yes, "", 1},
      {&all, false, 3, 0, "SORT THE LIST BY KBPS" + tail, Answer::No, "", -1},
      {&all, false, 99, 63, "SORT THE LIST BY VOLUME" + tail, Answer::Yes, "", 9},
      {&split, false, 2, 0, artist, Answer::Yes, "", 128},
  };
  for (const Row& row : rows) {
    ScriptedCaller caller;
    if (!row.question.empty()) caller.Expect(row.question, row.answer);
    std::optional<std::uint8_t> state =
        DecideHeaderSort(row.position, *row.layout, row.filtered, static_cast<std::uint8_t>(row.state), caller);
    EXPECT_EQ(state ? *state : -1, row.result) << row.position << " from " << row.state;
    EXPECT_TRUE(caller.AllAnswered());
    EXPECT_EQ(caller.asked.size(), row.question.empty() ? 0u : 1u) << row.position;
    std::string said;
    for (const auto& message : caller.messages) said += message.Text;
    EXPECT_EQ(said, row.message);
  }
}

TEST(ViewerLook, OversizeListsInvertedSchemesAndFilterButtons) {
  ScriptedCaller caller;
  bool warned = false;
  EXPECT_TRUE(RefuseOversizeList(262145, warned, caller) && RefuseOversizeList(262145, warned, caller));
  EXPECT_EQ(caller.messages.size(), 1u);
  const SchemeColors colors = ColorsOf(0, true);
  EXPECT_TRUE(colors.Background == SchemeColor{SchemeColor::Role::WindowText} &&
              colors.Text == SchemeColor{SchemeColor::Role::Window});
  const StateCaptions filtered = CaptionsFor(true, true);
  EXPECT_TRUE(!filtered.ResortButtonShown && filtered.PrimaryButtonShown);
}

}  // namespace
}  // namespace ordonna
