// Folding, edit distance, similarity, match percentage and the pair limits.
#include "match/TitleMatch.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "config/AppOptions.h"
#include "core/Text.h"

namespace ordonna {
namespace {

constexpr char32_t kSpace = U' ';
// Units of characters without a Windows-1252 byte sit above the byte range.
constexpr char32_t kOtherUnitBase = 0x100;

struct FoldRange {
  int First;
  int Last;
  int To;  // -1 keeps the byte, -2 lower-cases it
};

// Rows 128..165 are the accented letters of the DOS code page, 192..254 those of Latin-1.
constexpr FoldRange kFoldRanges[] = {
    {0, 0, ' '},     {1, 31, -1},     {32, 34, ' '},   {35, 35, -1},    {36, 47, ' '},   {48, 57, -1},
    {58, 64, ' '},   {65, 90, -2},    {91, 96, ' '},   {97, 122, -1},   {123, 127, ' '}, {128, 128, 'c'},
    {129, 129, 'u'}, {130, 130, 'e'}, {131, 134, 'a'}, {135, 135, 'c'}, {136, 138, 'e'}, {139, 141, 'i'},
    {142, 143, 'a'}, {144, 144, 'e'}, {145, 146, -1},  {147, 149, 'o'}, {150, 151, 'u'}, {152, 152, 'y'},
    {153, 153, 'o'}, {154, 154, 'u'}, {155, 155, 'c'}, {156, 158, -1},  {159, 159, 'f'}, {160, 160, 'a'},
    {161, 161, 'i'}, {162, 162, 'o'}, {163, 163, 'u'}, {164, 165, 'n'}, {166, 191, -1},  {192, 197, 'a'},
    {198, 198, -1},  {199, 199, 'c'}, {200, 203, 'e'}, {204, 207, 'i'}, {208, 208, 'd'}, {209, 209, 'n'},
    {210, 214, 'o'}, {215, 216, -1},  {217, 220, 'u'}, {221, 221, 'y'}, {222, 223, -1},  {224, 229, 'a'},
    {230, 230, -1},  {231, 231, 'c'}, {232, 235, 'e'}, {236, 239, 'i'}, {240, 240, 'd'}, {241, 241, 'n'},
    {242, 246, 'o'}, {247, 248, -1},  {249, 252, 'u'}, {253, 253, 'y'}, {254, 254, -1},  {255, 255, ' '},
};

constexpr std::array<std::uint8_t, 256> BuildFoldTable() {
  std::array<std::uint8_t, 256> table{};
  for (const FoldRange& range : kFoldRanges) {
    for (int b = range.First; b <= range.Last; ++b) {
      int to = range.To == -1 ? b : range.To == -2 ? b + ('a' - 'A') : range.To;
      table[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(to);
    }
  }
  return table;
}

char32_t UpperUnit(char32_t unit) { return unit >= U'a' && unit <= U'z' ? unit - (U'a' - U'A') : unit; }

TitleUnits UpperUnits(TitleView units) {
  TitleUnits out(units);
  for (char32_t& u : out) u = UpperUnit(u);
  return out;
}

double LengthFactor(std::size_t m) {
  if (m <= 3) return 0.5;
  if (m == 4) return 0.7;
  if (m == 5) return 0.9;
  return 1.0;
}

int RoundPercent(double value) { return static_cast<int>(std::nearbyint(value)); }

// Finds the artist/title separator of an upper-cased name, searching from the right: " - "
// or "_-_" for names of 7 or more units, else a single "-"; each part keeps two units.
bool SplitTitle(TitleView upper, TitleView& part1, TitleView& part2) {
  const std::size_t n = upper.size();
  if (n >= 7) {
    // p is the zero-based start of the separator: one-based n - 4 down to 3.
    for (std::size_t p = n - 5; p >= 2; --p) {
      bool spaced = upper[p] == U' ' && upper[p + 1] == U'-' && upper[p + 2] == U' ';
      bool underlined = upper[p] == U'_' && upper[p + 1] == U'-' && upper[p + 2] == U'_';
      if (spaced || underlined) {
        part1 = upper.substr(0, p);
        part2 = upper.substr(p + 3);
        return true;
      }
    }
  }
  if (n >= 5) {
    for (std::size_t p = n - 3; p >= 2; --p) {
      if (upper[p] == U'-') {
        part1 = upper.substr(0, p);
        part2 = upper.substr(p + 1);
        return true;
      }
    }
  }
  return false;
}

}  // namespace

const std::array<std::uint8_t, 256> kFoldTable = BuildFoldTable();

TitleUnits TitleUnitsOf(std::string_view name) {
  TitleUnits units;
  units.reserve(name.size());
  while (!name.empty()) {
    TextCharacter c = NextCharacter(name);
    if (!c.ValidUtf8) {
      units.push_back(static_cast<unsigned char>(name[0]));
    } else {
      int byte = UnicodeToWindows1252(c.CodePoint);
      units.push_back(byte >= 0 ? static_cast<char32_t>(byte) : c.CodePoint + kOtherUnitBase);
    }
    name.remove_prefix(c.Bytes);
  }
  return units;
}

TitleUnits NormalizeTitle(TitleView units, bool highChars) {
  TitleUnits out;
  out.reserve(units.size());
  for (char32_t u : units) {
    char32_t folded = u;
    if (u < 128 || (u < 256 && highChars)) folded = kFoldTable[u];
    // Runs of spaces collapse to one; a leading space is never kept.
    if (folded == kSpace && (out.empty() || out.back() == kSpace)) continue;
    out.push_back(folded);
  }
  if (!out.empty() && out.back() == kSpace) out.pop_back();
  return out;
}

std::uint8_t TitleEditDistance(TitleView a, TitleView b) {
  if (a.empty()) return static_cast<std::uint8_t>(std::min<std::size_t>(b.size(), 255));
  if (b.empty()) return static_cast<std::uint8_t>(std::min<std::size_t>(a.size(), 255));
  // Two rows of the classic table; the shorter string runs along the row.
  if (b.size() > a.size()) std::swap(a, b);
  std::array<std::uint16_t, 257> rowA;
  std::array<std::uint16_t, 257> rowB;
  std::uint16_t* previous = rowA.data();
  std::uint16_t* current = rowB.data();
  const std::size_t nb = std::min<std::size_t>(b.size(), 256);
  for (std::size_t j = 0; j <= nb; ++j) previous[j] = static_cast<std::uint16_t>(j);
  for (std::size_t i = 1; i <= a.size(); ++i) {
    current[0] = static_cast<std::uint16_t>(i);
    const char32_t unit = a[i - 1];
    for (std::size_t j = 1; j <= nb; ++j) {
      int substitution = previous[j - 1] + (unit == b[j - 1] ? 0 : 1);
      int insertion = current[j - 1] + 1;
      int deletion = previous[j] + 1;
      current[j] = static_cast<std::uint16_t>(std::min({substitution, insertion, deletion}));
    }
    std::swap(previous, current);
  }
  return static_cast<std::uint8_t>(std::min<int>(previous[nb], 255));
}

int DistanceBound(std::size_t m, double minimum) {
  // The tiny slack keeps a pair whose bound lands exactly on an integer in double arithmetic.
  double bound = std::floor(static_cast<double>(m) * (0.99 - minimum) + 1e-6);
  if (bound < 0) return 0;
  // Fewer than m so that every piece has at least one unit.
  return static_cast<int>(std::min(bound, static_cast<double>(m > 0 ? m - 1 : 0)));
}

// The edit distance of `a` and `b` when it is at most `cutoff`, else cutoff + 1: only the
// diagonal band of width 2 x cutoff + 1 of the table is filled.
int BoundedDistance(TitleView a, TitleView b, int cutoff) {
  const int la = static_cast<int>(a.size());
  const int lb = static_cast<int>(b.size());
  if (la - lb > cutoff || lb - la > cutoff) return cutoff + 1;
  if (la == 0 || lb == 0) return std::max(la, lb);
  constexpr int kFar = 1 << 14;
  std::array<int, 257> rowA;
  std::array<int, 257> rowB;
  int* previous = rowA.data();
  int* current = rowB.data();
  for (int j = 0; j <= lb; ++j) previous[j] = j <= cutoff ? j : kFar;
  for (int i = 1; i <= la; ++i) {
    const int from = std::max(1, i - cutoff);
    const int to = std::min(lb, i + cutoff);
    current[from - 1] = from - 1 == 0 ? i : kFar;
    int best = current[from - 1];
    for (int j = from; j <= to; ++j) {
      int value =
          std::min(previous[j - 1] + (a[static_cast<std::size_t>(i - 1)] == b[static_cast<std::size_t>(j - 1)] ? 0 : 1),
                   std::min(current[j - 1], previous[j]) + 1);
      current[j] = value;
      best = std::min(best, value);
    }
    if (to < lb) current[to + 1] = kFar;
    if (best > cutoff) return cutoff + 1;
    std::swap(previous, current);
  }
  return std::min(previous[lb], cutoff + 1);
}

double PreparedSimilarity(TitleView upperA, TitleView normalA, TitleView upperB, TitleView normalB, bool relaxed,
                          double floor) {
  if (upperA == upperB) return 1.0;
  // Names that fold to nothing ("!!!", "???") carry no letters to compare.
  if (normalA.empty() || normalB.empty()) return 0.0;
  const std::size_t m = std::min(normalA.size(), normalB.size());
  const double dm = static_cast<double>(m);
  // Beyond `cutoff` edits the similarity is below `floor`: distances stop counting there.
  const bool bounded = floor > 0.0;
  const int cutoff = bounded ? DistanceBound(m, floor) : 0;
  auto distance = [&](TitleView a, TitleView b, int limit) {
    return bounded ? BoundedDistance(a, b, limit) : static_cast<int>(TitleEditDistance(a, b));
  };
  double result;
  if (!relaxed || normalA.size() == normalB.size()) {
    const int d = distance(normalA, normalB, cutoff);
    if (bounded && d > cutoff) return 0.0;
    result = 0.99 - d / dm;
  } else {
    TitleView shorter = normalA.size() < normalB.size() ? normalA : normalB;
    TitleView longer = normalA.size() < normalB.size() ? normalB : normalA;
    const std::size_t k = shorter.size();
    int best = distance(shorter, longer.substr(0, k), cutoff);
    for (std::size_t p = 1; p + k <= longer.size() && best > 0; ++p) {
      if (longer[p] == kSpace) continue;
      best = std::min(best, distance(shorter, longer.substr(p, k), bounded ? best - 1 : 0));
    }
    if (bounded && best > cutoff) return 0.0;
    if (best == 0) return 0.99;
    result = (0.99 - best / dm) * LengthFactor(m);
  }
  return result < 0.0 ? 0.0 : result;
}

double TitleSimilarity(TitleView a, TitleView b, bool relaxed, bool highChars) {
  return PreparedSimilarity(UpperUnits(a), NormalizeTitle(a, highChars), UpperUnits(b), NormalizeTitle(b, highChars),
                            relaxed);
}

double PartThreshold(std::uint8_t matchPercent) {
  double fraction = 0.01 * matchPercent;
  double t = fraction * fraction;
  if (t > 0.99) t = 0.99;
  if (t < 0.42) t = 0.42;
  return t;
}

MatchSettings MatchSettingsOf(const DialogOptions& dialog, bool relaxed) {
  MatchSettings settings;
  std::uint8_t percent = dialog.MatchPercent;
  settings.MatchPercent = percent >= 50 && percent <= 100 ? percent : 99;
  settings.LetterCheck = dialog.LetterCheck != 0;
  settings.HighChars = dialog.MatchHighChars != 0;
  settings.Relaxed = relaxed;
  settings.PartThreshold = PartThreshold(settings.MatchPercent);
  return settings;
}

PreparedTitle PrepareTitle(std::string_view name, bool highChars) {
  PreparedTitle title;
  title.Upper = UpperUnits(TitleUnitsOf(name));
  title.Normal = NormalizeTitle(title.Upper, highChars);
  TitleView part1;
  TitleView part2;
  if (title.Upper.size() >= 4 && SplitTitle(title.Upper, part1, part2)) {
    title.Split = true;
    title.UpperPart[0] = part1;
    title.UpperPart[1] = part2;
    title.NormalPart[0] = NormalizeTitle(part1, highChars);
    title.NormalPart[1] = NormalizeTitle(part2, highChars);
  }
  return title;
}

int TitleMatchPercent(const PreparedTitle& a, const PreparedTitle& b, const MatchSettings& settings,
                      MatchPrecision precision) {
  if (a.Upper == b.Upper) return 100;
  if (settings.MatchPercent >= 100) return 0;
  if (settings.LetterCheck) {
    // An empty name never passes against a non-empty one.
    if (a.Upper.empty() || b.Upper.empty() || a.Upper[0] != b.Upper[0]) return 0;
  }
  if (settings.MatchPercent == 99) {
    if (a.Normal.empty() || b.Normal.empty()) return 0;
    if (a.Normal == b.Normal) return 99;
    if (!settings.Relaxed || a.Normal.size() == b.Normal.size()) return 0;
    const TitleUnits& shorter = a.Normal.size() < b.Normal.size() ? a.Normal : b.Normal;
    const TitleUnits& longer = a.Normal.size() < b.Normal.size() ? b.Normal : a.Normal;
    return longer.find(shorter) != TitleUnits::npos ? 99 : 0;
  }
  const bool exact = precision == MatchPrecision::Exact;
  if (a.Upper.size() < 4 || b.Upper.size() < 4 || !a.Split || !b.Split) {
    // Similarities below (threshold - 0.5) % round below the threshold.
    const double floor = exact ? 0.0 : (settings.MatchPercent - 0.5) / 100.0;
    return RoundPercent(100.0 * PreparedSimilarity(a.Upper, a.Normal, b.Upper, b.Normal, settings.Relaxed, floor));
  }
  const double partFloor = exact ? 0.0 : settings.PartThreshold;
  double s1 =
      PreparedSimilarity(a.UpperPart[0], a.NormalPart[0], b.UpperPart[0], b.NormalPart[0], settings.Relaxed, partFloor);
  if (s1 < settings.PartThreshold) return 0;
  double s2 =
      PreparedSimilarity(a.UpperPart[1], a.NormalPart[1], b.UpperPart[1], b.NormalPart[1], settings.Relaxed, partFloor);
  if (s2 < settings.PartThreshold) return 0;
  return RoundPercent(100.0 * std::sqrt(s1 * s2));
}

int TitleMatchPercent(std::string_view a, std::string_view b, const MatchSettings& settings) {
  return TitleMatchPercent(PrepareTitle(a, settings.HighChars), PrepareTitle(b, settings.HighChars), settings);
}

PairLimits PairLimitsOf(const DialogOptions& dialog) {
  PairLimits limits;
  limits.AllowUnspecified = dialog.AllowUnspecified != 0;
  limits.SizeMayDiffer = dialog.SizeMayDiffer != 0;
  limits.SizeDiffKB = dialog.SizeDiffKB;
  limits.TimeMayDiffer = dialog.TimeMayDiffer != 0;
  limits.TimeDiffSec = dialog.TimeDiffSec;
  limits.BitrateMustMatch = dialog.BitrateMustMatch != 0;
  return limits;
}

bool AcceptPair(const ListEntry& a, const ListEntry& b, const PairLimits& limits, bool unspecifiedRule) {
  const std::int32_t sizeA = a.SizeKB;
  const std::int32_t sizeB = b.SizeKB;
  const std::int32_t framesA = a.Frames;
  const std::int32_t framesB = b.Frames;
  if (unspecifiedRule && !limits.AllowUnspecified) {
    if (!BitrateKnown(a.BitrateCode) || !BitrateKnown(b.BitrateCode) || sizeA < 0 || sizeB < 0 || framesA < 0 ||
        framesB < 0) {
      return false;
    }
  }
  if (limits.SizeMayDiffer && sizeA >= 0 && sizeB >= 0) {
    if (std::llabs(static_cast<long long>(sizeA) - sizeB) > limits.SizeDiffKB) return false;
  }
  if (limits.TimeMayDiffer && framesA >= 0 && framesB >= 0) {
    double secondsA = framesA * SecondsPerFrame(a.FrequencyCode);
    double secondsB = framesB * SecondsPerFrame(b.FrequencyCode);
    if (std::fabs(secondsA - secondsB) > limits.TimeDiffSec) return false;
  }
  if (limits.BitrateMustMatch && BitrateKnown(a.BitrateCode) && BitrateKnown(b.BitrateCode)) {
    if (a.BitrateCode != b.BitrateCode) return false;
  }
  return true;
}

}  // namespace ordonna
