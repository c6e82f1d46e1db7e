// The fast way to the pairs that match: instead of comparing every pair, names are indexed by
// pieces that any matching partner must contain (by the pigeonhole principle on the edit
// distance the threshold allows), and only the pairs that share a piece are compared in full.
// The result is exactly the set of pairs the plain pair loop finds, sorted for its replay.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "core/ListEntry.h"
#include "match/TitleMatch.h"

namespace ordonna {

struct MatchPair {
  std::uint32_t First;   // self search: the earlier entry; cross search: the entry of `first`
  std::uint32_t Second;  // self search: the later entry; cross search: the entry of `second`
  std::uint8_t Percent;
};

struct JoinControl {
  // Polled between small batches of work; true stops the search (the result is then empty).
  std::function<bool()> ShouldStop;
  // Share of the work done, 0..1000, called from the searching threads now and then.
  std::function<void(std::uint16_t)> Progress;
  unsigned Threads = 2;
};

// All pairs i < j of `list` whose TitleMatchPercent reaches the threshold and that AcceptPair
// passes, sorted by First, then Second. False when stopped.
bool FindSelfMatches(std::span<const ListEntry> list, const MatchSettings& settings, const PairLimits& limits,
                     bool unspecifiedRule, const JoinControl& control, std::vector<MatchPair>& pairs);

// Which pairs a cross search returns for each entry of one list.
enum class CrossPairs {
  All,
  FirstOfFirst,   // for each entry of `first`, only its match with the lowest index in `second`
  FirstOfSecond,  // for each entry of `second`, only its match with the lowest index in `first`
};

// All pairs (a in `first`, b in `second`) that match with TitleMatchPercent(a, b) and pass
// AcceptPair(a, b), sorted by First, then Second; or, for a loop that takes the first match of
// each entry and goes on, only those. False when stopped.
bool FindCrossMatches(std::span<const ListEntry> first, std::span<const ListEntry> second,
                      const MatchSettings& settings, const PairLimits& limits, bool unspecifiedRule,
                      const JoinControl& control, std::vector<MatchPair>& pairs, CrossPairs which = CrossPairs::All);

}  // namespace ordonna
