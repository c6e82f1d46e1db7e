// The pigeonhole index. A name within edit distance t of another (the shorter of length l)
// shares at least one of its t + 1 pieces with it, near the same place; pieces are looked up
// by hash, so a collision only adds a candidate and never loses a pair. Every candidate is
// then checked with the exact TitleMatchPercent and AcceptPair.
#include "match/MatchEngine.h"

#include <algorithm>
#include <cmath>
#include <thread>
#include <unordered_map>

namespace ordonna {
namespace {

std::uint64_t Mix(std::uint64_t h) {
  h ^= h >> 33;
  h *= 0xff51afd7ed558ccdULL;
  h ^= h >> 33;
  h *= 0xc4ceb9fe1a85ec53ULL;
  h ^= h >> 33;
  return h;
}

std::uint64_t HashUnits(TitleView units, std::uint64_t seed) {
  std::uint64_t h = seed * 0x9E3779B97F4A7C15ULL + units.size();
  for (char32_t u : units) h = (h ^ u) * 0x100000001B3ULL;
  return Mix(h);
}

// Pieces of a name of length l cut into t + 1 parts: the first parts one unit shorter.
struct Piece {
  int Start;
  int Length;
};

Piece PieceOf(int length, int bound, int k) {
  int parts = bound + 1;
  int base = length / parts;
  int longer = length % parts;  // the last `longer` pieces have base + 1 units
  int shortCount = parts - longer;
  if (k < shortCount) return {k * base, base};
  return {shortCount * base + (k - shortCount) * (base + 1), base + 1};
}

// Key -> range of ids, open addressing over the sorted (key, id) pairs.
class PieceIndex {
 public:
  void Build(std::vector<std::pair<std::uint64_t, std::uint32_t>>& items) {
    std::sort(items.begin(), items.end());
    ids_.resize(items.size());
    std::size_t distinct = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
      ids_[i] = items[i].second;
      if (i == 0 || items[i].first != items[i - 1].first) ++distinct;
    }
    std::size_t size = 16;
    while (size < distinct * 2) size *= 2;
    mask_ = size - 1;
    slots_.assign(size, Slot{0, 0, 0});
    for (std::size_t i = 0; i < items.size();) {
      std::size_t j = i;
      while (j < items.size() && items[j].first == items[i].first) ++j;
      std::size_t at = items[i].first & mask_;
      while (slots_[at].End != 0) at = (at + 1) & mask_;
      slots_[at] = {items[i].first, static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(j)};
      i = j;
    }
  }

  std::span<const std::uint32_t> Find(std::uint64_t key) const {
    if (slots_.empty()) return {};
    for (std::size_t at = key & mask_;; at = (at + 1) & mask_) {
      const Slot& slot = slots_[at];
      if (slot.End == 0) return {};
      if (slot.Key == key) return {ids_.data() + slot.Begin, slot.End - slot.Begin};
    }
  }

 private:
  struct Slot {
    std::uint64_t Key;
    std::uint32_t Begin;
    std::uint32_t End;  // 0 marks an empty slot (a used slot holds at least one id)
  };
  std::vector<Slot> slots_;
  std::vector<std::uint32_t> ids_;
  std::size_t mask_ = 0;
};

// One pigeonhole join over a text per id (names, or title parts).
class PieceJoin {
 public:
  // `bound(l)` is the distance allowed when the shorter text has l units. Relaxed joins look
  // for pieces anywhere in the longer text (a window of it may be the match).
  PieceJoin(std::vector<TitleView> texts, std::function<int(int)> bound, bool relaxed)
      : texts_(std::move(texts)), relaxed_(relaxed) {
    for (int l = 0; l <= 256; ++l) bounds_[static_cast<std::size_t>(l)] = std::max(0, bound(l));
    std::vector<std::pair<std::uint64_t, std::uint32_t>> items;
    for (std::uint32_t id = 0; id < texts_.size(); ++id) {
      TitleView text = texts_[id];
      if (text.empty()) continue;
      int l = static_cast<int>(text.size());
      int t = bounds_[static_cast<std::size_t>(l)];
      present_[static_cast<std::size_t>(l)] = true;
      for (int k = 0; k <= t; ++k) {
        Piece piece = PieceOf(l, t, k);
        pieceLengths_[static_cast<std::size_t>(piece.Length)] = true;
        items.emplace_back(Key(l, k, text.substr(static_cast<std::size_t>(piece.Start),
                                                 static_cast<std::size_t>(piece.Length))),
                           id);
      }
    }
    index_.Build(items);
  }

