// Growth, trimming and clearing of the entry arrays.
#include "core/ListStore.h"

#include <algorithm>
#include <cassert>

#include "core/Caller.h"

namespace ordonna {

void EntryList::AppendEntry(const ListEntry& entry) {
  if (count_ == entries_.size()) SetCapacity(entries_.size() + kGrowthStep);
  entries_[count_++] = entry;
}

void EntryList::SetCapacity(std::size_t capacity) {
  // The visible length grows in steps of 1,024; the storage below grows geometrically so
  // that appending 200,000 entries does not copy the list two hundred times.
  if (capacity > entries_.capacity()) entries_.reserve(std::max(capacity, entries_.capacity() * 2));
  entries_.resize(capacity);
  count_ = static_cast<std::uint32_t>(std::min<std::size_t>(count_, capacity));
}

void EntryList::Trim() {
  entries_.resize(count_);
  entries_.shrink_to_fit();
}

void EntryList::Clear() {
  count_ = 0;
  entries_ = {};
}

void EntryList::SetItemCount(std::uint32_t count) {
  assert(count <= entries_.size());
  for (std::uint32_t i = count_; i < count; ++i) entries_[i] = ListEntry{};
  count_ = count;
}

void ListStore::SetListFileName(std::string_view name) {
  listFileName_ = std::string(CutToCapacity(name, kNameCapacity));
}

bool ConfirmDiscard(const ListStore& list, std::uint16_t askSaveThreshold, Caller& caller) {
  if (askSaveThreshold == 0 || !list.Unsaved || list.ItemCount() < askSaveThreshold) return true;
  return caller.AskYesNo(kDiscardQuestion, kDiscardTitle, Answer::No) == Answer::Yes;
}

void ClearList(ListStore& list) {
  list.Working().Clear();
  list.SetListFileName({});
  list.Unsaved = false;
}

}  // namespace ordonna
