// How alike two file names are: the folding of names, the edit distance, the similarity, the
// match percentage (0..100) and the limits on size, time and bitrate a matching pair must pass.
// Pure functions; all arithmetic in IEEE double, percentages rounded half to even.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/ListEntry.h"

namespace ordonna {

struct DialogOptions;

// Names are compared character by character. A character that has a Windows-1252 byte (and a
// byte that is not valid UTF-8) is the unit of that byte, 0..255; any other character is a
// unit of its own above 255, which folds to itself. A name of 255 bytes has at most 255 units.
using TitleUnits = std::u32string;
using TitleView = std::u32string_view;

TitleUnits TitleUnitsOf(std::string_view name);

// The fold of each Windows-1252 byte: punctuation to space, letters to lower case and, for
// 128..255, accented letters to plain ones.
extern const std::array<std::uint8_t, 256> kFoldTable;

// Folds (bytes 128..255 only with `highChars`), collapses runs of spaces, trims both ends.
TitleUnits NormalizeTitle(TitleView units, bool highChars);

// Levenshtein distance with unit costs. REQUIRES: both at most 255 units.
std::uint8_t TitleEditDistance(TitleView a, TitleView b);

// 1.0 for names equal up to ASCII case, else 0.99 - d / m on the normalized names (relaxed:
// the best window of the longer name, scaled down for short names), never below 0. Names
// that normalize to nothing are alike only when equal up to ASCII case.
double TitleSimilarity(TitleView a, TitleView b, bool relaxed, bool highChars);

// (0.01 x percent) squared, kept within 0.42..0.99.
double PartThreshold(std::uint8_t matchPercent);

struct MatchSettings {
  std::uint8_t MatchPercent = 80;  // 50..100
  bool LetterCheck = false;
  bool HighChars = false;
  bool Relaxed = false;  // relaxed mode in force (comparison with a text list only)
  double PartThreshold = 0.64;
};

// The settings of the option block; a stored percent outside 50..100 counts as 99.
MatchSettings MatchSettingsOf(const DialogOptions& dialog, bool relaxed);

// A name prepared once for many comparisons: upper-cased units, the normalized form, and
// the artist and title parts when the name splits.
struct PreparedTitle {
  TitleUnits Upper;
  TitleUnits Normal;
  bool Split = false;
  TitleUnits UpperPart[2];
  TitleUnits NormalPart[2];
};

PreparedTitle PrepareTitle(std::string_view name, bool highChars);

// How exact a percentage below the threshold must be: a search that keeps only pairs at the
// threshold lets distances beyond what the threshold allows stop early and count as 0.
enum class MatchPrecision { Exact, AtThresholdOnly };

// The match percentage of names `a` and `b`. With AtThresholdOnly, a percentage below the
// threshold may come out as any lower value; one at or above it is exact.
int TitleMatchPercent(std::string_view a, std::string_view b, const MatchSettings& settings);
int TitleMatchPercent(const PreparedTitle& a, const PreparedTitle& b, const MatchSettings& settings,
                      MatchPrecision precision = MatchPrecision::Exact);

// The similarity of already upper-cased and normalized names (the prepared form). A
// similarity below `floor` may come out as 0.
double PreparedSimilarity(TitleView upperA, TitleView normalA, TitleView upperB, TitleView normalB, bool relaxed,
                          double floor = 0.0);

// The largest edit distance of normalized names (the shorter of length m) whose similarity
// may still reach `minimum`.
int DistanceBound(std::size_t m, double minimum);

// The edit distance of `a` and `b` when it is at most `cutoff`, else cutoff + 1.
int BoundedDistance(TitleView a, TitleView b, int cutoff);

// True for constant bitrates 1..14 and the variable bitrate 16.
constexpr bool BitrateKnown(std::uint8_t bitrateCode) {
  return (bitrateCode >= 1 && bitrateCode <= 14) || bitrateCode == kBitrateVariable;
}

struct PairLimits {
  bool AllowUnspecified = true;
  bool SizeMayDiffer = false;
  std::uint16_t SizeDiffKB = 400;
  bool TimeMayDiffer = false;
  std::uint16_t TimeDiffSec = 20;
  bool BitrateMustMatch = false;
};

PairLimits PairLimitsOf(const DialogOptions& dialog);

// The size, time and bitrate checks of a pair whose names match; `unspecifiedRule` makes
// missing values reject the pair unless AllowUnspecified (the duplicates search).
bool AcceptPair(const ListEntry& a, const ListEntry& b, const PairLimits& limits, bool unspecifiedRule);

}  // namespace ordonna