  // Calls `visit(id)` for every id whose text may match `probe`'s text and is shorter, or as
  // long with a smaller id (a matching pair of equal lengths is found from either side).
  template <typename Visit>
  void Probe(std::uint32_t probe, Visit&& visit) const {
    TitleView text = texts_[probe];
    if (text.empty()) return;
    const int L = static_cast<int>(text.size());
    if (relaxed_) {
      for (int g = 1; g <= L; ++g) {
        if (!pieceLengths_[static_cast<std::size_t>(g)]) continue;
        for (int pos = 0; pos + g <= L; ++pos) {
          auto ids = index_.Find(Key(0, g, text.substr(static_cast<std::size_t>(pos), static_cast<std::size_t>(g))));
          for (std::uint32_t id : ids) {
            if (texts_[id].size() < text.size() || (texts_[id].size() == text.size() && id < probe)) visit(id);
          }
        }
      }
      return;
    }
    for (int l = std::max(1, L - bounds_[static_cast<std::size_t>(L)]); l <= L; ++l) {
      if (!present_[static_cast<std::size_t>(l)]) continue;
      const int t = bounds_[static_cast<std::size_t>(l)];
      const int delta = L - l;
      if (delta > t) continue;
      // The piece's shift s obeys |s| + |delta - s| <= t (edits before and after it).
      const int low = -((t - delta) / 2);
      const int high = (t + delta) / 2;
      for (int k = 0; k <= t; ++k) {
        Piece piece = PieceOf(l, t, k);
        for (int s = low; s <= high; ++s) {
          int pos = piece.Start + s;
          if (pos < 0 || pos + piece.Length > L) continue;
          auto ids = index_.Find(
              Key(l, k, text.substr(static_cast<std::size_t>(pos), static_cast<std::size_t>(piece.Length))));
          for (std::uint32_t id : ids) {
            if (texts_[id].size() == static_cast<std::size_t>(l) && (l < L || id < probe)) visit(id);
          }
        }
      }
    }
  }

 private:
  std::uint64_t Key(int l, int k, TitleView piece) const {
    // Relaxed keys hold only the piece, since its place in the longer text is free.
    std::uint64_t seed = relaxed_ ? piece.size() : (static_cast<std::uint64_t>(l) << 16) | static_cast<std::uint64_t>(k);
    return HashUnits(piece, seed);
  }

  std::vector<TitleView> texts_;
  bool relaxed_;
  std::array<int, 257> bounds_{};
  std::array<bool, 257> present_{};
  std::array<bool, 257> pieceLengths_{};
  PieceIndex index_;
};

// Names (of one list, or of two lists side by side) with what the joins need.
struct TitleSet {
  std::vector<PreparedTitle> Titles;
  std::vector<const ListEntry*> Entries;
  std::uint32_t FirstCount = 0;  // ids below it are of the first list
  bool Cross = false;
};

void PrepareAll(TitleSet& set, bool highChars, unsigned threads) {
  set.Titles.resize(set.Entries.size());
  std::atomic<std::size_t> next{0};
  auto work = [&] {
    for (std::size_t i; (i = next.fetch_add(1024)) < set.Entries.size();) {
      std::size_t end = std::min(set.Entries.size(), i + 1024);
      for (; i < end; ++i) set.Titles[i] = PrepareTitle(set.Entries[i]->FileName.View(), highChars);
    }
  };
  std::vector<std::thread> pool;
  for (unsigned t = 1; t < threads; ++t) pool.emplace_back(work);
  work();
  for (std::thread& thread : pool) thread.join();
}

class Searcher {
 public:
  Searcher(const TitleSet& set, const MatchSettings& settings, const PairLimits& limits, bool unspecifiedRule)
      : set_(set), settings_(settings), limits_(limits), unspecifiedRule_(unspecifiedRule) {}

