// The duplicates search: the documented pair-loop cases, the worker protocol on a real thread
// (answers, stop during a confirmation and between pairs, closing with the revert question),
// the final buttons, ApplyDeletions, the log list limit and the saved log.
#include "match/DuplicateSearch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "match/DupLog.h"
#include "match/DupSearchRun.h"
#include "support/ScriptedCaller.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using namespace std::chrono_literals;
using testing::ReadFileBytes;
using testing::ScriptedCaller;
using testing::TempDir;
using testing::WriteFileBytes;

ListEntry Entry(const std::string& name) {
  ListEntry e = UndeterminedEntry();
  e.FileName.Set(name);
  e.SizeKB = 4000;
  e.Frames = 9000;
  e.BitrateCode = 9;
  e.StereoMode = 1;
  e.FrequencyCode = 0;
  return e;
}

EntryList List(std::initializer_list<std::string> names) {
  EntryList list;
  for (const std::string& name : names) list.AppendEntry(Entry(name));
  return list;
}

DupSearchSettings Settings(std::uint8_t action, PairEngine engine, int percent = 80) {
  DupSearchSettings settings;
  settings.Match.MatchPercent = static_cast<std::uint8_t>(percent);
  settings.Match.PartThreshold = PartThreshold(settings.Match.MatchPercent);
  settings.MatchAction = action;
  settings.Engine = engine;
  return settings;
}

class Answers final : public PairQuestion {
 public:
  explicit Answers(std::vector<std::uint8_t> answers) : answers_(std::move(answers)) {}
  std::uint8_t Ask(std::uint32_t first, std::uint32_t second, std::uint8_t percent) override {
    asked.push_back({first, second, percent});
    if (next_ >= answers_.size()) {
      ADD_FAILURE() << "unexpected question about " << first << " and " << second;
      return kDupStop;
    }
    return answers_[next_++];
  }
  struct Asked {
    std::uint32_t First, Second, Percent;
  };
  std::vector<Asked> asked;

 private:
  std::vector<std::uint8_t> answers_;
  std::size_t next_ = 0;
};

