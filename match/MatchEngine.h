// The fast way to the names that match: instead of comparing every pair, names are indexed by
// pieces that any matching partner must contain (by the pigeonhole principle on the edit
// distance the threshold allows), and only the pairs that share a piece are compared in full.
// Entries whose names are equal up to ASCII case have the same percentage with any partner,
// so the search runs once per distinct name; the callers replay the pair loop over the
// entries of the names that match, in its order.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "core/ListEntry.h"
#include "match/TitleMatch.h"

namespace ordonna {

// The entries of a list by name (equal up to ASCII case), names numbered in the order of
// their first entry.
struct NameGroups {
  std::vector<std::uint32_t> NameOf;   // the name of each entry
  std::vector<std::uint32_t> First;    // the first entry of each name
  std::vector<std::uint32_t> Start;    // the entries of name k are Members[Start[k]] .. Members[Start[k + 1] - 1]
  std::vector<std::uint32_t> Members;  // entry indexes, ascending within each name
  std::uint32_t Count() const { return static_cast<std::uint32_t>(First.size()); }
};

NameGroups GroupNames(std::span<const ListEntry> list);

struct NamePartner {
  std::uint32_t Name;
  std::uint8_t Percent;
};

// For each name of one side, the names of the other side that reach the threshold.
struct NameMatches {
  std::vector<std::uint32_t> Start;
  std::vector<NamePartner> Partners;
  std::span<const NamePartner> Of(std::uint32_t name) const {
    return {Partners.data() + Start[name], Start[name + 1] - Start[name]};
  }
};

struct JoinControl {
  // Polled between small batches of work; true stops the search.
  std::function<bool()> ShouldStop;
  // Share of the work done, 0..1000, called from the searching threads now and then.
  std::function<void(std::uint16_t)> Progress;
  unsigned Threads = 2;
};

// Every name of `list` with the names whose TitleMatchPercent with it reaches the threshold,
// itself included (100). The percentage of two names does not depend on their order when
// relaxed matching is off. False when stopped.
bool FindSelfNameMatches(std::span<const ListEntry> list, const NameGroups& groups, const MatchSettings& settings,
                         const JoinControl& control, NameMatches& matches);

// For every name of `first`, the names of `second` for which TitleMatchPercent(first name,
// second name) reaches the threshold. False when stopped.
bool FindCrossNameMatches(std::span<const ListEntry> first, const NameGroups& firstGroups,
                          std::span<const ListEntry> second, const NameGroups& secondGroups,
                          const MatchSettings& settings, const JoinControl& control, NameMatches& matches);

// The same matches listed by the names of the other side (`partnerNames` of them).
NameMatches Transposed(const NameMatches& matches, std::uint32_t partnerNames);

}  // namespace ordonna
