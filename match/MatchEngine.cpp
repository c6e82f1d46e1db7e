// The pigeonhole index. A name within edit distance t of another (the shorter of length l)
// shares at least one of its t + 1 pieces with it, near the same place; pieces are looked up
// by hash, so a collision only adds a candidate and never loses a pair. Every candidate is
// then checked with the exact TitleMatchPercent.
#include "match/MatchEngine.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <string>
#include <thread>
#include <unordered_map>

#include "core/Text.h"

namespace ordonna {
namespace {

// Two names that match: ids of one list, or of the first and the second list.
struct MatchPair {
  std::uint32_t First;
  std::uint32_t Second;
  std::uint8_t Percent;
};

std::uint64_t Mix(std::uint64_t h) {
  h ^= h >> 33;
  h *= 0xff51afd7ed558ccdULL;
  h ^= h >> 33;
  h *= 0xc4ceb9fe1a85ec53ULL;
  h ^= h >> 33;
  return h;
}

// The hash of units, built a unit at a time so that a probe can extend it along the text.
constexpr std::uint64_t kHashStart = 0xcbf29ce484222325ULL;
std::uint64_t HashStep(std::uint64_t h, char32_t unit) { return (h ^ unit) * 0x100000001B3ULL; }
std::uint64_t HashKey(std::uint64_t h, std::uint64_t seed, std::size_t length) {
  return Mix(h + seed * 0x9E3779B97F4A7C15ULL + length);
}

std::uint64_t HashUnits(TitleView units, std::uint64_t seed) {
  std::uint64_t h = kHashStart;
  for (char32_t u : units) h = HashStep(h, u);
  return HashKey(h, seed, units.size());
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

// Relaxed joins look up every substring of each piece length in the probing text, so they
// use few lengths: a piece keeps its start and is cut to one of these (a shorter piece
// still has to occur exactly, so nothing is lost; it is only less selective).
int RelaxedPieceLength(int length) {
  constexpr std::array<int, 9> kLengths = {1, 2, 3, 4, 5, 6, 8, 10, 12};
  int kept = 1;
  for (int candidate : kLengths) {
    if (candidate <= length) kept = candidate;
  }
  return kept;
}

// How many units of each kind a text holds: letters, digits by fours, space, the rest; two
// counts of at most 15 to a byte.
using UnitCounts = std::array<std::uint8_t, 16>;

UnitCounts CountUnits(TitleView text) {
  std::array<std::uint8_t, 32> counts{};
  for (char32_t unit : text) {
    std::size_t bin = unit >= U'a' && unit <= U'z'   ? unit - U'a'
                      : unit >= U'0' && unit <= U'9' ? 26 + (unit - U'0') % 4
                      : unit == U' '                 ? 30
                                                     : 31;
    if (counts[bin] < 15) ++counts[bin];
  }
  UnitCounts packed{};
  for (std::size_t i = 0; i < packed.size(); ++i) {
    packed[i] = static_cast<std::uint8_t>(counts[2 * i] | counts[2 * i + 1] << 4);
  }
  return packed;
}

// An edit changes the counts by at most two in all (one unit out, one in), and neither
// shared kinds nor the cap of 15 add to the difference: texts within d edits are at most
// 2 x d apart here.
int CountDistance(const UnitCounts& x, const UnitCounts& y) {
  int total = 0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    total += std::abs((x[i] & 15) - (y[i] & 15)) + std::abs((x[i] >> 4) - (y[i] >> 4));
  }
  return total;
}

// What a part join keeps of a split name's other part, which must pass the part threshold
// too: most names that share a common title have artists far apart, and the reverse.
struct PartTag {
  UnitCounts Counts;
  std::uint8_t Length = 0;
  bool Any = true;  // no other part to test
  // A bit per kind of unit: the text holds at least one of it (Once), at least two (Twice).
  std::uint32_t Once = 0;
  std::uint32_t Twice = 0;
};

PartTag TagOf(const UnitCounts& counts, std::uint8_t length) {
  PartTag tag{counts, length, false, 0, 0};
  for (std::size_t i = 0; i < 2 * counts.size(); ++i) {
    const int count = i % 2 == 0 ? counts[i / 2] & 15 : counts[i / 2] >> 4;
    if (count >= 1) tag.Once |= 1u << i;
    if (count >= 2) tag.Twice |= 1u << i;
  }
  return tag;
}

// True when the other parts of two names are too far apart for the cutoffs of their lengths.
// The differing bits count, per kind, |min(x, 2) - min(y, 2)| <= |x - y|: a lower bound of
// CountDistance, so it never rejects a pair that CountDistance would keep.
bool TagsApart(const PartTag& x, const PartTag& y, const std::array<int, 256>& cutoffs) {
  if (x.Any || y.Any) return false;
  const int cutoff = cutoffs[std::min(x.Length, y.Length)];
  return std::abs(x.Length - y.Length) > cutoff ||
         std::popcount(x.Once ^ y.Once) + std::popcount(x.Twice ^ y.Twice) > 2 * cutoff ||
         CountDistance(x.Counts, y.Counts) > 2 * cutoff;
}

// Key -> range of ids, open addressing over the sorted (key, id) pairs.
class PieceIndex {
 public:
  // `before` orders the ids of one key; `tags` (per id, or empty) are kept beside the ids.
  template <typename Before>
  void Build(std::vector<std::pair<std::uint64_t, std::uint32_t>>& items, Before before,
             const std::vector<PartTag>& tags) {
    std::sort(items.begin(), items.end(), [&before](const auto& x, const auto& y) {
      return x.first != y.first ? x.first < y.first : before(x.second, y.second);
    });
    ids_.resize(items.size());
    std::size_t distinct = 0;
    if (!tags.empty()) tags_.resize(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
      ids_[i] = items[i].second;
      if (!tags.empty()) tags_[i] = tags[items[i].second];
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

  // The tags of the ids Find returned, or null.
  const PartTag* TagsOf(std::span<const std::uint32_t> ids) const {
    return tags_.empty() ? nullptr : tags_.data() + (ids.data() - ids_.data());
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
  std::vector<PartTag> tags_;
  std::size_t mask_ = 0;
};

// One pigeonhole join over a text per id (names, or title parts).
class PieceJoin {
 public:
  // `bound(l)` is the distance allowed when the shorter text has l units. Relaxed joins look
  // for pieces anywhere in the longer text (a window of it may be the match).
  // Only texts whose `indexed` flag is set (all, when empty) are looked up; any text probes.
  // A plain join may keep a tag per id (`tags`), for the filter of Probe.
  PieceJoin(std::vector<TitleView> texts, std::function<int(int)> bound, bool relaxed,
            const std::vector<bool>& indexed = {}, const std::vector<PartTag>& tags = {})
      : texts_(std::move(texts)), relaxed_(relaxed) {
    for (int l = 0; l <= 256; ++l) {
      bounds_[static_cast<std::size_t>(l)] = std::max(0, bound(l));
      maxBound_ = std::max(maxBound_, bounds_[static_cast<std::size_t>(l)]);
    }
    lengths_.resize(texts_.size());
    for (std::uint32_t id = 0; id < texts_.size(); ++id) {
      lengths_[id] = static_cast<std::uint8_t>(std::min<std::size_t>(texts_[id].size(), 255));
    }
    std::vector<std::pair<std::uint64_t, std::uint32_t>> items;
    for (std::uint32_t id = 0; id < texts_.size(); ++id) {
      TitleView text = texts_[id];
      if (text.empty() || (!indexed.empty() && !indexed[id])) continue;
      int l = static_cast<int>(text.size());
      int t = bounds_[static_cast<std::size_t>(l)];
      present_[static_cast<std::size_t>(l)] = true;
      for (int k = 0; k <= t; ++k) {
        Piece piece = PieceOf(l, t, k);
        if (relaxed_) piece.Length = RelaxedPieceLength(piece.Length);
        pieceLengths_[static_cast<std::size_t>(piece.Length)] = true;
        maxPieceLength_ = std::max(maxPieceLength_, piece.Length);
        items.emplace_back(
            Key(l, k, text.substr(static_cast<std::size_t>(piece.Start), static_cast<std::size_t>(piece.Length))), id);
      }
    }
    // Relaxed probes want the shorter texts of each piece: those come first.
    if (relaxed_) {
      index_.Build(items,
                   [this](std::uint32_t a, std::uint32_t b) {
                     return lengths_[a] != lengths_[b] ? lengths_[a] < lengths_[b] : a < b;
                   },
                   {});
    } else {
      // Tagged ids go by the length of their tag (0: no other part), so that a probe reads
      // only the lengths its own tag admits.
      auto byTag = [&tags](std::uint32_t a, std::uint32_t b) {
        return tags[a].Length != tags[b].Length ? tags[a].Length < tags[b].Length : a < b;
      };
      if (tags.empty()) {
        index_.Build(items, std::less<std::uint32_t>(), tags);
      } else {
        index_.Build(items, byTag, tags);
      }
    }
  }

  // Calls `visit(id)` for every id below `probe` whose text may match `probe`'s text, so
  // that each pair is seen once. Plain joins index every text with its own bound, which is
  // at least the bound of the shorter of any pair (bounds grow with the length), so a pair
  // is found from either side. Relaxed joins need the shorter text's pieces anywhere in the
  // longer one: they visit shorter texts, or as long ones with a smaller id.
  // `anyId` visits larger ids too: for a probe that is itself not indexed.
  // Ids whose tag is TagsApart from `tag` under `cutoffs` are skipped unvisited.
  template <typename Visit>
  void Probe(std::uint32_t probe, Visit&& visit, bool anyId = false, const PartTag* tag = nullptr,
             const std::array<int, 256>* cutoffs = nullptr) const {
    TitleView text = texts_[probe];
    if (text.empty()) return;
    const int L = static_cast<int>(text.size());
    if (relaxed_) {
      // Every substring of a piece's length, hashed as it grows from each start.
      for (int pos = 0; pos < L; ++pos) {
        std::uint64_t h = kHashStart;
        const int longest = std::min(L - pos, maxPieceLength_);
        for (int g = 1; g <= longest; ++g) {
          h = HashStep(h, text[static_cast<std::size_t>(pos + g - 1)]);
          if (!pieceLengths_[static_cast<std::size_t>(g)]) continue;
          for (std::uint32_t id : index_.Find(HashKey(h, static_cast<std::uint64_t>(g), static_cast<std::size_t>(g)))) {
            if (lengths_[id] > L) break;
            if (lengths_[id] < L || id < probe) visit(id);
          }
        }
      }
      return;
    }
    // Outside tagLow..tagHigh the lengths of two tags alone make them TagsApart (the cutoffs
    // grow with the length), so those ids are never read; ids without a tag (0) always are.
    const bool filtered = tag != nullptr && !tag->Any;
    int tagLow = 1;
    int tagHigh = 255;
    if (filtered) {
      const int own = tag->Length;
      tagHigh = std::min(255, own + (*cutoffs)[static_cast<std::size_t>(own)]);
      tagLow = own;
      while (tagLow > 1 && own - (tagLow - 1) <= (*cutoffs)[static_cast<std::size_t>(tagLow - 1)]) --tagLow;
    }
    const int first = std::max(1, L - maxBound_);
    const int last = std::min(255, L + maxBound_);
    for (int l = first; l <= last; ++l) {
      if (!present_[static_cast<std::size_t>(l)]) continue;
      const int t = bounds_[static_cast<std::size_t>(l)];
      const int delta = L - l;
      if (delta > t || -delta > t) continue;
      // Some piece k matches exactly with exactly k edits before it and at most t - k after
      // it (take the first piece where the edits so far fall behind the pieces so far), so
      // its shift s obeys |s| <= k and |delta - s| <= t - k.
      for (int k = 0; k <= t; ++k) {
        Piece piece = PieceOf(l, t, k);
        const int low = std::max(-k, delta - (t - k));
        const int high = std::min(k, delta + (t - k));
        for (int s = low; s <= high; ++s) {
          int pos = piece.Start + s;
          if (pos < 0 || pos + piece.Length > L) continue;
          auto ids = index_.Find(
              Key(l, k, text.substr(static_cast<std::size_t>(pos), static_cast<std::size_t>(piece.Length))));
          if (ids.empty()) continue;
          const PartTag* tags = index_.TagsOf(ids);
          if (tags == nullptr) {
            for (const std::uint32_t id : ids) {
              // The ids of a key ascend (plain joins without tags).
              if (!anyId && id >= probe) break;
              if (lengths_[id] == l) visit(id);
            }
            continue;
          }
          auto visitLengths = [&](int shortest, int longest) {
            const PartTag* from = std::partition_point(
                tags, tags + ids.size(), [shortest](const PartTag& other) { return other.Length < shortest; });
            for (std::size_t at = static_cast<std::size_t>(from - tags); at < ids.size(); ++at) {
              if (tags[at].Length > longest) break;
              const std::uint32_t id = ids[at];
              if ((!anyId && id >= probe) || lengths_[id] != l) continue;
              if (tag == nullptr || !TagsApart(tags[at], *tag, *cutoffs)) visit(id);
            }
          };
          if (!filtered) {
            visitLengths(0, 255);
          } else {
            visitLengths(0, 0);
            visitLengths(tagLow, tagHigh);
          }
        }
      }
    }
  }

 private:
  std::uint64_t Key(int l, int k, TitleView piece) const {
    // Relaxed keys hold only the piece, since its place in the longer text is free.
    std::uint64_t seed =
        relaxed_ ? piece.size() : (static_cast<std::uint64_t>(l) << 16) | static_cast<std::uint64_t>(k);
    return HashUnits(piece, seed);
  }

  std::vector<TitleView> texts_;
  std::vector<std::uint8_t> lengths_;  // of texts_, kept apart so that probes stay in the cache
  bool relaxed_;
  int maxBound_ = 0;
  std::array<int, 257> bounds_{};
  std::array<bool, 257> present_{};
  std::array<bool, 257> pieceLengths_{};
  int maxPieceLength_ = 0;
  PieceIndex index_;
};

// Names (of one list, or of two lists side by side) with what the joins need.
struct TitleSet {
  std::vector<PreparedTitle> Titles;
  std::vector<std::string_view> Names;
  std::uint32_t FirstCount = 0;  // ids below it are of the first list
  bool Cross = false;
};

void PrepareAll(TitleSet& set, bool highChars, unsigned threads) {
  set.Titles.resize(set.Names.size());
  std::atomic<std::size_t> next{0};
  auto work = [&] {
    for (std::size_t i; (i = next.fetch_add(1024)) < set.Names.size();) {
      std::size_t end = std::min(set.Names.size(), i + 1024);
      for (; i < end; ++i) set.Titles[i] = PrepareTitle(set.Names[i], highChars);
    }
  };
  std::vector<std::thread> pool;
  for (unsigned t = 1; t < threads; ++t) pool.emplace_back(work);
  work();
  for (std::thread& thread : pool) thread.join();
}

class Searcher {
 public:
  Searcher(const TitleSet& set, const MatchSettings& settings) : set_(set), settings_(settings) {}

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
        for (std::size_t place = first; place < end; ++place) {
          ++stamp;
          const auto probe = static_cast<std::uint32_t>(place);
          const bool probeFirst = probe < set_.FirstCount;
          auto visit = [&](std::uint32_t other) {
            if (set_.Cross && (other < set_.FirstCount) == probeFirst) return;  // a pair within one list
            if (stamps[other] == stamp) return;
            stamps[other] = stamp;
            Check(other, probe, out);
          };
          const PreparedTitle& title = set_.Titles[probe];
          if (whole_) {
            // Two split names match through their parts, never through the whole name, so
            // below 99 the whole-name join indexes only unsplit names, and the split names
            // have a join of their own. A plain join finds a pair from either side, so there
            // only unsplit names look among the split ones; a relaxed join finds pairs from
            // the longer name, so both look.
            const PartTag tag = prefilter_ ? WholeTag(probe) : PartTag{};
            if (!(title.Split && wholeOfSplit_ && !settings_.Relaxed))
              whole_->Probe(probe, visit, false, &tag, &wholeCutoffs_);
            if (wholeOfSplit_ && !title.Split)
              wholeOfSplit_->Probe(probe, visit, !settings_.Relaxed, &tag, &wholeCutoffs_);
          }
          if (part_ && title.Split) {
            VisitPart(0, probe, visit);
            VisitPart(1, probe, visit);
          }
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
    pairs.erase(
        std::unique(pairs.begin(), pairs.end(),
                    [](const MatchPair& x, const MatchPair& y) { return x.First == y.First && x.Second == y.Second; }),
        pairs.end());
    if (control.Progress) control.Progress(1000);
    return true;
  }

 private:
  void BuildJoins() {
    const std::size_t n = set_.Titles.size();
    const int percent = settings_.MatchPercent;
    std::unordered_map<TitleUnits, std::vector<std::uint32_t>> wholeGroups;
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
      minimum_ = minimum;
      shapes_.resize(n);
      for (std::uint32_t id = 0; id < n; ++id) {
        const PreparedTitle& title = set_.Titles[id];
        shapes_[id] = {static_cast<std::uint8_t>(title.Normal.size()),
                       {static_cast<std::uint8_t>(title.NormalPart[0].size()),
                        static_cast<std::uint8_t>(title.NormalPart[1].size())},
                       title.Split,
                       {CountUnits(title.Normal), CountUnits(title.NormalPart[0]), CountUnits(title.NormalPart[1])}};
      }
      for (std::size_t m = 0; m < wholeCutoffs_.size(); ++m) {
        wholeCutoffs_[m] = DistanceBound(m, minimum);
        partCutoffs_[m] = DistanceBound(m, settings_.PartThreshold);
      }
      // The quick test holds for the plain similarity; relaxed windows have their own.
      prefilter_ = percent <= 98 && !settings_.Relaxed;
      // Below 99 the whole-name joins pair unsplit names with any name, so each of their
      // pairs meets MayMatch's whole-name test: the indexes keep each name's shape to run it
      // in place.
      std::vector<PartTag> wholeTags;
      if (prefilter_) {
        wholeTags.resize(n);
        for (std::uint32_t id = 0; id < n; ++id) wholeTags[id] = WholeTag(id);
      }
      std::vector<bool> wholeIndexed;
      auto wholeBound = [minimum](int l) { return DistanceBound(static_cast<std::size_t>(l), minimum); };
      if (percent <= 98) {
        // Split names by their whole name, for the unsplit names to look up: the few
        // unsplit names probe, rather than every split name probing the unsplit ones.
        wholeIndexed.resize(n);
        for (std::uint32_t id = 0; id < n; ++id) wholeIndexed[id] = !set_.Titles[id].Split;
        std::vector<bool> splitIndexed(n);
        for (std::uint32_t id = 0; id < n; ++id) splitIndexed[id] = !wholeIndexed[id];
        wholeOfSplit_ = std::make_unique<PieceJoin>(wholeTexts, wholeBound, settings_.Relaxed, splitIndexed, wholeTags);
      }
      whole_ =
          std::make_unique<PieceJoin>(std::move(wholeTexts), wholeBound, settings_.Relaxed, wholeIndexed, wholeTags);
      if (percent <= 98) {
        // Two split names need 100 x sqrt(s1 x s2) to round to the threshold, so the closer
        // of their parts has a similarity of at least the whole-name minimum: each pair is
        // found by the join of its closer part (or, for parts that fold to nothing, by their
        // equal text).
        auto partBound = [minimum](int l) { return DistanceBound(static_cast<std::size_t>(l), minimum); };
        std::vector<TitleView> partTexts[2] = {std::vector<TitleView>(n), std::vector<TitleView>(n)};
        for (std::uint32_t id = 0; id < n; ++id) {
          const PreparedTitle& title = set_.Titles[id];
          if (!title.Split) continue;
          for (int which = 0; which < 2; ++which) {
            partTexts[which][id] = title.NormalPart[which];
            if (title.NormalPart[which].empty()) emptyParts_[which][title.UpperPart[which]].push_back(id);
          }
        }
        // Each part's join keeps the units of the other part, which must pass the part
        // threshold too: most names that share a common title have artists far apart.
        std::vector<PartTag> otherUnits[2];
        if (prefilter_) {
          for (int which = 0; which < 2; ++which) {
            otherUnits[which].resize(n);
            for (std::uint32_t id = 0; id < n; ++id) otherUnits[which][id] = OtherPart(id, which);
          }
        }
        artist_ = std::make_unique<PieceJoin>(std::move(partTexts[0]), partBound, settings_.Relaxed,
                                              std::vector<bool>(), otherUnits[0]);
        part_ = std::make_unique<PieceJoin>(std::move(partTexts[1]), partBound, settings_.Relaxed, std::vector<bool>(),
                                            otherUnits[1]);
      }
    }
    for (auto* map : {&wholeGroups}) {
      for (auto& [key, ids] : *map) {
        if (ids.size() < 2) continue;
        groupWork_ += ids.size();
        groups_.push_back(std::move(ids));
      }
    }
  }

  // Split names whose part `which` is close to that of `probe`: through the part's join, or
  // for a part that folds to nothing, the names whose part is the same text.
  template <typename Visit>
  void VisitPart(int which, std::uint32_t probe, Visit&& visit) const {
    const PreparedTitle& title = set_.Titles[probe];
    if (!title.NormalPart[which].empty()) {
      const PartTag other = prefilter_ ? OtherPart(probe, which) : PartTag{};
      (which == 0 ? artist_ : part_)->Probe(probe, visit, false, &other, &partCutoffs_);
      return;
    }
    auto found = emptyParts_[which].find(title.UpperPart[which]);
    if (found == emptyParts_[which].end()) return;
    for (std::uint32_t other : found->second) {
      if (other < probe) visit(other);
    }
  }

  // The whole name, as the whole-name join keeps it.
  PartTag WholeTag(std::uint32_t id) const {
    const Shape& shape = shapes_[id];
    PartTag tag;
    if (shape.Whole != 0) tag = TagOf(shape.Counts[0], shape.Whole);
    return tag;
  }

  // The part that is not `which` of a split name, as the part joins keep it.
  PartTag OtherPart(std::uint32_t id, int which) const {
    const Shape& shape = shapes_[id];
    PartTag tag;
    if (shape.Split && shape.Part[1 - which] != 0) tag = TagOf(shape.Counts[2 - which], shape.Part[1 - which]);
    return tag;
  }

  // Checks the pair of ids `a` and `b` found by a join (or a group), in either order.
  // False when the names of `a` and `b` cannot reach the threshold: a part below the part
  // threshold, parts whose best product is too low, or whole names too far apart. Only
  // necessary conditions of the exact percentage are tested, on distances that are cut off.
  bool MayMatch(std::uint32_t a, std::uint32_t b) const {
    if (!prefilter_) return true;
    // Lengths first, from a small array, before the names themselves are touched.
    const Shape& sa = shapes_[a];
    const Shape& sb = shapes_[b];
    if (sa.Split && sb.Split) {
      for (int which = 0; which < 2; ++which) {
        const int p = sa.Part[which];
        const int q = sb.Part[which];
        if (p == 0 || q == 0) break;
        const int m = std::min(p, q);
        const int cutoff = partCutoffs_[static_cast<std::size_t>(m)];
        if (std::abs(p - q) > cutoff || CountDistance(sa.Counts[1 + which], sb.Counts[1 + which]) > 2 * cutoff) {
          return false;
        }
      }
    } else if (sa.Whole != 0 && sb.Whole != 0) {
      const int m = std::min(sa.Whole, sb.Whole);
      const int cutoff = wholeCutoffs_[static_cast<std::size_t>(m)];
      if (std::abs(sa.Whole - sb.Whole) > cutoff || CountDistance(sa.Counts[0], sb.Counts[0]) > 2 * cutoff)
        return false;
    }
    const PreparedTitle& x = set_.Titles[a];
    const PreparedTitle& y = set_.Titles[b];
    if (x.Split && y.Split) {
      double best[2];
      for (int which = 0; which < 2; ++which) {
        TitleView p = x.NormalPart[which];
        TitleView q = y.NormalPart[which];
        if (p.empty() || q.empty()) return true;
        const std::size_t m = std::min(p.size(), q.size());
        const int cutoff = DistanceBound(m, settings_.PartThreshold);
        const int d = BoundedDistance(p, q, cutoff);
        if (d > cutoff) return false;
        best[which] = d == 0 ? 1.0 : 0.99 - static_cast<double>(d) / static_cast<double>(m);
      }
      return best[0] * best[1] >= minimum_ * minimum_ - 1e-9;
    }
    if (x.Normal.empty() || y.Normal.empty()) return true;
    const std::size_t m = std::min(x.Normal.size(), y.Normal.size());
    const int cutoff = DistanceBound(m, minimum_);
    return BoundedDistance(x.Normal, y.Normal, cutoff) <= cutoff;
  }

  // Names equal up to ASCII case are one name here, so every pair is of two different names.
  void Check(std::uint32_t a, std::uint32_t b, std::vector<MatchPair>& out) const {
    std::uint32_t first = std::min(a, b);
    std::uint32_t second = std::max(a, b);
    if (first == second) return;
    if (set_.Cross && (first < set_.FirstCount) == (second < set_.FirstCount)) return;
    if (!MayMatch(a, b)) return;
    int p = TitleMatchPercent(set_.Titles[first], set_.Titles[second], settings_, MatchPrecision::AtThresholdOnly);
    if (p < settings_.MatchPercent) return;
    if (set_.Cross) second -= set_.FirstCount;
    out.push_back({first, second, static_cast<std::uint8_t>(p)});
  }

  const TitleSet& set_;
  MatchSettings settings_;
  std::unique_ptr<PieceJoin> whole_;
  std::unique_ptr<PieceJoin> wholeOfSplit_;  // below 99: split names by their whole name
  std::unique_ptr<PieceJoin> part_;
  std::unique_ptr<PieceJoin> artist_;
  // Split names by the text of a part that folds to nothing (artist, title).
  std::unordered_map<TitleUnits, std::vector<std::uint32_t>> emptyParts_[2];
  std::vector<std::vector<std::uint32_t>> groups_;
  std::size_t groupWork_ = 0;
  bool prefilter_ = false;
  double minimum_ = 0;
  // Normalized lengths and unit counts (whole name, artist, title) for the quick tests.
  struct Shape {
    std::uint8_t Whole;
    std::uint8_t Part[2];
    bool Split;
    UnitCounts Counts[3];
  };

  std::vector<Shape> shapes_;
  std::array<int, 256> wholeCutoffs_{};
  std::array<int, 256> partCutoffs_{};
};

bool Search(TitleSet& set, const MatchSettings& settings, const JoinControl& control, std::vector<MatchPair>& pairs) {
  pairs.clear();
  PrepareAll(set, settings.HighChars, std::max(1u, control.Threads));
  Searcher searcher(set, settings);
  return searcher.Run(control, pairs);
}

// The name pairs as lists of partners per name of the first side.
NameMatches PartnersOf(const std::vector<MatchPair>& pairs, std::size_t names, bool bothWays, bool withItself) {
  NameMatches matches;
  matches.Start.assign(names + 1, 0);
  for (const MatchPair& pair : pairs) {
    ++matches.Start[pair.First + 1];
    if (bothWays) ++matches.Start[pair.Second + 1];
  }
  if (withItself) {
    for (std::size_t name = 0; name < names; ++name) ++matches.Start[name + 1];
  }
  for (std::size_t name = 0; name < names; ++name) matches.Start[name + 1] += matches.Start[name];
  matches.Partners.resize(matches.Start[names]);
  std::vector<std::uint32_t> fill(matches.Start.begin(), matches.Start.end() - 1);
  if (withItself) {
    // Equal up to ASCII case: 100 at any threshold.
    for (std::uint32_t name = 0; name < names; ++name) matches.Partners[fill[name]++] = {name, 100};
  }
  for (const MatchPair& pair : pairs) {
    matches.Partners[fill[pair.First]++] = {pair.Second, pair.Percent};
    if (bothWays) matches.Partners[fill[pair.Second]++] = {pair.First, pair.Percent};
  }
  return matches;
}

}  // namespace

NameGroups GroupNames(std::span<const ListEntry> list) {
  NameGroups groups;
  groups.NameOf.resize(list.size());
  std::unordered_map<std::string, std::uint32_t> known;
  known.reserve(list.size());
  std::vector<std::uint32_t> sizes;
  for (std::uint32_t i = 0; i < list.size(); ++i) {
    auto [at, added] =
        known.try_emplace(AsciiUpperCopy(list[i].FileName.View()), static_cast<std::uint32_t>(groups.First.size()));
    if (added) {
      groups.First.push_back(i);
      sizes.push_back(0);
    }
    groups.NameOf[i] = at->second;
    ++sizes[at->second];
  }
  groups.Start.assign(groups.First.size() + 1, 0);
  for (std::size_t name = 0; name < sizes.size(); ++name) groups.Start[name + 1] = groups.Start[name] + sizes[name];
  groups.Members.resize(list.size());
  std::vector<std::uint32_t> fill(groups.Start.begin(), groups.Start.end() - 1);
  for (std::uint32_t i = 0; i < list.size(); ++i) groups.Members[fill[groups.NameOf[i]]++] = i;
  return groups;
}

bool FindSelfNameMatches(std::span<const ListEntry> list, const NameGroups& groups, const MatchSettings& settings,
                         const JoinControl& control, NameMatches& matches) {
  TitleSet set;
  set.Names.reserve(groups.Count());
  for (std::uint32_t entry : groups.First) set.Names.push_back(list[entry].FileName.View());
  std::vector<MatchPair> pairs;
  if (!Search(set, settings, control, pairs)) return false;
  matches = PartnersOf(pairs, groups.Count(), true, true);
  return true;
}

bool FindCrossNameMatches(std::span<const ListEntry> first, const NameGroups& firstGroups,
                          std::span<const ListEntry> second, const NameGroups& secondGroups,
                          const MatchSettings& settings, const JoinControl& control, NameMatches& matches) {
  TitleSet set;
  set.Cross = true;
  set.FirstCount = firstGroups.Count();
  set.Names.reserve(firstGroups.Count() + secondGroups.Count());
  for (std::uint32_t entry : firstGroups.First) set.Names.push_back(first[entry].FileName.View());
  for (std::uint32_t entry : secondGroups.First) set.Names.push_back(second[entry].FileName.View());
  std::vector<MatchPair> pairs;
  if (!Search(set, settings, control, pairs)) return false;
  matches = PartnersOf(pairs, firstGroups.Count(), false, false);
  return true;
}

NameMatches Transposed(const NameMatches& matches, std::uint32_t partnerNames) {
  std::vector<MatchPair> pairs;
  pairs.reserve(matches.Partners.size());
  for (std::uint32_t name = 0; name + 1 < matches.Start.size(); ++name) {
    for (const NamePartner& partner : matches.Of(name)) pairs.push_back({partner.Name, name, partner.Percent});
  }
  std::sort(pairs.begin(), pairs.end(), [](const MatchPair& x, const MatchPair& y) {
    return x.First != y.First ? x.First < y.First : x.Second < y.Second;
  });
  return PartnersOf(pairs, partnerNames, false, false);
}

}  // namespace ordonna