TEST(DuplicateSearch, DocumentedPairLoopCases) {
  for (PairEngine engine : {PairEngine::Reference, PairEngine::Fast}) {
    const char* which = engine == PairEngine::Reference ? "reference" : "fast";
    {
      EntryList list = List({"One"});
      DupSearchState state;
      DeletionMarks marks;
      Answers none({});
      ASSERT_TRUE(RunDupSearch(list, Settings(0, engine), state, marks, none));
      EXPECT_EQ(state.Texts.Read().Finish, "Finished. 0 matches found. 0 duplicates to be deleted.") << which;
      EXPECT_EQ(FinalDupButtons(true, 0).CloseCaption, "&CLOSE");
      EntryList empty;
      ASSERT_TRUE(RunDupSearch(empty, Settings(0, engine), state, marks, none)) << "no ItemCount - 1 on empty lists";
    }
    {
      // Three identical names: the second and third are marked as partners of the first.
      EntryList list = List({"Same Song", "Same Song", "Same Song"});
      DupSearchState state;
      DeletionMarks marks;
      Answers none({});
      ASSERT_TRUE(RunDupSearch(list, Settings(0, engine), state, marks, none));
      EXPECT_EQ(marks, (DeletionMarks{1, 0, 0})) << which;
      EXPECT_EQ(state.Texts.Read().Finish, "Finished. 2 matches found. 2 duplicates to be deleted.") << which;
      EXPECT_EQ(state.Log.LinesFrom(0), (std::vector<std::string>{"Same Song", "Same Song"}));
      EXPECT_FALSE(state.Running);
      EXPECT_TRUE(state.Completed);
    }
    {
      // A matches B, B matches C, A does not match C: B, though marked, still marks C.
      // At 75: A-B and B-C give 79 (0.99 - 2/10), A-C 59.
      EntryList list = List({"abcdefghij", "abcdefghxx", "abcdefxxxx"});
      DupSearchState state;
      DeletionMarks marks;
      Answers none({});
      ASSERT_TRUE(RunDupSearch(list, Settings(0, engine, 75), state, marks, none));
      EXPECT_EQ(marks, (DeletionMarks{1, 0, 0})) << which;
    }
    {
      // Action 1: 99 and 100 % pairs are marked without asking, an 85 % pair is asked about,
      // also by the marked entries the outer loop still visits.
      EntryList list = List({"Morning", "MORNING", "Morning!", "Mornings"});
      DupSearchState state;
      DeletionMarks marks;
      Answers answers({kDupLeaveBoth, kDupLeaveBoth, kDupLeaveBoth});
      ASSERT_TRUE(RunDupSearch(list, Settings(1, engine), state, marks, answers));
      ASSERT_EQ(answers.asked.size(), 3u) << which;
      for (std::uint32_t k = 0; k < 3; ++k) {
        EXPECT_EQ(answers.asked[k].First, k);
        EXPECT_EQ(answers.asked[k].Second, 3u);
        EXPECT_EQ(answers.asked[k].Percent, 85u);
      }
      EXPECT_EQ(marks, (DeletionMarks{1, 0, 0, 1}));
      EXPECT_EQ(state.MatchesFound, 5u);
    }
    {
      // "DELETE 1ST" ends entry i: later entries are compared with entry i + 1 onwards.
      EntryList list = List({"Song A1", "Song A2", "Song A3"});
      DupSearchState state;
      DeletionMarks marks;
      Answers answers({kDupDeleteFirst, kDupDeleteSecond});
      ASSERT_TRUE(RunDupSearch(list, Settings(2, engine), state, marks, answers));
      ASSERT_EQ(answers.asked.size(), 2u) << which;
      EXPECT_EQ(answers.asked[1].First, 1u);
      EXPECT_EQ(answers.asked[1].Second, 2u);
      EXPECT_EQ(marks, (DeletionMarks{0, 1, 0}));
      EXPECT_EQ(state.MatchesFound, 2u);
      EXPECT_EQ(state.ToDelete, 2u);
    }
    {
      // An entry marked as the second of a pair and again as the first is counted once.
      EntryList list = List({"Song A1", "Song A2", "Song A3"});
      DupSearchState state;
      DeletionMarks marks;
      Answers answers({kDupDeleteSecond, kDupLeaveBoth, kDupDeleteFirst});
      ASSERT_TRUE(RunDupSearch(list, Settings(2, engine), state, marks, answers));
      ASSERT_EQ(answers.asked.size(), 3u);
      EXPECT_EQ(answers.asked[2].First, 1u) << "the outer loop visits the marked entry";
      EXPECT_EQ(state.ToDelete, 1u);
      EXPECT_EQ(state.MatchesFound, 3u);
      EXPECT_EQ(state.Log.Size(), 1u);
    }
    {
      // AllowUnspecified off: a missing size never matches.
      EntryList list = List({"Same Song", "Same Song"});
      list.Entry(1).SizeKB = -1;
      DupSearchSettings settings = Settings(0, engine);
      settings.Limits.AllowUnspecified = false;
      DupSearchState state;
      DeletionMarks marks;
      Answers none({});
      ASSERT_TRUE(RunDupSearch(list, settings, state, marks, none));
      EXPECT_EQ(state.MatchesFound, 0u) << which;
    }
    {
      // A stop answered during a confirmation ends the run without a finish text.
      EntryList list = List({"Song A1", "Song A2", "Song A3", "Song A4"});
      DupSearchState state;
      DeletionMarks marks;
      Answers answers({kDupDeleteSecond, kDupStop});
      EXPECT_FALSE(RunDupSearch(list, Settings(2, engine), state, marks, answers));
      EXPECT_TRUE(state.Running) << "stays set after an abort";
      EXPECT_EQ(state.Texts.Read().Finish, "");
      EXPECT_EQ(state.ToDelete, 1u);
    }
  }
}

