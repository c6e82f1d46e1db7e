// Name and entry generation.
#include "match/NameGenerator.h"

#include <cstdio>

namespace ordonna::testing {
namespace {

// Syllables are made of these, as in names of many languages.
const char* const kOnsets[] = {"b", "br", "c", "ch", "d",  "dr", "f", "g",  "gr", "h", "j", "k", "l",  "m",  "n",
                               "p", "pr", "r", "s",  "sh", "st", "t", "tr", "v",  "w", "z", "",  "qu", "fl", "bl"};
const char* const kVowels[] = {"a", "e", "i", "o", "u", "ai", "ea", "ou", "y", "ie"};
const char* const kCodas[] = {"", "", "", "n", "r", "s", "l", "m", "t", "ck", "nd", "x", "rd", "ng"};
const char* const kWords[] = {"love", "night", "the", "of",   "in",    "my",   "heart", "dance", "song", "blue", "rain",
                              "time", "you",   "me",  "fire", "dream", "road", "home",  "light", "baby", "sun",  "way"};
// Accented letters as Windows-1252 bytes and as UTF-8.
const char* const kAccents[] = {"\xE9", "\xC3\xA9", "\xFC", "\xC3\xBC", "\xF1", "\xC3\xB1",
                                "\xE0", "\xC3\xA0", "\xD8", "\xCE\xB1", "\x87", "\xE2\x82\xAC"};
const char* const kSuffixes[] = {" (Remix)", " (Live)", " [Radio Edit]", " - Remastered", " (feat. Someone)", "!"};
const char* const kHostile[] = {"",    "!",   "!!!",   "???",    "-",         " - ",        "a",
                                "ab",  "abc", "a-b",   "ab-cd",  "!!! - ???", "Band - !!!", "Band - ???",
                                "_-_", "#1",  "x - y", "((()))", "a b",       "AB",         "  "};

// One list's drawing: the random source and the artists met so far.
struct Draw {
  std::mt19937& random;
  std::vector<std::string> artists;

  int Below(int n) { return static_cast<int>(random() % static_cast<std::uint32_t>(n)); }
  int Below(std::size_t n) { return Below(static_cast<int>(n)); }
  template <std::size_t N>
  const char* Pick(const char* const (&items)[N]) {
    return items[Below(static_cast<int>(N))];
  }

  std::string Word(bool capital) {
    std::string word;
    if (Below(3) == 0) {
      word = Pick(kWords);
    } else {
      for (int i = 0, syllables = 1 + Below(3); i < syllables; ++i)
        word.append(Pick(kOnsets)).append(Pick(kVowels)).append(Pick(kCodas));
    }
    if (Below(12) == 0) word.insert(static_cast<std::size_t>(Below(word.size() + 1)), Pick(kAccents));
    if (capital && !word.empty() && word[0] >= 'a' && word[0] <= 'z') word[0] = static_cast<char>(word[0] - 32);
    return word;
  }

  std::string Name() {
    std::string title = Word(true);
    for (int i = 0, words = Below(4); i < words; ++i) title.append(" ").append(Word(Below(2) == 0));
    if (Below(8) == 0) title += Pick(kSuffixes);
    if (artists.empty() || Below(10) == 0) {
      std::string artist = Word(true);
      if (Below(2) == 0) artist.append(" ").append(Word(true));
      if (Below(6) == 0) artist = std::string("The ").append(artist);
      artists.push_back(artist);
    }
    const std::string& artist = artists[static_cast<std::size_t>(Below(artists.size()))];
    char track[16];
    std::snprintf(track, sizeof track, "%02d", 1 + Below(20));
    switch (Below(10)) {
      case 0: return title;
      case 1: return std::string(track) + " - " + artist + " - " + title;
      case 2: return std::string(track) + " " + title;
      case 3: return artist + "_-_" + title;
      case 4: return artist + "-" + title;
      default: return artist + " - " + title;
    }
  }

