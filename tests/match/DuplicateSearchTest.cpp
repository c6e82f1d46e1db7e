// The duplicates search: the documented pair-loop cases, the worker protocol on a real thread
// (answers, stop during a confirmation and between pairs, closing with the revert question),
// progress, ApplyDeletions, the log list limit and the saved log.
#include "match/DuplicateSearch.h"

#include <gtest/gtest.h>

#include <thread>
#include <tuple>

#include "match/DupLog.h"
#include "match/DupSearchRun.h"
#include "match/NameGenerator.h"
#include "match/ScriptedPairs.h"
#include "support/ScriptedCaller.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using namespace std::chrono_literals;
using testing::AlikeEntry;
using testing::Eventually;
using testing::ReadFileBytes;
using testing::ScriptedCaller;
using testing::TempDir;
using testing::WriteFileBytes;

EntryList List(std::initializer_list<std::string> names) {
  EntryList list;
  for (const std::string& name : names) list.AppendEntry(AlikeEntry(name));
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

// One search run to its end; the questions asked are in `answers.asked`.
struct Search {
  DupSearchState state;
  DeletionMarks marks;
  testing::ScriptedPairs answers;
  bool completed;
  Search(const EntryList& list, const DupSearchSettings& settings, std::vector<std::uint8_t> replies = {})
      : answers(std::move(replies)), completed(RunDupSearch(list, settings, state, marks, answers)) {}
};

TEST(DuplicateSearch, DocumentedPairLoopCases) {
  for (PairEngine engine : {PairEngine::Reference, PairEngine::Fast}) {
    EXPECT_TRUE(Search(EntryList{}, Settings(0, engine)).completed) << "no ItemCount - 1 on empty lists";

    // Three identical names: the second and third are marked as partners of the first.
    Search same(List({"Same Song", "Same Song", "Same Song"}), Settings(0, engine));
    ASSERT_TRUE(same.completed);
    EXPECT_EQ(same.marks, (DeletionMarks{1, 0, 0}));
    EXPECT_EQ(same.state.Texts.Read().Finish, "Finished. 2 matches found. 2 duplicates to be deleted.");
    EXPECT_EQ(same.state.Log.LinesFrom(0), (std::vector<std::string>{"Same Song", "Same Song"}));
    EXPECT_TRUE(same.state.Completed && !same.state.Running);

    // A matches B, B matches C, A does not match C: B, though marked, still marks C.
    // At 75: A-B and B-C give 79 (0.99 - 2/10), A-C 59.
    EXPECT_EQ(Search(List({"abcdefghij", "abcdefghxx", "abcdefxxxx"}), Settings(0, engine, 75)).marks,
              (DeletionMarks{1, 0, 0}));

    // Action 1: 99 and 100 % pairs are marked without asking, an 85 % pair is asked about,
    // also by the marked entries the outer loop still visits.
    Search asked(List({"Morning", "MORNING", "Morning!", "Mornings"}), Settings(1, engine),
                 {kDupLeaveBoth, kDupLeaveBoth, kDupLeaveBoth});
    EXPECT_EQ(asked.answers.asked, "0,3,85;1,3,85;2,3,85;");
    EXPECT_EQ(asked.marks, (DeletionMarks{1, 0, 0, 1}));
    EXPECT_EQ(asked.state.MatchesFound, 5u);
    // ... and a 98 % pair too (0.99 - 1/100).
    const std::string hundred(99, 'x');
    Search near(List({hundred + "a", hundred + "b"}), Settings(1, engine), {kDupLeaveBoth});
    EXPECT_EQ(near.answers.asked, "0,1,98;");

    // "DELETE 1ST" ends entry i: later entries are compared with entry i + 1 onwards.
    Search first(List({"Song A1", "Song A2", "Song A3"}), Settings(2, engine), {kDupDeleteFirst, kDupDeleteSecond});
    EXPECT_EQ(first.answers.asked, "0,1,85;1,2,85;");
    EXPECT_EQ(first.marks, (DeletionMarks{0, 1, 0}));
    EXPECT_EQ(first.state.ToDelete, 2u);

    // An entry marked as the second of a pair and again as the first is counted once.
    Search twice(List({"Song A1", "Song A2", "Song A3"}), Settings(2, engine),
                 {kDupDeleteSecond, kDupLeaveBoth, kDupDeleteFirst});
    EXPECT_EQ(twice.answers.asked, "0,1,85;0,2,85;1,2,85;") << "the outer loop visits the marked entry";
    EXPECT_EQ(twice.state.ToDelete, 1u);
    EXPECT_EQ(twice.state.Log.Size(), 1u);

    // A stop answered during a confirmation ends the run without a finish text.
    Search stopped(List({"Song A1", "Song A2", "Song A3", "Song A4"}), Settings(2, engine),
                   {kDupDeleteSecond, kDupStop});
    EXPECT_TRUE(!stopped.completed && stopped.state.Running) << "stays set after an abort";
    EXPECT_EQ(stopped.state.Texts.Read().Finish, "");
    EXPECT_EQ(stopped.state.ToDelete, 1u);
  }
}

ListStore StoreOf(const EntryList& list) {
  ListStore store;
  for (const ListEntry& e : list.Entries()) store.AppendEntry(e);
  return store;
}

TEST(DuplicateSearch, ProgressLogListAndApplyDeletions) {
  EXPECT_EQ(DupProgress(1, 6), 438) << "x = 0.25: 437.5 rounds to even";

  LogList log(kDupLogFull);
  for (int i = 0; i < 30002; ++i) log.Add("name " + std::to_string(i));
  EXPECT_EQ(log.LinesFrom(29999),
            (std::vector<std::string>{"name 29999", "LOG FULL (30000 LINES). SEARCH CONTINUES WITHOUT DISPLAY."}));

  ListStore store = StoreOf(List({"a", "b", "c", "d"}));
  DeletionResult result = ApplyDeletions(store, {1, 0, 1, 0});
  EXPECT_TRUE(result.Changed && !result.Cleared && store.Unsaved);
  ASSERT_EQ(store.ItemCount(), 2u);
  EXPECT_EQ(std::string(store.Entry(0).FileName.View()) + std::string(store.Entry(1).FileName.View()), "ac");
  store.Unsaved = false;
  EXPECT_FALSE(ApplyDeletions(store, {1, 1}).Changed || store.Unsaved);
  store.SetListFileName("old.ordl");
  EXPECT_FALSE(ApplyDeletions(store, {0, 1}).Cleared) << "one entry left";
  EXPECT_TRUE(ApplyDeletions(store, {0}).Cleared);
  EXPECT_EQ(store.ItemCount(), 0u);
  EXPECT_EQ(store.ListFileName(), "") << "cleared as a new list";
  EXPECT_FALSE(ApplyDeletions(store, {}).Cleared) << "nothing to clear";
}

TEST(DuplicateSearch, WorkerAnswersAndStopsOnItsThread) {
  EntryList list = List({"Song A1", "Song A2", "Song A3", "Song A4", "Song A5"});
  EntryList longList;  // stopped between pairs within a fraction of a second
  for (int i = 0; i < 4000; ++i)
    longList.AppendEntry(AlikeEntry("Artist " + std::to_string(i % 97) + " - Title " + std::to_string(i)));
  for (PairEngine engine : {PairEngine::Reference, PairEngine::Fast}) {
    DupSearchRun run;
    run.Start(list, Settings(2, engine), ThreadPriorityLevel::Low);
    ASSERT_TRUE(Eventually([&] { return run.State().Confirming.load(); }));
    run.SetAnswer(kDupDeleteSecond);
    ASSERT_TRUE(Eventually([&] { return run.State().ToDelete.load() == 1 && run.State().Confirming.load(); }));
    // Stop during a confirmation: the worker ends at once, marks kept for the question.
    ScriptedCaller caller;
    caller.Expect(std::string(kRevertQuestion), Answer::No);
    ListStore store = StoreOf(list);
    EXPECT_TRUE(run.Close(store, caller).Changed) << "No performs the deletions confirmed so far";
    EXPECT_TRUE(run.Ended() && caller.AllAnswered());
    EXPECT_EQ(store.ItemCount(), 4u);

    DupSearchRun automatic;
    automatic.Start(longList, Settings(0, engine, 50), ThreadPriorityLevel::Normal);
    std::this_thread::sleep_for(20ms);
    auto before = std::chrono::steady_clock::now();
    automatic.Undo();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 500ms);
    EXPECT_TRUE(automatic.Ended());
    // "&UNDO" changes nothing; closing afterwards asks at most the revert question.
    store = StoreOf(longList);
    if (automatic.State().ToDelete > 0) caller.Expect("", Answer::Yes);
    EXPECT_FALSE(automatic.Close(store, caller).Changed);
    EXPECT_EQ(store.ItemCount(), 4000u);
  }
}