TEST(DuplicateSearch, ProgressAndButtons) {
  EXPECT_EQ(DupProgress(0, 2), 0);
  EXPECT_EQ(DupProgress(0, 10), 0);
  EXPECT_EQ(DupProgress(4, 10), 750) << "x = 0.5";
  EXPECT_EQ(DupProgress(8, 10), 1000);
  EXPECT_EQ(DupProgress(1, 6), 438) << "x = 0.25: 437.5 rounds to even";

  DupButtons done = FinalDupButtons(true, 3);
  EXPECT_FALSE(done.AnswerButtonsShown);
  EXPECT_TRUE(done.AbortShown);
  EXPECT_EQ(done.AbortCaption, "&UNDO");
  EXPECT_TRUE(done.CloseShown);
  EXPECT_EQ(done.CloseCaption, "&DELETE");
  EXPECT_EQ(done.CloseLeft, 296);
  EXPECT_TRUE(done.SaveLogShown);
  EXPECT_FALSE(done.ViewLogShown);
  DupButtons nothing = FinalDupButtons(true, 0);
  EXPECT_FALSE(nothing.AbortShown);
  EXPECT_EQ(nothing.CloseCaption, "&CLOSE");
  EXPECT_EQ(nothing.CloseLeft, 384);
  EXPECT_FALSE(nothing.SaveLogShown);
  DupButtons aborted = FinalDupButtons(false, 2);
  EXPECT_EQ(aborted.AbortCaption, "&ABORT");
  EXPECT_FALSE(aborted.CloseShown);
  EXPECT_FALSE(aborted.SaveLogShown);
}

TEST(DuplicateSearch, ApplyDeletionsKeepsOrderAndClearsAnEmptiedList) {
  ListStore store;
  for (const char* name : {"a", "b", "c", "d"}) store.AppendEntry(Entry(name));
  DeletionResult result = ApplyDeletions(store, {1, 0, 1, 0});
  EXPECT_TRUE(result.Changed);
  EXPECT_FALSE(result.Cleared);
  ASSERT_EQ(store.ItemCount(), 2u);
  EXPECT_EQ(store.Entry(0).FileName.View(), "a");
  EXPECT_EQ(store.Entry(1).FileName.View(), "c");
  EXPECT_TRUE(store.Unsaved);
  EXPECT_EQ(ItemsLeftText(store.ItemCount()), "2 items left.");

  store.Unsaved = false;
  result = ApplyDeletions(store, {1, 1});
  EXPECT_FALSE(result.Changed);
  EXPECT_FALSE(store.Unsaved);

  store.SetListFileName("old.ordl");
  result = ApplyDeletions(store, {0, 0});
  EXPECT_TRUE(result.Cleared);
  EXPECT_EQ(store.ItemCount(), 0u);
  EXPECT_EQ(store.ListFileName(), "") << "cleared as a new list";
  EXPECT_EQ(kListCleared, std::string_view("List cleared (closing view window)."));
}

TEST(DuplicateSearch, LogListStopsAtThirtyThousandLines) {
  LogList log(kDupLogFull);
  for (int i = 0; i < 30001; ++i) log.Add("name " + std::to_string(i));
  log.Add("one more");
  EXPECT_EQ(log.Size(), 30001u);
  std::vector<std::string> tail = log.LinesFrom(29999);
  ASSERT_EQ(tail.size(), 2u);
  EXPECT_EQ(tail[0], "name 29999");
  EXPECT_EQ(tail[1], "LOG FULL (30000 LINES). SEARCH CONTINUES WITHOUT DISPLAY.");
}

// Waits until `condition` holds, for at most two seconds.
template <typename Condition>
bool Eventually(Condition condition) {
  for (int i = 0; i < 400; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(5ms);
  }
  return condition();
}

