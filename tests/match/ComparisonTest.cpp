// The list comparison: the documented cases, the log and new-list files of the procedures,
// loading both kinds of external list, abort with saving, the removal of action 9, the fast
// engine against the plain loop, the settings window's rules, and the questions a worker leaves
// for its window, answered in any order.
#include "match/Comparison.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <future>

#include "listfile/ListFileCommands.h"
#include "match/CompareRun.h"
#include "match/CompareSetup.h"
#include "match/NameGenerator.h"
#include "match/ScriptedPairs.h"
#include "support/ScriptedCaller.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::Eventually;
using testing::ReadFileBytes;
using testing::ScriptedCaller;
using testing::ScriptedPairs;
using testing::TempDir;
using testing::WriteFileBytes;

ListEntry Entry(const std::string& name) {
  ListEntry e = testing::AlikeEntry(name);
  e.Folder.Set("/music");
  e.VolumeLabel.Set("DISK");
  e.FileDate = 40000;
  e.DateAdded = 45000;
  return e;
}

// The log file without its first line (which holds the date and time).
std::string LogBody(const std::string& bytes) {
  EXPECT_EQ(bytes.rfind("Ordonna log file at ", 0), 0u);
  return bytes.substr(bytes.find("\r\n") + 2);
}

// Name, folder, label, file date and date added of an entry.
std::string Fields(const ListEntry& e) {
  return std::string(e.FileName.View()) + "|" + std::string(e.Folder.View()) + "|" + std::string(e.VolumeLabel.View()) +
         "|" + std::to_string(+e.FileDate) + "|" + std::to_string(+e.DateAdded);
}

struct Fixture {
  TempDir dir;
  ListStore current;
  EntryList external;
  CompareState state;
  CompareMarks marks;
  ScriptedCaller caller;

  Fixture(const std::vector<std::string>& currentNames, const std::vector<std::string>& externalNames) {
    for (const std::string& name : currentNames) current.AppendEntry(Entry(name));
    current.SortState = 7;
    EntryList list;
    for (const std::string& name : externalNames) list.AppendEntry(Entry(name));
    EXPECT_TRUE(WriteListFile(dir.File("external.ordl"), list, 0x81).ok());
  }

  CompareSettings Settings(std::uint8_t action, PairEngine engine = PairEngine::Fast, std::uint8_t matchAction = 0) {
    CompareSettings settings;
    settings.Match.MatchPercent = 80;
    settings.Match.PartThreshold = PartThreshold(80);
    settings.MatchAction = matchAction;
    settings.Action = action;
    settings.ListFile = dir.File("external.ordl");
    settings.SaveFile = dir.File("out");
    settings.Engine = engine;
    return settings;
  }

  template <typename Question = ScriptedPairs>
  CompareEnd Run(const CompareSettings& settings, Question&& question = ScriptedPairs({})) {
    return RunComparison(current, external, settings, state, marks, question, caller);
  }
  std::string Log() { return LogBody(ReadFileBytes(dir.File("out"))); }
  // The new list written to "out", expected to hold one entry.
  ListStore ReadBack() {
    ListStore read;
    ScriptedCaller quiet;
    EXPECT_EQ(LoadListFile(dir.File("out"), true, false, read, quiet, [] { return true; }).Count, 1);
    return read;
  }

  // An external list of "Alpha - One" and "Other" with volume labels of these lengths.
  std::string LabelList(std::size_t first, std::size_t second) {
    std::string file("\x03Ord\x00", 5);
    for (auto [name, length] : {std::pair<std::string, std::size_t>{"Alpha - One", first}, {"Other", second}}) {
      file += static_cast<char>(name.size()) + name + '\0' + static_cast<char>(length) + std::string(length, 'L');
      file += std::string(19, '\0');
    }
    WriteFileBytes(dir.File("labels.ordl"), file);
    return dir.File("labels.ordl");
  }
};

TEST(Comparison, LogFilesOfBothFamilies) {
  Fixture same({"Alpha - One", "Beta - Two"}, {"Alpha - One", "Beta - Two"});
  EXPECT_EQ(same.Run(same.Settings(0)), CompareEnd::Finished);
  EXPECT_EQ(same.state.Texts.Read().Finish, "Finished. No unique titles found. Log file not written.");
  EXPECT_FALSE(std::filesystem::exists(same.dir.File("out")));
  EXPECT_EQ(same.state.MatchCount, 2u);

  Fixture f({"Alpha - One", "Gamma - Three"}, {"Alpha - One", "Beta - Two", "Zeta - Six"});
  auto run = [&](CompareSettings settings) {
    EXPECT_EQ(f.Run(settings), CompareEnd::Finished);
    return f.Log();
  };
  EXPECT_EQ(run(f.Settings(0)),
            "2 unique titles found in \"external.ordl\":\r\n\r\nBeta - Two, 3:55, 128 kbps, 4000 K, JS\r\n"
            "Zeta - Six, 3:55, 128 kbps, 4000 K, JS");
  EXPECT_TRUE(f.state.LogWritten);
  EXPECT_EQ(run(f.Settings(7)), "1 match found:\r\n\r\nAlpha - One");
  EXPECT_EQ(AbortQuestion(2, 0, 5), "") << "nothing unique to save";
}