TEST(DuplicateSearch, SavedLogAndItsName) {
  TempDir dir;
  EntryList list = List({"Keep", "Gone One", "Gone Two"});
  list.Entry(2).Frames = -1;
  list.Entry(2).BitrateCode = 255;
  list.Entry(2).SizeKB = -1;
  list.Entry(2).StereoMode = 4;
  list.Entry(1).StereoMode = 3;
  const DeletionMarks marks = {1, 0, 0};
  FieldStyle style;
  style.ErrorInfoStyle = 1;
  EXPECT_TRUE(WriteDupLog(dir.File("log.txt"), list, marks, 2, style, {"12/24/26", "10:11:12"}).ok());
  EXPECT_EQ(ReadFileBytes(dir.File("log.txt")),
            "Ordonna duplicates search log at 12/24/26, 10:11:12\r\n2 duplicates found:\r\n\r\n"
            "Gone One, 3:55, 128 kbps, 4000 K, M\r\nGone Two, ??:??, ? kbps, ? K, ?");

  // ".txt" is added with the first filter to a name not ending in it, in any case.
  for (auto [chosen, filter, target] : {std::tuple{"/x/dups.TXT", true, "/x/dups.TXT"},
                                        {".txt", true, ".txt"},
                                        {"txt", true, "txt.txt"},
                                        {"/x/dups.log", false, "/x/dups.log"}}) {
    EXPECT_EQ(DupLogTargetOf(chosen, filter).Path, target);
  }

  const Search search(list, Settings(0, PairEngine::Fast, 50));
  ASSERT_GT(search.state.Log.Size(), 0u);
  AppOptions options{};
  ScriptedCaller caller;
  auto save = [&](const std::string& name, bool firstFilter) {
    return SaveDupLog(dir.File(name), firstFilter, search.state, list, search.marks, style, {}, options, caller).Saved;
  };
  // "dups" with the first filter becomes "dups.txt"; an existing "dups.txt" is asked about.
  WriteFileBytes(dir.File("dups.txt"), "old");
  caller.Expect(dir.File("dups.txt") + " already exists.\r\nDo you want to replace it?", Answer::No);
  EXPECT_FALSE(save("dups", true));
  EXPECT_EQ(ReadFileBytes(dir.File("dups.txt")), "old");
  EXPECT_EQ(options.Dialog.DupLogFolder.View(), dir.Path());
  // A name the dialog already confirmed is not asked about again.
  for (int i = 0; i < 2; ++i) EXPECT_TRUE(save("dups.log", false));
  EXPECT_FALSE(save("no/such/x", true));
  EXPECT_EQ(caller.messages.size(), 1u) << "the disk error";
}

}  // namespace
}  // namespace ordonna
