// The duplicates pair loop: the plain loop over every pair, and its replay over the entries
// of the names the fast engine found alike, sharing the handling of a matched pair so that
// both behave alike.
#include "match/DuplicateSearch.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "match/MatchEngine.h"
#include "match/MatchLog.h"

namespace ordonna {
namespace {

enum class Next { Pair, Entry, Stop };

class PairLoop {
 public:
  PairLoop(const EntryList& list, const DupSearchSettings& settings, DupSearchState& state, DeletionMarks& marks,
           PairQuestion& question)
      : list_(list), settings_(settings), state_(state), marks_(marks), question_(question) {}

  // A pair whose names match and that AcceptPair passed.
  Next Matched(std::uint32_t i, std::uint32_t j, std::uint8_t percent) {
    const std::uint8_t action = settings_.MatchAction;
    if (action == 0 || (action == 1 && percent > 98)) {
      Mark(j);
      Count(state_.MatchesFound);
      return Next::Pair;
    }
    std::uint8_t answer = question_.Ask(i, j, percent);
    Count(state_.MatchesFound);
    switch (answer) {
      case kDupDeleteFirst: Mark(i); return Next::Entry;
      case kDupDeleteSecond: Mark(j); return Next::Pair;
      case kDupStop: return Next::Stop;
      default: return Next::Pair;
    }
  }

  bool StopAsked() const { return state_.Answer.Get() == kDupStop; }

 private:
  static void Count(std::atomic<std::uint32_t>& counter) { counter.fetch_add(1, std::memory_order_relaxed); }

  // An entry already marked is neither counted nor logged again.
  void Mark(std::uint32_t index) {
    if (marks_[index] == 0) return;
    marks_[index] = 0;
    Count(state_.ToDelete);
    state_.Log.Add(list_.Entry(index).FileName.View());
  }

  const EntryList& list_;
  const DupSearchSettings& settings_;
  DupSearchState& state_;
  DeletionMarks& marks_;
  PairQuestion& question_;
};

bool ReferenceLoop(const EntryList& list, const DupSearchSettings& settings, DupSearchState& state, PairLoop& loop,
                   const DeletionMarks& marks) {
  const std::uint32_t n = list.ItemCount();
  std::vector<PreparedTitle> titles;
  titles.reserve(n);
  for (const ListEntry& entry : list.Entries())
    titles.push_back(PrepareTitle(entry.FileName.View(), settings.Match.HighChars));
  for (std::uint32_t i = 0; i + 1 < n; ++i) {
    state.Progress = DupProgress(i, n);
    for (std::uint32_t j = i + 1; j < n; ++j) {
      if (marks[j] == 0) continue;
      if (loop.StopAsked()) return false;
      int percent = TitleMatchPercent(titles[i], titles[j], settings.Match);
      state.CurrentPercent = static_cast<std::uint8_t>(percent);
      if (percent < settings.Match.MatchPercent) continue;
      if (!AcceptPair(list.Entry(i), list.Entry(j), settings.Limits, true)) continue;
      Next next = loop.Matched(i, j, static_cast<std::uint8_t>(percent));
      if (next == Next::Stop) return false;
      if (next == Next::Entry) break;
    }
  }
  return true;
}

// The entries of each name not yet passed by the outer loop and not marked: a marked entry
// is unlinked, so that later probes never see it again.
class LiveMembers {
 public:
  explicit LiveMembers(const NameGroups& groups)
      : groups_(groups), next_(groups.Members.size() + 1), low_(groups.Start.begin(), groups.Start.end() - 1) {
    for (std::uint32_t place = 0; place < next_.size(); ++place) next_[place] = place;
  }