  // A copy of `name` with a small change (a typo, letter case, separators, a suffix).
  std::string NearCopy(std::string copy) {
    const std::size_t at = static_cast<std::size_t>(Below(copy.size() + 1));
    switch (Below(5)) {
      case 0:
        if (at < copy.size()) copy.erase(at, 1);
        break;
      case 1: copy.insert(at, 1, static_cast<char>('a' + Below(26))); break;
      case 2:
        for (char& c : copy) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
        break;
      case 3:
        if (std::size_t dash = copy.find(" - "); dash != std::string::npos) copy[dash] = copy[dash + 2] = '_';
        break;
      default: copy += Pick(kSuffixes);
    }
    return copy.substr(0, 255);
  }

  // Play time, bitrate and size that agree, as in real files, now and then unknown.
  ListEntry Fields(const std::string& name) {
    const int kbps[] = {128, 160, 192, 256, 320};
    const std::uint8_t codes[] = {9, 10, 11, 13, 14};
    ListEntry e = UndeterminedEntry();
    e.FileName.Set(name);
    e.Folder.Set("/music");
    const int seconds = 90 + Below(330);
    const int rate = Below(5);
    e.Frames = Below(30) == 0 ? -1 : static_cast<std::int32_t>(seconds / 0.0261224489795918);
    e.BitrateCode = Below(30) == 0 ? std::uint8_t{255} : Below(6) == 0 ? kBitrateVariable : codes[rate];
    e.SizeKB = Below(30) == 0 ? -1 : seconds * kbps[rate] / 8 + Below(40);
    e.StereoMode = static_cast<std::uint8_t>(Below(4));
    e.FrequencyCode = static_cast<std::uint8_t>(Below(10) == 0 ? 1 : 0);
    return e;
  }
};

}  // namespace

ListEntry AlikeEntry(const std::string& name) {
  ListEntry e = UndeterminedEntry();
  e.FileName.Set(name);
  e.SizeKB = 4000;
  e.Frames = 9000;
  e.BitrateCode = 9;
  e.StereoMode = 1;
  e.FrequencyCode = 0;
  return e;
}

std::vector<ListEntry> NameGenerator::Entries(std::size_t count, const NameMix& mix) {
  std::vector<ListEntry> entries;
  entries.reserve(count);
  Draw draw{random_, {}};
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (std::size_t i = 0; i < count; ++i) {
    double roll = unit(random_);
    if (roll < mix.Tracks) {
      char track[16];
      std::snprintf(track, sizeof track, "Track %02d", 1 + draw.Below(20));
      entries.push_back(draw.Fields(track));
    } else if ((roll -= mix.Tracks) < mix.Repeated) {
      const char* const common[] = {"Intro", "Outro", "Interlude", "Untitled"};
      entries.push_back(draw.Fields(draw.Pick(common)));
    } else if ((roll -= mix.Repeated) < mix.Hostile) {
      entries.push_back(draw.Fields(draw.Pick(kHostile)));
    } else if (roll < mix.Hostile + mix.NearDuplicates && !entries.empty()) {
      // A near-duplicate keeps size and time close to its original.
      const ListEntry& original = entries[static_cast<std::size_t>(draw.Below(entries.size()))];
      ListEntry copy = draw.Fields(draw.NearCopy(std::string(original.FileName.View())));
      if (original.SizeKB >= 0 && draw.Below(4) != 0) copy.SizeKB = original.SizeKB + draw.Below(200) - 100;
      if (original.Frames >= 0 && draw.Below(4) != 0) copy.Frames = original.Frames + draw.Below(400) - 200;
      if (draw.Below(2) == 0) copy.BitrateCode = original.BitrateCode;
      entries.push_back(copy);
    } else {
      entries.push_back(draw.Fields(draw.Name()));
    }
  }
  return entries;
}

}  // namespace ordonna::testing