TEST(Comparison, NewListsKeepTheRightSortByteAndFields) {
  Fixture f({"Alpha - One", "Gamma - Three"}, {"Alpha - One", "Beta - Two"});
  ASSERT_EQ(f.Run(f.Settings(1)), CompareEnd::Finished);
  ListStore read = f.ReadBack();
  EXPECT_EQ(read.SortState, 0x81) << "the external file's sort byte";
  EXPECT_EQ(Fields(read.Entry(0)), "Beta - Two|||-1|-1");
  ASSERT_EQ(f.Run(f.Settings(6)), CompareEnd::Finished);
  EXPECT_EQ(Fields(f.ReadBack().Entry(0)), "Alpha - One|/music|DISK|-1|45000");
  ASSERT_EQ(f.Run(f.Settings(3)), CompareEnd::Finished);
  read = f.ReadBack();
  EXPECT_EQ(read.SortState, 7) << "the current list's order";
  EXPECT_EQ(Fields(read.Entry(0)), "Gamma - Three|/music|DISK|40000|45000");

  // From a text list: the log keeps the source lines; a new list carries none, nor an order.
  WriteFileBytes(f.dir.File("list.txt"), "Alpha - One.mp3 3:55 128kbps\r\nBeta - Two.mp3 4:00\r\n");
  CompareSettings settings = f.Settings(5);
  settings.TextList = true;
  settings.ListFile = f.dir.File("list.txt");
  ASSERT_EQ(f.Run(settings), CompareEnd::Finished);
  EXPECT_EQ(f.Log(), "1 match found in \"list.txt\":\r\n\r\nAlpha - One.mp3 3:55 128kbps");
  settings.Action = 6;
  ASSERT_EQ(f.Run(settings), CompareEnd::Finished);
  read = f.ReadBack();
  EXPECT_EQ(read.SortState, 63);
  EXPECT_EQ(Fields(read.Entry(0)).substr(read.Entry(0).FileName.View().size(), 3), "|||");
  // Relaxed matching only counts for text lists.
  AppOptions options{};
  for (std::uint8_t compareWith : {0, 1}) {
    options.Dialog.CompareWith = compareWith;
    EXPECT_EQ(CompareSettingsOf(options, true, FieldStyle{}).Match.Relaxed, compareWith == 1);
  }
}

TEST(Comparison, LoadFailuresAndTheLabelQuestion) {
  Fixture f({"Alpha - One"}, {"Alpha - One"});
  CompareSettings settings = f.Settings(0);
  const std::string whole = ReadFileBytes(f.dir.File("external.ordl"));
  WriteFileBytes(f.dir.File("cut.ordl"), whole.substr(0, whole.size() - 3));
  settings.ListFile = f.dir.File("cut.ordl");
  EXPECT_EQ(f.Run(settings), CompareEnd::Stopped);
  EXPECT_EQ(f.caller.messages.back().Text, "Invalid ORDL file or disk error (reading external file).");

  // Labels of 32 characters read without a question; of 33 and 40, one question per file, and
  // Yes keeps 32 characters.
  settings.ListFile = f.LabelList(32, 32);
  EXPECT_EQ(f.Run(settings), CompareEnd::Finished);
  ASSERT_EQ(f.external.ItemCount(), 2u);
  EXPECT_EQ(f.external.Entry(1).VolumeLabel.View(), std::string(32, 'L'));
  settings.ListFile = f.LabelList(33, 40);
  f.caller.Expect("", Answer::Yes);
  EXPECT_EQ(f.Run(settings), CompareEnd::Finished);
  ASSERT_EQ(f.external.ItemCount(), 2u);
  EXPECT_EQ(f.external.Entry(0).VolumeLabel.View(), std::string(32, 'L'));
  f.caller.Expect("", Answer::No);
  EXPECT_EQ(f.Run(settings), CompareEnd::Stopped);
  EXPECT_TRUE(f.caller.AllAnswered());
}