TEST(DuplicateSearch, WorkerAnswersAndStopsOnItsThread) {
  EntryList list = List({"Song A1", "Song A2", "Song A3", "Song A4", "Song A5"});
  for (PairEngine engine : {PairEngine::Reference, PairEngine::Fast}) {
    DupSearchRun run;
    run.Start(list, Settings(2, engine), ThreadPriorityLevel::Low);
    ASSERT_TRUE(Eventually([&] { return run.State().Confirming.load(); }));
    WorkerTexts::Snapshot texts = run.State().Texts.Read();
    EXPECT_EQ(texts.Caption, " Please confirm this 85 % match:");
    EXPECT_EQ(texts.File1, "File 1: Song A1, 3:55, 4000 K, 128 kbps, JS, ");
    EXPECT_EQ(texts.File2, "File 2: Song A2, 3:55, 4000 K, 128 kbps, JS, ");
    EXPECT_EQ(run.State().CurrentPercent, 85);
    run.SetAnswer(kDupDeleteSecond);
    ASSERT_TRUE(Eventually([&] { return run.State().ToDelete.load() == 1 && run.State().Confirming.load(); }));
    // Stop during a confirmation: the worker ends at once, marks kept for the question.
    ScriptedCaller caller;
    caller.Expect(std::string(kRevertQuestion), Answer::No);
    ListStore store;
    for (const ListEntry& e : list.Entries()) store.AppendEntry(e);
    DeletionResult result = run.Close(store, caller);
    EXPECT_TRUE(run.Ended());
    EXPECT_TRUE(result.Changed) << "No performs the deletions confirmed so far";
    EXPECT_EQ(store.ItemCount(), 4u);
    EXPECT_TRUE(caller.AllAnswered());
  }
}

TEST(DuplicateSearch, StopBetweenPairsEndsQuickly) {
  // A long automatic run is stopped between pairs within a fraction of a second.
  EntryList list;
  for (int i = 0; i < 4000; ++i) list.AppendEntry(Entry("Artist " + std::to_string(i % 97) + " - Title " + std::to_string(i)));
  for (PairEngine engine : {PairEngine::Reference, PairEngine::Fast}) {
    DupSearchRun run;
    run.Start(list, Settings(0, engine, 50), ThreadPriorityLevel::Normal);
    std::this_thread::sleep_for(20ms);
    auto before = std::chrono::steady_clock::now();
    run.Undo();
    auto took = std::chrono::steady_clock::now() - before;
    EXPECT_TRUE(run.Ended());
    EXPECT_LT(took, 500ms);
    // "&UNDO" changes nothing and closing afterwards asks nothing once the run completed
    // or found nothing to revert.
    ListStore store;
    for (const ListEntry& e : list.Entries()) store.AppendEntry(e);
    ScriptedCaller caller;
    if (run.State().ToDelete > 0) caller.Expect("", Answer::Yes);
    EXPECT_FALSE(run.Close(store, caller).Changed);
    EXPECT_EQ(store.ItemCount(), 4000u);
  }
}

TEST(DuplicateSearch, CompletedRunDeletesOnDeleteButton) {
  EntryList list = List({"Same Song", "Other", "same song"});
  DupSearchRun run;
  run.Start(list, Settings(0, PairEngine::Fast), ThreadPriorityLevel::High);
  run.Wait();
  ASSERT_TRUE(run.State().Completed);
  ListStore store;
  for (const ListEntry& e : list.Entries()) store.AppendEntry(e);
  DeletionResult result = run.Delete(store);
  EXPECT_TRUE(result.Changed);
  EXPECT_EQ(store.ItemCount(), 2u);
  ScriptedCaller caller;
  EXPECT_FALSE(run.Close(store, caller).Changed) << "no question after a completed run";
}