  // The place in Members of the first live entry of `name` after entry `after`, or End(name).
  std::uint32_t FirstAfter(std::uint32_t name, std::uint32_t after) {
    std::uint32_t& low = low_[name];
    const std::uint32_t end = End(name);
    while (low < end && groups_.Members[low] <= after) ++low;
    return Live(low, end);
  }
  std::uint32_t NextOf(std::uint32_t place, std::uint32_t name) { return Live(place + 1, End(name)); }
  std::uint32_t End(std::uint32_t name) const { return groups_.Start[name + 1]; }
  void Remove(std::uint32_t place) { next_[place] = place + 1; }

 private:
  // The first live place from `place` on (with path halving), or `end`.
  std::uint32_t Live(std::uint32_t place, std::uint32_t end) {
    while (place < end && next_[place] != place) {
      next_[place] = next_[next_[place]];
      place = next_[place];
    }
    return std::min(place, end);
  }

  const NameGroups& groups_;
  std::vector<std::uint32_t> next_;  // a place itself while its entry is live
  std::vector<std::uint32_t> low_;   // per name: no entry before it is after the outer entry
};

bool FastLoop(const EntryList& list, const DupSearchSettings& settings, DupSearchState& state, PairLoop& loop,
              const DeletionMarks& marks) {
  const std::uint32_t n = list.ItemCount();
  JoinControl control;
  control.Threads = settings.Threads;
  control.ShouldStop = [&loop] { return loop.StopAsked(); };
  control.Progress = [&state](std::uint16_t progress) { state.Progress = progress; };
  const NameGroups groups = GroupNames(list.Entries());
  NameMatches matches;
  if (!FindSelfNameMatches(list.Entries(), groups, settings.Match, control, matches)) return false;
  // The replay visits, for each entry, the live later entries of the names that match its
  // own in the order of the pair loop; the pairs between them change nothing.
  const bool asks = settings.MatchAction != 0;
  LiveMembers live(groups);
  struct Candidate {
    std::uint32_t Entry;
    std::uint32_t Place;
    std::uint32_t Name;
    std::uint8_t Percent;
    bool operator>(const Candidate& other) const { return Entry > other.Entry; }
  };
  std::vector<Candidate> heap;
  const auto later = std::greater<Candidate>();
  for (std::uint32_t i = 0; i + 1 < n; ++i) {
    if (asks) state.Progress = DupProgress(i, n);
    if (i % 1024 == 0 && loop.StopAsked()) return false;
    heap.clear();
    for (const NamePartner& partner : matches.Of(groups.NameOf[i])) {
      std::uint32_t place = live.FirstAfter(partner.Name, i);
      if (place < live.End(partner.Name)) heap.push_back({groups.Members[place], place, partner.Name, partner.Percent});
    }
    std::make_heap(heap.begin(), heap.end(), later);
    while (!heap.empty()) {
      std::pop_heap(heap.begin(), heap.end(), later);
      Candidate& candidate = heap.back();
      const std::uint32_t j = candidate.Entry;
      Next step = Next::Pair;
      if (AcceptPair(list.Entry(i), list.Entry(j), settings.Limits, true)) {
        if (loop.StopAsked()) return false;
        state.CurrentPercent = candidate.Percent;
        step = loop.Matched(i, j, candidate.Percent);
        if (step == Next::Stop) return false;
        if (marks[j] == 0) live.Remove(candidate.Place);
        if (step == Next::Entry) break;
      }
      candidate.Place = live.NextOf(candidate.Place, candidate.Name);
      if (candidate.Place < live.End(candidate.Name)) {
        candidate.Entry = groups.Members[candidate.Place];
        std::push_heap(heap.begin(), heap.end(), later);
      } else {
        heap.pop_back();
      }
    }
  }
  return true;
}

}  // namespace

DupSearchSettings DupSearchSettingsOf(const AppOptions& options, const FieldStyle& style) {
  DupSearchSettings settings;
  settings.Match = MatchSettingsOf(options.Dialog, false);
  settings.Limits = PairLimitsOf(options.Dialog);
  settings.MatchAction = options.Dialog.MatchAction;
  settings.Style = style;
  return settings;
}

std::uint8_t StatePairQuestion::Ask(std::uint32_t first, std::uint32_t second, std::uint8_t percent) {
  state_.Texts.SetFiles(PairLine("File 1: ", list_.Entry(first), style_),
                        PairLine("File 2: ", list_.Entry(second), style_));
  if (state_.Answer.ClearUnless(kDupStop, kDupStop) != 0) return kDupStop;
  std::string confirm = " Please confirm this " + std::to_string(percent) + " % match:";
  state_.Texts.SetCaption(confirm, confirm);
  state_.Confirming = true;
  std::uint8_t answer = state_.Answer.WaitForAnswer();
  state_.Texts.SetCaption(kDupSearchingCaption, kProgressLabel);
  state_.Confirming = false;
  if (answer == kDupDeleteSecond || answer == kDupLeaveBoth) state_.Texts.SetFiles("", "");
  return answer;
}

bool RunDupSearch(const EntryList& list, const DupSearchSettings& settings, DupSearchState& state, DeletionMarks& marks,
                  PairQuestion& question) {
  state.ToDelete = 0;
  state.MatchesFound = 0;
  state.Running = true;
  state.Progress = 0;
  marks.assign(list.ItemCount(), 1);
  PairLoop loop(list, settings, state, marks, question);
  bool completed = settings.Engine == PairEngine::Reference ? ReferenceLoop(list, settings, state, loop, marks)
                                                            : FastLoop(list, settings, state, loop, marks);
  if (!completed) return false;
  state.Texts.SetFinish(DupFinishText(state.MatchesFound, state.ToDelete));
  state.Texts.SetCaption(kDupDoneCaption, kProgressLabel);
  state.Completed = true;
  state.Running = false;
  return true;
}

std::string DupFinishText(std::uint32_t matchesFound, std::uint32_t toDelete) {
  return "Finished. " + std::to_string(matchesFound) + " matches found. " + std::to_string(toDelete) +
         " duplicates to be deleted.";
}

std::uint16_t DupProgress(std::uint32_t i, std::uint32_t count) {
  if (count < 3) return 0;
  double x = static_cast<double>(i) / (count - 2);
  double progress = std::nearbyint(1000.0 * (2 * x - x * x));
  return static_cast<std::uint16_t>(std::min(progress, 1000.0));
}

DupButtons FinalDupButtons(bool completed, std::uint32_t toDelete) {
  DupButtons buttons{};
  buttons.AnswerButtonsShown = false;
  buttons.AbortShown = toDelete > 0;
  buttons.AbortCaption = completed ? "&UNDO" : "&ABORT";
  buttons.CloseShown = completed;
  buttons.CloseCaption = toDelete > 0 ? "&DELETE" : "&CLOSE";
  buttons.CloseLeft = toDelete > 0 ? 296 : 384;
  buttons.SaveLogShown = completed && toDelete > 0;
  buttons.ViewLogShown = false;
  return buttons;
}

DeletionResult ApplyDeletions(ListStore& list, const DeletionMarks& marks) {
  DeletionResult result;
  EntryList& entries = list.Working();
  const std::uint32_t before = entries.ItemCount();
  std::uint32_t kept = 0;
  for (std::uint32_t i = 0; i < before && i < marks.size(); ++i) {
    if (marks[i] == 1) {
      if (kept != i) entries.Entry(kept) = entries.Entry(i);
      ++kept;
    }
  }
  // Entries beyond the marks (none, while nobody changes the list during a run) are kept.
  for (std::uint32_t i = static_cast<std::uint32_t>(std::min<std::size_t>(marks.size(), before)); i < before; ++i) {
    entries.Entry(kept++) = entries.Entry(i);
  }
  entries.SetCapacity(kept);
  result.Changed = kept != before;
  if (result.Changed) list.Unsaved = true;
  if (kept == 0 && before > 0) {
    ClearList(list);
    result.Cleared = true;
  }
  return result;
}

}  // namespace ordonna
