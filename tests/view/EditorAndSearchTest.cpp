// The editor's record rules and the name search: field texts, steps, position
// choices, case folding across scripts and Windows-1252 names, and wrapping.
#include <gtest/gtest.h>

#include "support/ScriptedCaller.h"
#include "view/EditorRules.h"
#include "view/NameSearch.h"
#include "view/ViewerTexts.h"

namespace ordonna {
namespace {

using testing::ScriptedCaller;

std::vector<ListEntry> NamedList(std::initializer_list<const char*> names) {
  std::vector<ListEntry> entries;
  for (const char* name : names) entries.emplace_back(UndeterminedEntry()).FileName.Set(name);
  return entries;
}

TEST(EditorRules, FieldTextsListItemsStepsAndPositions) {
  ListEntry entry = NewEditorEntry(45000);
  SetFramesText(entry, "1 234");
  EXPECT_EQ(std::int32_t{entry.Frames}, 1234);
  SetFramesText(entry, "12a");
  EXPECT_EQ(std::int32_t{entry.Frames}, -1);
  SetSizeText(entry, " 5 00");
  SetSizeText(entry, "-3");
  EXPECT_EQ(std::int32_t{entry.SizeKB}, 500);
  // Trailing spaces go, control bytes are masked, and a long UTF-8 text is cut between characters.
  SetNameText(entry, "a\tb  ");
  EXPECT_EQ(entry.FileName.View(), "a?b");
  std::string cyrillic;
  for (int i = 0; i < 20; ++i) cyrillic += "ж";  // two bytes each
  SetLabelText(entry, "x" + cyrillic);
  EXPECT_EQ(entry.VolumeLabel.View(), "x" + cyrillic.substr(0, 30));

  // Confirm is enabled only while a field differs.
  const ListEntry opening = entry;
  SetNameText(entry, "a\tb");
  EXPECT_FALSE(EditedFieldsDiffer(opening, entry));
  entry.DateAdded = 7;
  EXPECT_TRUE(EditedFieldsDiffer(opening, entry));
  for (int item = 0; item < 16; ++item) EXPECT_EQ(ItemOfBitrate(BitrateOfItem(item)), item);
  for (int item = 0; item < 4; ++item) EXPECT_EQ(ItemOfFrequency(FrequencyOfItem(item)), item);
  EXPECT_EQ(std::vector<int>({FrequencyOfItem(1), BitrateOfItem(0), ItemOfBitrate(0), ItemOfStereo(9)}),
            std::vector<int>({0, 16, 15, 4}));
  struct Row {
    std::int32_t frames;
    std::uint8_t frequency;
    StepButton button;
    std::int32_t expected;
  } rows[] = {
      {100, 0, StepButton::SecondUp, 153},   // 2.6 s shows as 3 s; 4 s
      {100, 0, StepButton::SecondDown, 77},  // 2 s
      {1000, 1, StepButton::SecondUp, 1042},     {262143, 0, StepButton::FrameUp, 262144},
      {262144, 0, StepButton::SecondUp, 262144}, {0, 0, StepButton::SecondDown, 0},
      {-1, 0, StepButton::FrameUp, 0},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(SteppedFrames(row.frames, row.frequency, row.button), row.expected) << row.frames;
  }
  EXPECT_EQ(FirstEnabledChoice(2, {true, true, false, false}), 0);
  EXPECT_EQ(FirstEnabledChoice(7, {true, false, false, true}), 3);  // only the low two bits count
  EXPECT_TRUE(FolderFits(std::string(255, 'a')));
  EXPECT_FALSE(FolderFits(std::string(128, 'a') + std::string(64, 'a') + std::string(32, 'a') + "ééééééééééééééé" +
                          "é"));  // 256 bytes, fewer characters
}

TEST(NameSearch, CaseFoldingAcrossScripts) {
  struct Row {
    const char* name;
    const char* text;
    bool matchCase;
    bool matches;
  } rows[] = {
      {"Мумий Тролль", "мумий", false, true},
      {"Straße", "STRASSE", false, false},    // simple folding keeps ß one character
      {"\xC9\x43HOS", "échos", false, true},  // a Windows-1252 É
      {"\xC9\x43HOS", "ÉCHOS", true, false},  // byte for byte
      // ASCII names skip ahead by the byte under the text's last byte: each side of every skip.
      {"aaab", "AAB", false, true},
      {"abcabd", "ABD", false, true},
      {"xyz", "xyza", false, false},
      {"bab", "B", false, true},
      {"dcba", "ab", false, false},
      {"a-b-c", "-C", false, true},
      {"Kelvin \u212A", "kelvin k", false, true},  // the sign folds to an ASCII letter
  };
  for (const Row& row : rows) {
    EXPECT_EQ(NameMatcher(row.text, row.matchCase)(NamedList({row.name})[0]), row.matches)
        << row.name << " / " << row.text;
  }
}

TEST(NameSearch, WrapQuestionAndItsAnswers) {
  // Yes finds the match above the cursor, No ends quietly; Find Next needs a search first.
  const std::vector<ListEntry> entries = NamedList({"abc", "x", "y", "z"});
  for (Answer answer : {Answer::Yes, Answer::No}) {
    SearchMemory memory;
    memory.FindText = "ABC";
    ScriptedCaller caller;
    caller.Expect(std::string(viewer_text::kWrapQuestion), answer);
    EXPECT_EQ(FindAfterWindow(entries, FindRequest::Next, 2, false, memory, caller),
              answer == Answer::Yes ? std::optional<std::uint32_t>(0) : std::nullopt);
    EXPECT_TRUE(caller.messages.empty() && caller.AllAnswered());
  }
  SearchMemory memory;
  ScriptedCaller caller;
  EXPECT_EQ(FindNext(entries, 0, false, memory, caller), std::nullopt);
  EXPECT_EQ(caller.messages.at(0).Text, viewer_text::kFindFirstRequired);
  EXPECT_EQ(CentredOn(3, 20), (GridPosition{0, 3}));
}

}  // namespace
}  // namespace ordonna
