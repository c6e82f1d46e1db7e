// Title matching: folding, distances, similarities and percentages on the documented
// examples, the half-to-even rounding, names that fold to nothing, UTF-8 beside
// Windows-1252, and the pair limits.
#include "match/TitleMatch.h"

#include <gtest/gtest.h>

#include <tuple>

#include "config/AppOptions.h"

namespace ordonna {
namespace {

TitleUnits U(std::string_view text) { return TitleUnitsOf(text); }

TEST(TitleMatch, FoldingAndEditDistance) {
  const std::pair<int, int> rows[] = {{0, ' '}, {'#', '#'}, {'Z', 'z'}, {128, 'c'}, {215, 215}, {255, ' '}};
  for (auto [byte, folded] : rows) EXPECT_EQ(kFoldTable[static_cast<std::size_t>(byte)], folded) << "byte " << byte;
  EXPECT_EQ(NormalizeTitle(U("  Some Band - Morning!! "), false), U("some band morning"));
  EXPECT_EQ(NormalizeTitle(U("!!!"), false), U(""));
  // Bytes 128..255 fold only with high characters; 0xE9 is e-acute in Windows-1252.
  EXPECT_EQ(NormalizeTitle(U("Caf\xE9"), true), U("cafe"));
  EXPECT_EQ(NormalizeTitle(U("Caf\xE9"), false), U("caf\xE9"));
  EXPECT_EQ(U("Caf\xC3\xA9"), U("Caf\xE9")) << "the same name in UTF-8";
  // A character without a Windows-1252 byte is one unit that folds to itself.
  TitleUnits greek = U("\xCE\xB1\xCE\xB2");
  ASSERT_EQ(greek.size(), 2u);
  EXPECT_EQ(NormalizeTitle(greek, true), greek);
  EXPECT_NE(greek[0], 0xCEu);

  EXPECT_EQ(TitleEditDistance(U(""), U("abc")), 3);
  EXPECT_EQ(TitleEditDistance(U("kitten"), U("sitting")), 3);
  EXPECT_EQ(TitleEditDistance(TitleUnits(255, U'a'), TitleUnits(255, U'b')), 255);
}

TEST(TitleMatch, DocumentedPercentages) {
  // Flags: L letter check, H high characters, R relaxed; then (threshold, percentage) pairs.
  struct Row {
    std::string_view a, b, flags;
    std::vector<std::pair<int, int>> percents;
  };
  const Row rows[] = {
      {"Morning", "MORNING", "", {{50, 100}, {100, 100}}},
      {"Morning", "Morning!", "", {{100, 0}, {99, 99}}},
      // Equal parts give 100 only where the split is tried, at 50..98; at 99 the folded names
      // are equal (99), at 100 the names differ (0).
      {"The Band - Morning", "the band_-_morning", "", {{50, 100}, {98, 100}, {99, 99}, {100, 0}}},
      {"_title", "title", "L", {{80, 0}}},
      {"_title", "title", "", {{80, 99}}},
      {"Caf\xE9", "Cafe", "H", {{99, 99}}},
      {"Caf\xE9", "Cafe", "", {{99, 0}, {80, 74}}},
      // Both split, artists too far apart: 0 even with equal titles.
      {"Abba - Waterloo", "Zztop - Waterloo", "", {{80, 0}}},
      // Split from the right: 100 x sqrt(1.0 x 0.99); 100 x sqrt(0.99 - 2/5); the title part
      // 0.59 below the part threshold 0.64.
      {"Artist - Title - Remix", "artist - title - remix!", "", {{80, 99}}},
      {"Artist - Title - Remix", "Artist - Title - Remixes", "", {{60, 77}, {80, 0}}},
      // Half to even: 86.5 rounds to 86; 0.49 exactly.
      {"abcdefgh", "abcdefgx", "", {{80, 86}}},
      {"ab", "ax", "", {{50, 49}}},
      // Names that fold to nothing score 0 against any name, on either side.
      {"!!!", "???", "", {{80, 0}, {99, 0}}},
      {"!!!", "abc", "R", {{80, 0}, {99, 0}}},
      {"abc", "???", "R", {{80, 0}, {99, 0}}},
      {"Band - !!!", "Band - ???", "", {{50, 0}}},
      {"Band - !!!", "band - !!!", "", {{80, 100}}},
      {"alpha", "alpha beta", "R", {{80, 99}}},
      {"alpha", "alpha beta", "", {{80, 0}}},
  };
  for (const Row& r : rows) {
    auto has = [&](char flag) { return r.flags.find(flag) != std::string_view::npos; };
    for (auto [threshold, expected] : r.percents) {
      MatchSettings settings;
      settings.MatchPercent = static_cast<std::uint8_t>(threshold);
      settings.LetterCheck = has('L');
      settings.HighChars = has('H');
      settings.Relaxed = has('R');
      settings.PartThreshold = PartThreshold(settings.MatchPercent);
      EXPECT_EQ(TitleMatchPercent(r.a, r.b, settings), expected)
          << r.a << " | " << r.b << " at " << threshold << r.flags;
    }
  }
}

TEST(TitleMatch, SplitsSimilaritiesAndPartThresholds) {
  EXPECT_FALSE(PrepareTitle("a-bcd", false).Split);
  // " - " too near the end would leave one unit: the single hyphen of it splits instead. The
  // three-character separators count from 7 characters on: 6 splits at the hyphen alone.
  const std::pair<std::string_view, std::string_view> rows[] = {
      {"ab-cd", "AB|CD"},           {"Artist - Title - Remix", "ARTIST - TITLE|REMIX"},
      {"band_-_song", "BAND|SONG"}, {"ab-cdef - x", "AB-CDEF | X"},
      {"ab - c", "AB | C"},         {"ab - cd", "AB|CD"}};
  for (auto [name, parts] : rows) {
    PreparedTitle t = PrepareTitle(name, false);
    EXPECT_TRUE(t.Split) << name;
    EXPECT_EQ(t.UpperPart[0], U(parts.substr(0, parts.find('|')))) << name;
    EXPECT_EQ(t.UpperPart[1], U(parts.substr(parts.find('|') + 1))) << name;
  }
  EXPECT_EQ(TitleSimilarity(U("!!!"), U("???"), false, false), 0.0);
  EXPECT_EQ(TitleSimilarity(U("!!!"), U("!!!"), false, false), 1.0);
  // Relaxed windows start only where the longer name has no space; length factors 0.7 (m = 4)
  // and 0.9 (m = 5); equal lengths use the plain formula.
  const std::tuple<const char*, const char*, double> similar[] = {
      {"ab", "axcde", (0.99 - 1.0 / 2) * 0.5},   {"abcd", "x abcd", 0.99},
      {"abcdef", "xx abcdeg", 0.99 - 1.0 / 6},   {"abcd", "abcx yz", (0.99 - 0.25) * 0.7},
      {"abcde", "abcdx yz", (0.99 - 0.2) * 0.9}, {"abcd", "abcx", 0.99 - 0.25}};
  for (auto [a, b, expected] : similar)
    EXPECT_DOUBLE_EQ(TitleSimilarity(U(a), U(b), true, false), expected) << a << " | " << b;
  EXPECT_EQ(PartThreshold(80), 0.8 * 0.8) << "computed in double, not the literal 0.64";
  EXPECT_EQ(PartThreshold(100), 0.99);
  DialogOptions dialog{};
  dialog.MatchPercent = 49;
  EXPECT_EQ(MatchSettingsOf(dialog, false).MatchPercent, 99) << "out of range";
  dialog.MatchPercent = 80;
  dialog.LetterCheck = 1;
  const MatchSettings settings = MatchSettingsOf(dialog, true);
  EXPECT_TRUE(settings.LetterCheck && settings.Relaxed && settings.PartThreshold == 0.8 * 0.8);
}

ListEntry Entry(std::int32_t sizeKB, std::int32_t frames, std::uint8_t bitrate, std::uint8_t frequency = 0) {
  ListEntry e = UndeterminedEntry();
  e.SizeKB = sizeKB;
  e.Frames = frames;
  e.BitrateCode = bitrate;
  e.FrequencyCode = frequency;
  return e;
}

TEST(TitleMatch, AcceptPairLimits) {
  // Fields: unspecified allowed, size may differ, by, time may differ, by, bitrate must match.
  PairLimits limits{true, true, 500};
  EXPECT_TRUE(AcceptPair(Entry(4000, 1, 9), Entry(4500, 1, 9), limits, false)) << "exactly the limit apart";
  EXPECT_FALSE(AcceptPair(Entry(4000, 1, 9), Entry(4501, 1, 9), limits, false));
  EXPECT_TRUE(AcceptPair(Entry(-1, 1, 9), Entry(9999, 1, 9), limits, false)) << "a missing size skips the rule";

  limits = {true, false, 400, true, 30};
  EXPECT_TRUE(AcceptPair(Entry(1, 10000, 9), Entry(1, 11000, 9), limits, false)) << "26.12 s apart";
  limits.TimeDiffSec = 20;
  EXPECT_FALSE(AcceptPair(Entry(1, 10000, 9), Entry(1, 11000, 9), limits, false));
  // 1,000 frames are 24 s at 48 kHz and 36 s at 32 kHz: 12 s apart.
  limits.TimeDiffSec = 11;
  EXPECT_FALSE(AcceptPair(Entry(1, 1000, 9, 1), Entry(1, 1000, 9, 2), limits, false));

  limits = {true, false, 400, false, 20, true};
  EXPECT_FALSE(AcceptPair(Entry(1, 1, 9), Entry(1, 1, 10), limits, false));
  EXPECT_TRUE(AcceptPair(Entry(1, 1, 9), Entry(1, 1, 255), limits, false));
  EXPECT_FALSE(AcceptPair(Entry(1, 1, 9), Entry(1, 1, 16), limits, false));

  limits = {false};
  EXPECT_FALSE(AcceptPair(Entry(-1, 1, 9), Entry(1, 1, 9), limits, true)) << "missing size";
  EXPECT_FALSE(AcceptPair(Entry(1, -1, 9), Entry(1, 1, 9), limits, true)) << "missing time";
  EXPECT_FALSE(AcceptPair(Entry(1, 1, 15), Entry(1, 1, 9), limits, true)) << "missing bitrate";
  EXPECT_TRUE(AcceptPair(Entry(1, 1, 16), Entry(0, 0, 14), limits, true));
  EXPECT_TRUE(AcceptPair(Entry(-1, 1, 9), Entry(1, 1, 9), limits, false)) << "the comparison has no such rule";
  EXPECT_FALSE(AcceptPair(Entry(1, 1, 0), Entry(1, 1, 9), limits, true)) << "free format has no bitrate";
}

}  // namespace
}  // namespace ordonna