TEST(Comparison, ConfirmationsAndSavingOnStop) {
  for (PairEngine engine : {PairEngine::Reference, PairEngine::Fast}) {
    // Action 7 confirmed: "&DIFFER" goes on with the next external entry, "&MATCH" ends the
    // current entry, and a stop with saving writes the three matches found so far.
    Fixture f({"Song A1", "Song B1", "Song C1", "Song D1"}, {"Song A2", "Song A3", "Song B2", "Song C2", "Song D2"});
    ScriptedPairs answers({kCompareDiffer, kCompareMatch, kCompareMatch, kCompareMatch, kCompareStopAndSave});
    EXPECT_EQ(f.Run(f.Settings(7, engine, 2), answers), CompareEnd::SavedOnStop);
    EXPECT_EQ(answers.asked, "0,0,85;0,1,85;1,2,85;2,3,85;3,4,85;");
    EXPECT_EQ(f.state.MatchCount, 3u);
    EXPECT_EQ(f.Log(), "3 matches found:\r\n\r\nSong A1\r\nSong B1\r\nSong C1");

    // A unique action saved on stop writes only the entries decided so far.
    Fixture g({"Song A1", "Lone", "Song C1", "Also lone"}, {"Song A2", "Song C2"});
    EXPECT_EQ(g.Run(g.Settings(2, engine, 2), ScriptedPairs({kCompareMatch, kCompareStopAndSave})),
              CompareEnd::SavedOnStop);
    EXPECT_EQ(g.Log(), "1 unique title found:\r\n\r\nLone, 3:55, 128 kbps, 4000 K, JS");
    std::filesystem::remove(g.dir.File("out"));
    EXPECT_EQ(g.Run(g.Settings(5, engine, 2), ScriptedPairs({kCompareStop})), CompareEnd::Stopped);
    EXPECT_FALSE(std::filesystem::exists(g.dir.File("out"))) << "a plain stop writes nothing";

    // Action 1 takes a 99 % pair without asking and asks about a 98 % one (0.99 - 1/100).
    const std::string hundred(99, 'x');
    Fixture near({"Morning", hundred + "a"}, {"Morning!", hundred + "b"});
    ScriptedPairs confirm({kCompareMatch});
    EXPECT_EQ(near.Run(near.Settings(7, engine, 1), confirm), CompareEnd::Finished);
    EXPECT_EQ(confirm.asked, "1,1,98;");
    EXPECT_EQ(near.state.MatchCount, 2u);
  }
}

TEST(Comparison, AbortsOnTheWorkerThread) {
  // "&ABORT" at the end of action 9 (answer 32).
  Fixture f({"Alpha - One", "Lone"}, {"Alpha - One"});
  CompareRun run;
  run.Start(f.current, f.external, f.Settings(9), ThreadPriorityLevel::Normal);
  ASSERT_TRUE(Eventually([&] { return run.State().AwaitingDelete.load(); }));
  ScriptedCaller nobody;
  run.Abort(nobody);
  EXPECT_FALSE(run.Close(f.current).Changed);
  EXPECT_EQ(f.current.ItemCount(), 2u);

  // Saving asked for during a confirmation: the one match confirmed before is written.
  Fixture g({"Song A1", "Lone one", "Song B1"}, {"Song A2", "Song B2", "Unmatched"});
  CompareRun confirming;
  confirming.Start(g.current, g.external, g.Settings(5, PairEngine::Fast, 2), ThreadPriorityLevel::Normal);
  ASSERT_TRUE(Eventually([&] { return confirming.State().Confirming.load(); }));
  confirming.SetAnswer(kCompareMatch);
  ASSERT_TRUE(Eventually([&] { return confirming.State().Confirming && confirming.State().MatchCount > 0; }));
  ScriptedCaller caller;
  caller.Expect("", Answer::Yes);
  confirming.Abort(caller);
  confirming.Wait();
  EXPECT_TRUE(caller.AllAnswered());
  EXPECT_EQ(confirming.End(), CompareEnd::SavedOnStop);
  EXPECT_EQ(g.Log(), "1 match found in \"external.ordl\":\r\n\r\nSong A2, 3:55, 128 kbps, 4000 K, JS");
}