  bool Run(const JoinControl& control, std::vector<MatchPair>& pairs) {
    BuildJoins();
    const std::size_t n = set_.Titles.size();
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stopped{false};
    std::atomic<std::size_t> done{0};
    std::vector<std::vector<MatchPair>> found(std::max(1u, control.Threads));
    auto work = [&](unsigned worker) {
      std::vector<std::uint32_t> stamps(n, 0);
      std::uint32_t stamp = 0;
      std::vector<MatchPair>& out = found[worker];
      constexpr std::size_t kBatch = 64;
      for (std::size_t first; (first = next.fetch_add(kBatch)) < n;) {
        if (stopped.load(std::memory_order_relaxed) || (control.ShouldStop && control.ShouldStop())) {
          stopped = true;
          return;
        }
        std::size_t end = std::min(n, first + kBatch);
        for (std::size_t id = first; id < end; ++id) {
          ++stamp;
          auto probe = static_cast<std::uint32_t>(id);
          auto visit = [&](std::uint32_t other) {
            if (stamps[other] == stamp) return;
            stamps[other] = stamp;
            Check(other, probe, out);
          };
          if (whole_) whole_->Probe(probe, visit);
          if (part_) part_->Probe(probe, visit);
        }
        std::size_t total = done.fetch_add(end - first) + (end - first);
        if (control.Progress) control.Progress(static_cast<std::uint16_t>(total * 1000 / (n + groupWork_)));
      }
    };
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < found.size(); ++t) pool.emplace_back(work, t);
    work(0);
    for (std::thread& thread : pool) thread.join();
    if (stopped) return false;
    // Names that normalize to nothing match only through equal text, found by grouping.
    for (const std::vector<std::uint32_t>& group : groups_) {
      if (control.ShouldStop && control.ShouldStop()) return false;
      for (std::size_t a = 0; a < group.size(); ++a) {
        for (std::size_t b = a + 1; b < group.size(); ++b) Check(group[a], group[b], found[0]);
      }
    }
    pairs.clear();
    for (const auto& part : found) pairs.insert(pairs.end(), part.begin(), part.end());
    std::sort(pairs.begin(), pairs.end(), [](const MatchPair& x, const MatchPair& y) {
      return x.First != y.First ? x.First < y.First : x.Second < y.Second;
    });
    pairs.erase(std::unique(pairs.begin(), pairs.end(),
                            [](const MatchPair& x, const MatchPair& y) {
                              return x.First == y.First && x.Second == y.Second;
                            }),
                pairs.end());
    if (control.Progress) control.Progress(1000);
    return true;
  }

 private:
  void BuildJoins() {
    const std::size_t n = set_.Titles.size();
    const int percent = settings_.MatchPercent;
    std::unordered_map<TitleUnits, std::vector<std::uint32_t>> wholeGroups;
    std::unordered_map<TitleUnits, std::vector<std::uint32_t>> partGroups;
    if (percent >= 100) {
      for (std::uint32_t id = 0; id < n; ++id) wholeGroups[set_.Titles[id].Upper].push_back(id);
    } else {
      std::vector<TitleView> wholeTexts(n);
      for (std::uint32_t id = 0; id < n; ++id) {
        const PreparedTitle& title = set_.Titles[id];
        wholeTexts[id] = title.Normal;
        if (title.Normal.empty()) wholeGroups[title.Upper].push_back(id);
      }
      // Below 99 the similarity 0.99 - d / m (or a window's) must round to the threshold.
      double minimum = percent == 99 ? 0.99 : (percent - 0.5) / 100.0;
      whole_ = std::make_unique<PieceJoin>(
          std::move(wholeTexts), [minimum](int l) { return DistanceBound(static_cast<std::size_t>(l), minimum); },
          settings_.Relaxed);
      if (percent <= 98) {
        // Split names match only when their title parts reach the part threshold (and the
        // geometric mean the percentage, the other part being at most 1).
        double partMinimum = std::max(settings_.PartThreshold, minimum * minimum);
        std::vector<TitleView> partTexts(n);
        for (std::uint32_t id = 0; id < n; ++id) {
          const PreparedTitle& title = set_.Titles[id];
          if (!title.Split) continue;
          partTexts[id] = title.NormalPart[1];
          if (title.NormalPart[1].empty()) partGroups[title.UpperPart[1]].push_back(id);
        }
        part_ = std::make_unique<PieceJoin>(
            std::move(partTexts),
            [partMinimum](int l) { return DistanceBound(static_cast<std::size_t>(l), partMinimum); },
            settings_.Relaxed);
      }
    }
    for (auto* map : {&wholeGroups, &partGroups}) {
      for (auto& [key, ids] : *map) {
        if (ids.size() < 2) continue;
        groupWork_ += ids.size();
        groups_.push_back(std::move(ids));
      }
    }
  }

