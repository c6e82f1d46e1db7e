// The quicksort: the middle element is the pivot, moved to the end; the loop is on the
// larger part and the recursion on the smaller, so depth stays logarithmic.
#include "core/Sort.h"

#include <cstddef>
#include <utility>

#include "core/ListStore.h"
#include "core/Text.h"

namespace ordonna {
namespace {

std::int32_t StereoOrder(std::uint8_t mode) {
  switch (mode) {
    case 3: return 0;  // mono
    case 1: return 1;  // joint stereo
    case 0: return 2;  // stereo
    case 2: return 3;  // dual channel
    default: return 127;
  }
}

std::int32_t FrequencyOrder(std::uint8_t code) {
  switch (code) {
    case 2: return 0;  // 32 kHz
    case 0: return 1;  // 44.1 kHz
    case 1: return 2;  // 48 kHz
    default: return 127;
  }
}

std::int32_t NumericKey(const ListEntry& entry, std::uint8_t field) {
  switch (field) {
    case kSortPlaytime: return entry.Frames;
    case kSortBitrate: return entry.BitrateCode;
    case kSortFileSize: return entry.SizeKB;
    case kSortStereoMode: return StereoOrder(entry.StereoMode);
    case kSortFrequency: return FrequencyOrder(entry.FrequencyCode);
    case kSortDateCreated: return entry.FileDate;
    default: return entry.DateAdded;
  }
}

int CompareText(std::string_view a, std::string_view b, bool caseSensitive) {
  return caseSensitive ? CompareTextCase(a, b) : CompareTextNoCase(a, b);
}

int Sign(int value) { return (value > 0) - (value < 0); }

using Index = std::ptrdiff_t;

void SortRange(std::span<ListEntry> e, Index lo, Index hi, const SortSettings& s) {
  const bool ascending = !s.SortDescending;
  auto greater = [&](Index a, Index b) { return EntryGreater(e[a], e[b], s); };
  while (lo < hi) {
    if (hi - lo == 1) {
      if (greater(lo, hi) == ascending) std::swap(e[lo], e[hi]);
      return;
    }
    std::swap(e[(lo + hi) / 2], e[hi]);
    Index i = lo;
    Index j = hi - 1;
    for (;;) {
      // Ascending: i passes entries not greater than the pivot, j entries the pivot is not
      // greater than; descending the other way round.
      while (i <= j && greater(i, hi) != ascending) ++i;
      while (j >= i && greater(hi, j) != ascending) --j;
      if (i >= j) break;
      std::swap(e[i], e[j]);
      if (i < j) ++i;
      if (j > i) --j;
    }
    std::swap(e[i], e[hi]);
    if (i - lo < hi - i) {
      SortRange(e, lo, i - 1, s);
      lo = i + 1;
    } else {
      SortRange(e, i + 1, hi, s);
      hi = i - 1;
    }
  }
}

}  // namespace

std::uint8_t SortStateOf(const SortSettings& settings) {
  return static_cast<std::uint8_t>(settings.SortField | (settings.SortDescending ? kSortDescendingBit : 0) |
                                   (settings.SortCaseSensitive ? kSortCaseSensitiveBit : 0));
}

SortSettings SortSettingsOf(std::uint8_t sortState) {
  return {static_cast<std::uint8_t>(sortState & 63), (sortState & kSortDescendingBit) != 0,
          (sortState & kSortCaseSensitiveBit) != 0};
}

int CompareTextNoCase(std::string_view a, std::string_view b) {
  std::size_t common = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < common; ++i) {
    auto ca = static_cast<signed char>(AsciiLower(a[i]));
    auto cb = static_cast<signed char>(AsciiLower(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return Sign(static_cast<int>(a.size() > b.size()) - static_cast<int>(a.size() < b.size()));
}

int CompareTextCase(std::string_view a, std::string_view b) {
  std::size_t common = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < common; ++i) {
    auto ca = static_cast<unsigned char>(a[i]);
    auto cb = static_cast<unsigned char>(b[i]);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return Sign(static_cast<int>(a.size() > b.size()) - static_cast<int>(a.size() < b.size()));
}

bool EntryGreater(const ListEntry& a, const ListEntry& b, const SortSettings& settings) {
  const std::uint8_t field = settings.SortField;
  if (field == kSortPath || field == kSortVolumeLabel) {
    int result = field == kSortPath
                     ? CompareText(a.Folder.View(), b.Folder.View(), settings.SortCaseSensitive)
                     : CompareText(a.VolumeLabel.View(), b.VolumeLabel.View(), settings.SortCaseSensitive);
    if (result != 0) return result > 0;
  } else if (field != kSortFilename) {
    std::int32_t keyA = NumericKey(a, field);
    std::int32_t keyB = NumericKey(b, field);
    if (keyA != keyB) return keyA > keyB;
  }
  return CompareText(a.FileName.View(), b.FileName.View(), settings.SortCaseSensitive) > 0;
}

void SortList(std::span<ListEntry> entries, const SortSettings& settings) {
  if (settings.SortField > kSortVolumeLabel || entries.size() < 2) return;
  SortRange(entries, 0, static_cast<Index>(entries.size()) - 1, settings);
}

}  // namespace ordonna
