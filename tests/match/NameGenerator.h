// Realistic and hostile file names for the matching tests and benchmarks: "Artist - Title"
// with track numbers, remixes, accented letters in both encodings, short and
// punctuation-only names, planted near-duplicates with sizes and times close by, and the
// names that repeat across the albums of real collections.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/ListEntry.h"

namespace ordonna::testing {

// An entry named `name` whose other fields equal those of every such entry: a pair of them
// passes every size, time and bitrate limit, so only the names decide.
ListEntry AlikeEntry(const std::string& name);

struct NameMix {
  double NearDuplicates = 0.04;  // share of entries that are an edited copy of an earlier one
  double Hostile = 0.0;          // share of short, empty and punctuation-only names
  double Tracks = 0.0;           // share of untagged rips, "Track 01" to "Track 20"
  double Repeated = 0.0;         // share of names found on many albums ("Intro", "Outro", ...)
};

class NameGenerator {
 public:
  explicit NameGenerator(std::uint32_t seed) : random_(seed) {}

  // `count` entries; near-duplicates copy an entry made earlier in the same list.
  std::vector<ListEntry> Entries(std::size_t count, const NameMix& mix);

 private:
  std::mt19937 random_;
};

}  // namespace ordonna::testing
