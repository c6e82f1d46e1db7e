// The list order by every field and direction, the two string comparisons, and the exact
// arrangement of equal entries that the quicksort leaves.
#include "core/Sort.h"

#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <string>
#include <tuple>
#include <vector>

namespace ordonna {
namespace {

// A distinct tag stored behind the file name's length: invisible to the comparison, so it
// tells apart entries that the sort considers equal.
ListEntry Tagged(std::string name, std::uint16_t tag) {
  ListEntry entry = UndeterminedEntry();
  entry.FileName.Set(name);
  std::memcpy(entry.FileName.Chars + 250, &tag, sizeof tag);
  return entry;
}

// The names, or the tags, of the entries in the order the sort leaves them.
std::vector<std::string> SortedNames(std::vector<ListEntry> entries, SortSettings settings) {
  SortList(entries, settings);
  std::vector<std::string> names;
  for (const ListEntry& e : entries) names.emplace_back(e.FileName.View());
  return names;
}

std::vector<std::uint16_t> SortedTags(std::vector<ListEntry> entries, SortSettings settings) {
  SortList(entries, settings);
  std::vector<std::uint16_t> tags(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) std::memcpy(&tags[i], entries[i].FileName.Chars + 250, 2);
  return tags;
}

TEST(SortList, FileNameOrderByCaseMode) {
  // Without case the letters fold to lower case (after "_") and high bytes come first; with
  // case the bytes compare unsigned.
  std::vector<ListEntry> list = {Tagged("beta", 0), Tagged("\xC3\x89tude", 1), Tagged("Alpha", 2), Tagged("alpha", 3),
                                 Tagged("Abcd", 4), Tagged("Abc", 5),          Tagged("_x", 6)};
  EXPECT_EQ(SortedNames(list, {kSortFilename, false, true}),
            (std::vector<std::string>{"Abc", "Abcd", "Alpha", "_x", "alpha", "beta", "\xC3\x89tude"}));
  EXPECT_EQ(SortedNames(list, {kSortFilename, false, false}),
            (std::vector<std::string>{"\xC3\x89tude", "_x", "Abc", "Abcd", "Alpha", "alpha", "beta"}));
}

TEST(SortList, NumericFieldsBreakTiesByName) {
  auto make = [](const char* name, int code, int frames, int size, int stereo, int freq, int date, int added) {
    ListEntry e = Tagged(name, 0);
    e.BitrateCode = static_cast<std::uint8_t>(code), e.StereoMode = static_cast<std::uint8_t>(stereo);
    e.FrequencyCode = static_cast<std::uint8_t>(freq);
    e.Frames = frames, e.SizeKB = size, e.FileDate = date, e.DateAdded = added;
    return e;
  };
  std::vector<ListEntry> list = {
      make("e", 16, 500, 10, 0, 0, 300, 5), make("d", 14, 100, -1, 3, 1, 100, 5), make("c", 1, 100, 30, 2, 2, -1, 7),
      make("b", 255, -1, 10, 4, 3, 200, 6), make("a", 9, 2000, 40, 1, 0, 100, 5),
  };
  struct Case {
    SortFieldValue field;
    std::vector<std::string> ascending;
  } cases[] = {
      {kSortPlaytime, {"b", "c", "d", "e", "a"}},  // equal frames of c and d ordered by name
      {kSortBitrate, {"c", "a", "d", "e", "b"}},   // variable (16) after 320 kbps (14)
      {kSortFileSize, {"d", "b", "e", "c", "a"}},
      {kSortStereoMode, {"d", "a", "e", "c", "b"}},  // mono, joint, stereo, dual, unknown
      {kSortFrequency, {"c", "a", "e", "d", "b"}},   // 32, 44.1, 44.1, 48, unknown
      {kSortDateCreated, {"c", "a", "d", "b", "e"}},
      {kSortDateAdded, {"a", "d", "e", "b", "c"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SortedNames(list, {c.field, false, false}), c.ascending) << int(c.field);
    EXPECT_EQ(SortedNames(list, {c.field, true, false}), (std::vector(c.ascending.rbegin(), c.ascending.rend())))
        << int(c.field);
  }
}

TEST(SortList, PathAndLabelUseTheSelectedCaseRule) {
  auto make = [](const char* name, const char* folder, const char* label) {
    ListEntry e = Tagged(name, 0);
    e.Folder.Set(folder), e.VolumeLabel.Set(label);
    return e;
  };
  std::vector<ListEntry> list = {make("x", "/ab", "b"), make("y", "/A", "B"), make("z", "/a", "a"),
                                 make("w", "/a", "A")};
  const std::pair<SortSettings, std::vector<std::string>> cases[] = {
      {{kSortPath, false, true}, {"y", "w", "z", "x"}}, {{kSortVolumeLabel, false, false}, {"w", "z", "x", "y"}}};
  for (const auto& [settings, names] : cases) EXPECT_EQ(SortedNames(list, settings), names) << int(settings.SortField);
}

TEST(SortList, EqualKeysKeepTheArrangementOfTheQuicksort) {
  // Twenty thousand equal keys, ascending: every pass only moves the middle entry behind the
  // rest, 20,000 nested ranges, which plain recursion would have to hold on the stack at once.
  std::vector<ListEntry> list;
  for (int i = 0; i < 20000; ++i) list.push_back(Tagged("same", static_cast<std::uint16_t>(i)));
  std::vector<std::uint16_t> expected(20000);
  std::iota(expected.begin(), expected.end(), std::uint16_t{0});
  for (std::size_t lo = 0, hi = expected.size() - 1; hi - lo >= 2; --hi) {
    std::swap(expected[(lo + hi) / 2], expected[hi]);
  }
  EXPECT_EQ(SortedTags(list, {kSortFilename, false, false}), expected);
}

TEST(SortState, RecordsFieldDirectionAndCase) {
  EXPECT_EQ(SortStateOf({kSortPath, true, true}), 7 + 128 + 64);
  EXPECT_EQ(SortStateOf(SortSettingsOf(9 + 128)), 9 + 128) << "read back";
}

}  // namespace
}  // namespace ordonna
