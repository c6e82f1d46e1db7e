// The list order: a quicksort over whole entries by one of ten fields, ascending or
// descending, with or without letter case. The order of equal entries is part of the
// behaviour users see, so the algorithm is fixed, not merely "a sort".
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/ListEntry.h"

namespace ordonna {

enum SortFieldValue : std::uint8_t {
  kSortFilename = 0,
  kSortPlaytime = 1,
  kSortBitrate = 2,
  kSortFileSize = 3,
  kSortStereoMode = 4,
  kSortFrequency = 5,
  kSortDateCreated = 6,
  kSortPath = 7,
  kSortDateAdded = 8,
  kSortVolumeLabel = 9,
};

struct SortSettings {
  std::uint8_t SortField = kSortFilename;
  bool SortDescending = false;
  bool SortCaseSensitive = false;
};

// The SortState byte recording an order, and the settings a SortState byte stands for.
std::uint8_t SortStateOf(const SortSettings& settings);
SortSettings SortSettingsOf(std::uint8_t sortState);

// Sorts in place; does nothing for a sort field above 9 or fewer than 2 entries.
void SortList(std::span<ListEntry> entries, const SortSettings& settings);

// True when `a` belongs after `b` in ascending order.
bool EntryGreater(const ListEntry& a, const ListEntry& b, const SortSettings& settings);

// A-Z folded to a-z, bytes compared as signed 8-bit values (so bytes 128-255 come first),
// the shorter string first on a common prefix. Returns -1, 0 or 1.
int CompareTextNoCase(std::string_view a, std::string_view b);

// Bytes compared unsigned, the shorter string first on a common prefix. Returns -1, 0 or 1.
int CompareTextCase(std::string_view a, std::string_view b);

}  // namespace ordonna