  // Checks the pair of ids `a` and `b` found by a join (or a group), in either order.
  void Check(std::uint32_t a, std::uint32_t b, std::vector<MatchPair>& out) {
    std::uint32_t first = std::min(a, b);
    std::uint32_t second = std::max(a, b);
    if (set_.Cross) {
      if ((first < set_.FirstCount) == (second < set_.FirstCount)) return;
      second -= set_.FirstCount;
      if (!AcceptPair(*set_.Entries[first], *set_.Entries[second + set_.FirstCount], limits_, unspecifiedRule_)) {
        return;
      }
      int p = TitleMatchPercent(set_.Titles[first], set_.Titles[second + set_.FirstCount], settings_);
      if (p >= settings_.MatchPercent) out.push_back({first, second, static_cast<std::uint8_t>(p)});
      return;
    }
    if (first == second) return;
    if (!AcceptPair(*set_.Entries[first], *set_.Entries[second], limits_, unspecifiedRule_)) return;
    int p = TitleMatchPercent(set_.Titles[first], set_.Titles[second], settings_);
    if (p >= settings_.MatchPercent) out.push_back({first, second, static_cast<std::uint8_t>(p)});
  }

  const TitleSet& set_;
  MatchSettings settings_;
  PairLimits limits_;
  bool unspecifiedRule_;
  std::unique_ptr<PieceJoin> whole_;
  std::unique_ptr<PieceJoin> part_;
  std::vector<std::vector<std::uint32_t>> groups_;
  std::size_t groupWork_ = 0;
};

bool Search(TitleSet& set, const MatchSettings& settings, const PairLimits& limits, bool unspecifiedRule,
            const JoinControl& control, std::vector<MatchPair>& pairs) {
  pairs.clear();
  PrepareAll(set, settings.HighChars, std::max(1u, control.Threads));
  Searcher searcher(set, settings, limits, unspecifiedRule);
  return searcher.Run(control, pairs);
}

}  // namespace

int DistanceBound(std::size_t m, double minimum) {
  // The tiny slack keeps a pair whose bound lands exactly on an integer in double arithmetic.
  double bound = std::floor(static_cast<double>(m) * (0.99 - minimum) + 1e-6);
  if (bound < 0) return 0;
  // Fewer than m so that every piece has at least one unit.
  return static_cast<int>(std::min(bound, static_cast<double>(m > 0 ? m - 1 : 0)));
}

bool FindSelfMatches(std::span<const ListEntry> list, const MatchSettings& settings, const PairLimits& limits,
                     bool unspecifiedRule, const JoinControl& control, std::vector<MatchPair>& pairs) {
  TitleSet set;
  set.Entries.reserve(list.size());
  for (const ListEntry& entry : list) set.Entries.push_back(&entry);
  return Search(set, settings, limits, unspecifiedRule, control, pairs);
}

bool FindCrossMatches(std::span<const ListEntry> first, std::span<const ListEntry> second,
                      const MatchSettings& settings, const PairLimits& limits, bool unspecifiedRule,
                      const JoinControl& control, std::vector<MatchPair>& pairs) {
  TitleSet set;
  set.Cross = true;
  set.FirstCount = static_cast<std::uint32_t>(first.size());
  set.Entries.reserve(first.size() + second.size());
  for (const ListEntry& entry : first) set.Entries.push_back(&entry);
  for (const ListEntry& entry : second) set.Entries.push_back(&entry);
  return Search(set, settings, limits, unspecifiedRule, control, pairs);
}

}  // namespace ordonna
