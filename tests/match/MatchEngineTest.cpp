// The fast pair engine against the plain pair loop: the same matching pairs for every
// setting, on random lists full of near-duplicates and hostile names, and the same run of
// the duplicates search (marks, counters, questions, log, finish text) under scripted answers.
#include "match/MatchEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <tuple>

#include "match/DuplicateSearch.h"
#include "match/NameGenerator.h"
#include "match/ScriptedPairs.h"

namespace ordonna {
namespace {

using testing::NameGenerator;
using testing::NameMix;

// The matching pairs (first, second, percent), in the order of the pair loop or sorted.
using Pairs = std::vector<std::tuple<std::uint32_t, std::uint32_t, int>>;

struct Case {
  MatchSettings Match;
  PairLimits Limits;
  bool UnspecifiedRule = true;
};

Case AtPercent(int percent, bool letterCheck = false, bool relaxed = false) {
  Case c;
  c.Match.MatchPercent = static_cast<std::uint8_t>(percent);
  c.Match.PartThreshold = PartThreshold(c.Match.MatchPercent);
  c.Match.LetterCheck = letterCheck;
  c.Match.Relaxed = relaxed;
  return c;
}

Case RandomCase(std::mt19937& random, bool allowRelaxed) {
  auto below = [&random](int n) { return static_cast<int>(random() % static_cast<std::uint32_t>(n)); };
  // Thresholds near the interesting ends come up more often.
  const int picks[] = {50, 60, 64, 65, 70, 75, 80, 85, 90, 95, 97, 98, 99, 100};
  const int percent = below(3) == 0 ? 50 + below(51) : picks[below(14)];
  Case c = AtPercent(percent, below(4) == 0);
  c.Match.HighChars = below(2) == 0;
  c.Match.Relaxed = allowRelaxed && below(2) == 0;
  c.Limits.AllowUnspecified = below(3) != 0;
  c.Limits.SizeMayDiffer = below(3) == 0;
  c.Limits.SizeDiffKB = static_cast<std::uint16_t>(below(400));
  c.Limits.TimeMayDiffer = below(3) == 0;
  c.Limits.TimeDiffSec = static_cast<std::uint16_t>(below(20));
  c.Limits.BitrateMustMatch = below(3) == 0;
  c.UnspecifiedRule = below(2) == 0;
  return c;
}

Pairs BrutePairs(std::span<const ListEntry> a, std::span<const ListEntry> b, bool self, const Case& c) {
  Pairs pairs;
  std::vector<PreparedTitle> titlesB;
  for (const ListEntry& e : b) titlesB.push_back(PrepareTitle(e.FileName.View(), c.Match.HighChars));
  for (std::uint32_t i = 0; i < a.size(); ++i) {
    PreparedTitle titleA = PrepareTitle(a[i].FileName.View(), c.Match.HighChars);
    for (std::uint32_t j = self ? i + 1 : 0; j < b.size(); ++j) {
      int p = TitleMatchPercent(titleA, titlesB[j], c.Match);
      if (p >= c.Match.MatchPercent && AcceptPair(a[i], b[j], c.Limits, c.UnspecifiedRule)) {
        pairs.emplace_back(i, j, p);
      }
    }
  }
  return pairs;
}

// The entry pairs of the matching names that pass AcceptPair (`self`: only later entries).
Pairs Expanded(std::span<const ListEntry> a, const NameGroups& groupsA, std::span<const ListEntry> b,
               const NameGroups& groupsB, const NameMatches& matches, bool self, const Case& c) {
  Pairs pairs;
  for (std::uint32_t i = 0; i < a.size(); ++i) {
    for (const NamePartner& partner : matches.Of(groupsA.NameOf[i])) {
      for (std::uint32_t at = groupsB.Start[partner.Name]; at < groupsB.Start[partner.Name + 1]; ++at) {
        const std::uint32_t j = groupsB.Members[at];
        if ((!self || j > i) && AcceptPair(a[i], b[j], c.Limits, c.UnspecifiedRule)) {
          pairs.emplace_back(i, j, partner.Percent);
        }
      }
    }
  }
  std::sort(pairs.begin(), pairs.end());
  return pairs;
}

// The fast self search against the pair loop.
void ExpectSelfPairs(std::span<const ListEntry> list, const Case& c, const JoinControl& control,
                     const std::string& what) {
  const NameGroups groups = GroupNames(list);
  NameMatches matches;
  ASSERT_TRUE(FindSelfNameMatches(list, groups, c.Match, control, matches));
  ASSERT_EQ(BrutePairs(list, list, true, c), Expanded(list, groups, list, groups, matches, true, c))
      << what << " at " << int{c.Match.MatchPercent};
}

TEST(MatchEngine, AdversarialNamesEqualThePairLoop) {
  // Names that are all alike, all short, or all punctuation, at every threshold.
  const std::vector<std::vector<std::string>> lists = {
      {"aaaa", "aaab", "aaba", "abaa", "baaa", "aa", "a", "", "aaaaa", "aaaa - aaaa", "aaaa_-_aaab", "aaa-aaa"},
      {"!!!", "???", "", " ", "!!! - ???", "Band - !!!", "Band - ???", "band - !!!", "_-_", "-", "a - !", "a-!"},
      {"The Band - Song", "the band - song", "THE BAND_-_SONG", "The Band - Song!", "The Bnd - Song", "Band - The Song",
       "The Band - Songs", "The Band - Son", "Song", "The Band", "the band song"},
      {"x", "y", "xy", "yx", "xyz", "zyx", "xyzw", "wxyz", "ab-cd", "ab_cd", "abcd", "a-bcd"},
  };
  for (const auto& names : lists) {
    std::vector<ListEntry> list(names.size(), UndeterminedEntry());
    for (std::size_t i = 0; i < names.size(); ++i) list[i].FileName.Set(names[i]);
    for (int percent = 50; percent <= 100; ++percent) {
      for (int flags = 0; flags < 4; ++flags) {
        ExpectSelfPairs(list, AtPercent(percent, (flags & 1) != 0, (flags & 2) != 0), JoinControl{}, names[0]);
        if (HasFatalFailure()) return;
      }
    }
  }
}

// Everything a run leaves behind, as one text: completion, marks, counters, questions, log, finish.
std::string RunWith(PairEngine engine, const EntryList& list, DupSearchSettings settings, std::uint32_t seed,
                    bool allowStop) {
  settings.Engine = engine;
  DupSearchState state;
  DeletionMarks marks;
  std::vector<std::uint8_t> replies = {1, 2, 2, 4, 4, 3, 8};
  if (!allowStop) replies.pop_back();
  testing::ScriptedPairs question(replies, seed);
  std::string run = RunDupSearch(list, settings, state, marks, question) ? "completed|" : "stopped|";
  for (std::uint8_t mark : marks) run += static_cast<char>('0' + mark);
  run += "|" + std::to_string(state.MatchesFound) + "|" + std::to_string(state.ToDelete) + "|";
  run += question.asked;
  for (const std::string& line : state.Log.LinesFrom(0)) run += "|" + line;
  return run + "|" + state.Texts.Read().Finish;
}

TEST(MatchEngine, EnginesEqualThePairLoopOnRandomLists) {
  std::mt19937 random(2024);
  for (int round = 0; round < 600; ++round) {
    const std::string what = "round " + std::to_string(round);
    // Varied names, untagged rips ("Track NN") and names repeated across albums, in turn.
    NameGenerator names(static_cast<std::uint32_t>(round));
    const NameMix mix{0.1 + 0.1 * (round % 5), (round % 3) * 0.1, round % 3 == 1 ? 0.3 : 0.0,
                      round % 3 == 2 ? 0.1 : 0.0};
    const std::vector<ListEntry> list =
        names.Entries(static_cast<std::size_t>(round % 3 == 0 ? round % 60 : round % 200), mix);
    Case c = RandomCase(random, true);
    JoinControl control;
    control.Threads = 1 + round % 2;
    ExpectSelfPairs(list, c, control, what);
    if (HasFatalFailure()) return;

    // Cross searches between the halves: near-duplicates of the first half land in the second.
    std::span<const ListEntry> first(list.data(), list.size() / 2);
    std::span<const ListEntry> second(list.data() + first.size(), list.size() - first.size());
    const NameGroups groupsFirst = GroupNames(first);
    const NameGroups groupsSecond = GroupNames(second);
    NameMatches matches;
    ASSERT_TRUE(FindCrossNameMatches(first, groupsFirst, second, groupsSecond, c.Match, control, matches));
    ASSERT_EQ(BrutePairs(first, second, false, c),
              Expanded(first, groupsFirst, second, groupsSecond, matches, false, c))
        << what;

    // The duplicates search, which never matches relaxed, runs alike with both engines.
    EntryList entries;
    for (const ListEntry& e : list) entries.AppendEntry(e);
    DupSearchSettings settings;
    settings.Match = c.Match;
    settings.Match.Relaxed = false;
    settings.Limits = c.Limits;
    settings.MatchAction = static_cast<std::uint8_t>(round % 3);
    settings.Threads = control.Threads;
    const bool allowStop = round % 5 == 0;
    ASSERT_EQ(RunWith(PairEngine::Reference, entries, settings, static_cast<std::uint32_t>(round), allowStop),
              RunWith(PairEngine::Fast, entries, settings, static_cast<std::uint32_t>(round), allowStop))
        << what;
  }
}

}  // namespace
}  // namespace ordonna