TEST(Comparison, FastEngineRunsLikeThePairLoop) {
  for (int round = 0; round < 200; ++round) {
    testing::NameGenerator names(static_cast<std::uint32_t>(round + 777));
    // Varied names, then untagged rips, then names repeated across albums.
    const double hostile = (round % 5) * 0.05, tracks = round % 3 == 1 ? 0.3 : 0.0;
    const testing::NameMix mix{0.4, hostile, tracks, round % 3 == 2 ? 0.1 : 0.0};
    std::vector<ListEntry> all = names.Entries(static_cast<std::size_t>(10 + round % 90), mix);
    std::string outcomes[2];
    for (int e = 0; e < 2; ++e) {
      Fixture f({}, {});
      EntryList external;
      for (std::size_t i = 0; i < all.size(); ++i) {
        if (i % 2 == 0) f.current.AppendEntry(all[i]);
        if (i % 2 == 1) external.AppendEntry(all[i]);
      }
      EXPECT_TRUE(WriteListFile(f.dir.File("external.ordl"), external, 1).ok());
      CompareSettings settings =
          f.Settings(static_cast<std::uint8_t>(round % 10), e == 0 ? PairEngine::Reference : PairEngine::Fast);
      settings.Match.MatchPercent = static_cast<std::uint8_t>(60 + round % 41);
      settings.Match.PartThreshold = PartThreshold(settings.Match.MatchPercent);
      settings.MatchAction = static_cast<std::uint8_t>(round % 3);
      settings.Limits.SizeMayDiffer = round % 4 == 0;
      settings.Limits.SizeDiffKB = 50;
      settings.Limits.TimeMayDiffer = round % 4 == 1;
      ScriptedPairs answers({1, 2, 2, 2, 1, 16, 8}, static_cast<std::uint32_t>(round));
      CompareEnd end = CompareEnd::Stopped;
      // The removal waits for "&DELETE": answered from here.
      std::future<void> worker = std::async(std::launch::async, [&] { end = f.Run(settings, answers); });
      while (worker.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready) {
        if (f.state.AwaitingDelete) f.state.Answer.Set(kCompareRemove);
      }
      std::string outcome = std::to_string(static_cast<int>(end)) + "|" + std::to_string(f.state.MatchCount) + "|" +
                            std::to_string(f.state.UniqueCount) + "|" + f.state.Texts.Read().Finish + "|" +
                            answers.asked;
      for (std::uint8_t mark : f.marks) outcome += static_cast<char>('0' + mark);
      for (const std::string& line : f.state.Log.LinesFrom(0)) outcome += "|" + line;
      if (std::filesystem::exists(f.dir.File("out"))) {
        std::string file = ReadFileBytes(f.dir.File("out"));
        outcome += "|" + (WritesNewList(settings.Action) ? file : LogBody(file));
      }
      outcomes[e] = outcome;
    }
    ASSERT_EQ(outcomes[0], outcomes[1]) << "round " << round;
  }
}

TEST(Comparison, SettingsWindowRules) {
  DialogOptions dialog{};
  dialog.CompareAction = 13;
  dialog.SizeDiffKB = 10000;
  RepairCompareSettings(dialog);
  EXPECT_EQ(std::vector<int>({dialog.CompareAction, +dialog.SizeDiffKB}), std::vector<int>({3, 400}));

  TempDir dir;
  WriteFileBytes(dir.File("list.ordl"), "x");
  WriteFileBytes(dir.File("list.txt"), "x");
  EXPECT_EQ(CompleteInputName(dir.File("list"), false), dir.File("list.ordl"));
  EXPECT_EQ(CompleteInputName(dir.File("list"), true), dir.File("list.txt"));

  EXPECT_EQ(OutputState(dir.File("new.ordl"), 0), FileState::Invalid) << "a log must not end in .ordl";
  EXPECT_FALSE(GoEnabled(true, FileState::Invalid, 0));
  EXPECT_EQ(CompleteOutputName("/x/res", ".txt"), "/x/res.txt");
  EXPECT_EQ(CompleteOutputName("/x/res.TXT", ".txt"), "/x/res.TXT");
}

TEST(WorkerProtocol, RequestsInEveryOrder) {
  // Replied (after a stale reply that must be ignored), stopped before the question, stopped
  // while it waits.
  for (int way = 0; way < 3; ++way) {
    WorkerRequests requests;
    if (way == 0) requests.Reply(Answer::No);
    if (way == 1) requests.Stop();
    std::future<Answer> worker = std::async(std::launch::async, [&] {
      requests.Tell("first", "Warning", MessageKind::Warning);
      return requests.Ask("go on", "prompt", Answer::No);
    });
    auto next = [&] {  // the next request's text, with "?" for a question
      std::optional<WorkerRequests::Request> r;
      Eventually([&] { return r.has_value() || (r = requests.Next()).has_value(); });
      return r ? r->Text + (r->Question ? "?" : "") : "none";
    };
    ASSERT_EQ(next(), "first") << way;
    if (way != 1) {
      ASSERT_EQ(next(), "go on?") << way;
      if (way == 2) requests.Stop();
      if (way == 0) requests.Reply(Answer::Yes);
    }
    EXPECT_EQ(worker.get(), way == 0 ? Answer::Yes : Answer::No) << way;
    EXPECT_FALSE(requests.Next()) << way;
  }
}

}  // namespace
}  // namespace ordonna
