// The working list and the secondary list: growable arrays of ListEntry with the list-wide
// state (item count, list file name, unsaved mark, sort state). Owned by the UI thread;
// workers only read it while nothing writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/LargeBlocks.h"
#include "core/ListEntry.h"

namespace ordonna {

// Appends grow the array in steps of this many entries.
inline constexpr std::size_t kGrowthStep = 1024;

// SortState: the sort field in the low six bits, 63 when no order is recorded.
inline constexpr std::uint8_t kNoSortOrder = 63;
inline constexpr std::uint8_t kSortCaseSensitiveBit = 64;
inline constexpr std::uint8_t kSortDescendingBit = 128;

// An array of entries whose allocated length (Capacity) may exceed ItemCount while a
// scan or import appends; only the first ItemCount entries are meaningful.
class EntryList {
 public:
  std::uint32_t ItemCount() const { return count_; }
  std::size_t Capacity() const { return entries_.size(); }
  bool Empty() const { return count_ == 0; }

  // REQUIRES: index < ItemCount().
  ListEntry& Entry(std::uint32_t index) { return entries_[index]; }
  const ListEntry& Entry(std::uint32_t index) const { return entries_[index]; }

  std::span<ListEntry> Entries() { return {entries_.data(), count_}; }
  std::span<const ListEntry> Entries() const { return {entries_.data(), count_}; }

  // Stores `entry` at index ItemCount, growing by kGrowthStep when full.
  void AppendEntry(const ListEntry& entry);
  // Sets the allocated length; entries beyond it are dropped from the count. Entries beyond
  // the count hold nothing meaningful.
  void SetCapacity(std::size_t capacity);
  // Makes the allocated length equal to ItemCount.
  void Trim();
  // Count 0, nothing allocated.
  void Clear();
  // Sets ItemCount; new entries are zero. REQUIRES: count <= Capacity().
  void SetItemCount(std::uint32_t count);

 private:
  std::vector<ListEntry, LargeBlockAllocator<ListEntry>> entries_;
  std::uint32_t count_ = 0;
};

class ListStore {
 public:
  EntryList& Working() { return working_; }
  const EntryList& Working() const { return working_; }
  // Scratch space of import, comparison and viewer; not part of the saved state.
  EntryList& Secondary() { return secondary_; }
  const EntryList& Secondary() const { return secondary_; }

  std::uint32_t ItemCount() const { return working_.ItemCount(); }
  ListEntry& Entry(std::uint32_t index) { return working_.Entry(index); }
  const ListEntry& Entry(std::uint32_t index) const { return working_.Entry(index); }
  void AppendEntry(const ListEntry& entry) { working_.AppendEntry(entry); }

  // The name under which the list was last saved or loaded, cut to 255 bytes.
  const std::string& ListFileName() const { return listFileName_; }
  void SetListFileName(std::string_view name);

  bool Unsaved = false;
  std::uint8_t SortState = kNoSortOrder;

 private:
  EntryList working_;
  EntryList secondary_;
  std::string listFileName_;
};

// Empties the working list: no entries, nothing allocated, no file name, not unsaved.
void ClearList(ListStore& list);

class Caller;

// Before an unsaved list is discarded: asks the user when the list is unsaved and holds at
// least `askSaveThreshold` entries (0 never asks). False when the user keeps the list.
bool ConfirmDiscard(const ListStore& list, std::uint16_t askSaveThreshold, Caller& caller);

inline constexpr std::string_view kDiscardQuestion =
    "With unsaved list, are you sure?\r\n(NO will cancel the operation and let you save)";
inline constexpr std::string_view kDiscardTitle = "warning";

}  // namespace ordonna