TEST(DuplicateSearch, SavedLog) {
  TempDir dir;
  EntryList list = List({"Keep", "Gone One", "Gone Two"});
  list.Entry(2).Frames = -1;
  list.Entry(2).BitrateCode = 255;
  list.Entry(2).SizeKB = -1;
  list.Entry(2).StereoMode = 4;
  DeletionMarks marks = {1, 0, 0};
  FieldStyle style;
  style.ErrorInfoStyle = 0;
  LogStamp stamp{"12/24/26", "10:11:12"};
  ASSERT_TRUE(WriteDupLog(dir.File("log.txt"), list, marks, 2, style, stamp).ok());
  EXPECT_EQ(ReadFileBytes(dir.File("log.txt")),
            "Ordonna duplicates search log at 12/24/26, 10:11:12\r\n2 duplicates found:\r\n\r\n"
            "Gone One, 3:55, 128 kbps, 4000 K, JS\r\nGone Two");
  style.ErrorInfoStyle = 1;
  ASSERT_TRUE(WriteDupLog(dir.File("log.txt"), list, marks, 2, style, stamp).ok());
  EXPECT_EQ(ReadFileBytes(dir.File("log.txt")),
            "Ordonna duplicates search log at 12/24/26, 10:11:12\r\n2 duplicates found:\r\n\r\n"
            "Gone One, 3:55, 128 kbps, 4000 K, JS\r\nGone Two, ??:??, ? kbps, ? K, ?");
  // A failed write leaves the earlier log as it was.
  EXPECT_FALSE(WriteDupLog(dir.File("missing/log.txt"), list, marks, 2, style, stamp).ok());
}

TEST(DuplicateSearch, SaveLogNameRules) {
  TempDir dir;
  EXPECT_EQ(DupLogTargetOf("/x/dups", true).Path, "/x/dups.txt");
  EXPECT_TRUE(DupLogTargetOf("/x/dups", true).TxtAppended);
  EXPECT_FALSE(DupLogTargetOf("/x/dups.TXT", true).TxtAppended);
  EXPECT_FALSE(DupLogTargetOf("/x/dups.log", false).TxtAppended);
  EXPECT_EQ(RememberedFolder("/music/logs/dups.txt"), "/music/logs");
  EXPECT_EQ(RememberedFolder("/dups.txt"), "/");
  EXPECT_EQ(RememberedFolder("/" + std::string(300, 'f') + "/x.txt"), std::nullopt);

  EntryList list = List({"Same Song", "Same Song"});
  DupSearchState state;
  DeletionMarks marks;
  Answers none({});
  ASSERT_TRUE(RunDupSearch(list, Settings(0, PairEngine::Fast), state, marks, none));
  AppOptions options{};
  FieldStyle style;
  LogStamp stamp{"d", "t"};

  // "dups" with the first filter becomes "dups.txt"; an existing "dups.txt" is asked about.
  WriteFileBytes(dir.File("dups.txt"), "old");
  ScriptedCaller refuses;
  refuses.Expect(dir.File("dups.txt") + " already exists.\r\nDo you want to replace it?", Answer::No);
  DupLogSaved saved = SaveDupLog(dir.File("dups"), true, state, list, marks, style, stamp, options, refuses);
  EXPECT_FALSE(saved.Saved);
  EXPECT_EQ(ReadFileBytes(dir.File("dups.txt")), "old");
  EXPECT_EQ(options.Dialog.DupLogFolder.View(), dir.Path());
  EXPECT_EQ(saved.LogPath, "\"" + dir.File("dups.txt") + "\"");

  // A name the dialog already confirmed is not asked about again.
  ScriptedCaller silent;
  saved = SaveDupLog(dir.File("dups.log"), false, state, list, marks, style, stamp, options, silent);
  EXPECT_TRUE(saved.Saved);
  saved = SaveDupLog(dir.File("dups.log"), false, state, list, marks, style, stamp, options, silent);
  EXPECT_TRUE(saved.Saved);

  DupSearchState empty;
  ScriptedCaller warned;
  EXPECT_FALSE(SaveDupLog(dir.File("x"), true, empty, list, marks, style, stamp, options, warned).Saved);
  ASSERT_EQ(warned.messages.size(), 1u);
  EXPECT_EQ(warned.messages[0].Text, "Nothing to save.");
  ScriptedCaller failing;
  EXPECT_FALSE(SaveDupLog(dir.File("no/such/x"), true, state, list, marks, style, stamp, options, failing).Saved);
  ASSERT_EQ(failing.messages.size(), 1u);
  EXPECT_EQ(failing.messages[0].Text, "Disk error.");
}

}  // namespace
}  // namespace ordonna
