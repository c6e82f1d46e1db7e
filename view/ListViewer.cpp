// Sorting, deletion and the placement of inserted and edited entries, each recording what
// its undo needs before the list changes.
#include "view/ListViewer.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "config/AppOptions.h"
#include "core/Caller.h"
#include "core/Snapshot.h"
#include "core/Sort.h"
#include "view/HeaderSort.h"
#include "view/ImageFile.h"
#include "view/SortNames.h"
#include "view/ViewerTexts.h"

namespace ordonna {
namespace {

bool SameFields(const ListEntry& a, const ListEntry& b) {
  return a.FrequencyCode == b.FrequencyCode && a.FileName.View() == b.FileName.View() && a.SizeKB == b.SizeKB &&
         a.BitrateCode == b.BitrateCode && a.Frames == b.Frames && a.StereoMode == b.StereoMode &&
         a.Folder.View() == b.Folder.View() && a.VolumeLabel.View() == b.VolumeLabel.View() &&
         a.FileDate == b.FileDate && a.DateAdded == b.DateAdded;
}

GridPosition Clamped(GridPosition at, std::uint32_t itemCount) {
  const std::uint32_t last = itemCount == 0 ? 0 : itemCount - 1;
  return {std::min(at.TopRow, last), std::min(at.CurrentRow, last)};
}

}  // namespace

bool SameBytes(const ListEntry& a, const ListEntry& b) { return std::memcmp(&a, &b, sizeof(ListEntry)) == 0; }

std::uint32_t FindBytes(std::span<const ListEntry> entries, const ListEntry& entry) {
  auto found = std::find_if(entries.begin(), entries.end(), [&](const ListEntry& e) { return SameBytes(e, entry); });
  return static_cast<std::uint32_t>(found - entries.begin());
}

ListViewer::ListViewer(ListStore& list, const AppOptions& options, std::string tempFolder)
    : list_(list), options_(options), tempFolder_(std::move(tempFolder)) {}

std::string ListViewer::UndoPath() const { return tempFolder_ + "/" + std::string(temp_file::kViewerUndo); }

std::string ListViewer::FilterPath() const { return tempFolder_ + "/" + std::string(temp_file::kViewerFilter); }

void ListViewer::Record(UndoRecord record, bool imageWritten) {
  if (!imageWritten) EmptyImage(UndoPath());
  undo_ = std::move(record);
}

void ListViewer::EndUndo() { Record({}, false); }

bool ListViewer::WriteUndoImage(std::span<const ListEntry> entries, Caller& caller) {
  if (WriteImage(UndoPath(), entries).ok()) return true;
  caller.ShowMessage(viewer_text::kCantPrepareUndo, viewer_text::kDiskErrorTitle, MessageKind::Error);
  EndUndo();
  return false;
}

void ListViewer::SortBy(std::uint8_t sortState) {
  list_.SortState = sortState;
  SortList(list_.Working().Entries(), SortSettingsOf(sortState));
}

ViewerUpdate ListViewer::SortByHeader(int position, const ColumnLayout& layout, GridPosition at, Caller& caller) {
  std::optional<std::uint8_t> state = DecideHeaderSort(position, layout, filter_.Filtered, list_.SortState, caller);
  if (!state) return {};
  SortBy(*state);
  return {.ListChanged = true, .Position = Clamped(at, list_.ItemCount())};
}

ViewerUpdate ListViewer::Resort(GridPosition at, Caller& caller) {
  // The re-sort control is hidden while filtered: sorting would break the row map.
  if (filter_.Filtered) return {};
  UndoRecord record{.Kind = UndoKind::Resort, .Position = at, .Count = list_.ItemCount(), .SortState = list_.SortState};
  if (WriteUndoImage(list_.Working().Entries(), caller)) Record(std::move(record), true);
  SortBy(MainSortState(options_.Main));
  return {.ListChanged = true, .Position = Clamped(at, list_.ItemCount())};
}

ViewerUpdate ListViewer::DeleteRows(std::uint32_t first, std::uint32_t count, GridPosition at, Caller& caller) {
  const std::uint32_t itemCount = list_.ItemCount();
  if (count == 0 || first >= itemCount) return {};
  count = std::min(count, itemCount - first);
  if (first == 0 && count == itemCount) return DeleteAll(caller);

  EntryList& working = list_.Working();
  std::span<ListEntry> entries = working.Entries();
  if (!WriteImage(UndoPath(), entries.subspan(first, count)).ok()) {
    caller.ShowMessage(viewer_text::kCantErase, viewer_text::kWarningTitle, MessageKind::Error);
    EndUndo();
    return {};
  }
  UndoRecord record{.Kind = UndoKind::Deletion, .Position = at, .First = first, .Count = count};
  if (filter_.Filtered) {
    const auto removed = filter_.FilterRowMap.begin() + first;
    record.RemovedRowMap.assign(removed, removed + count);
    record.UnfilteredCount = filter_.UnfilteredCount;
    record.WasFiltered = true;
  }
  Record(std::move(record), true);

  list_.Unsaved = true;
  std::copy(entries.begin() + first + count, entries.end(), entries.begin() + first);
  working.SetItemCount(itemCount - count);
  if (filter_.Filtered) {
    for (std::uint32_t full : undo_.RemovedRowMap) filter_.FilterDeletedMarks[full] = 1;
    const auto removed = filter_.FilterRowMap.begin() + first;
    filter_.FilterRowMap.erase(removed, removed + count);
  }
  return {.ListChanged = true, .Position = Clamped(at, list_.ItemCount())};
}

ViewerUpdate ListViewer::DeleteAll(Caller& caller) {
  using namespace viewer_text;
  const std::string_view question = filter_.Filtered ? kDeleteAndUnfilter : kDeleteAndClose;
  if (caller.AskYesNo(question, kListClearedTitle, Answer::No) != Answer::Yes) return {};
  if (!filter_.Filtered) {
    EndUndo();
    list_.Working().Clear();
    list_.Unsaved = true;
    return {.ListChanged = true, .CloseViewer = true, .StartNewList = true};
  }
  // Every filtered entry marked deleted, then back to the full list without them.
  FilterState emptied = filter_;
  for (std::uint32_t full : emptied.FilterRowMap) emptied.FilterDeletedMarks[full] = 1;
  emptied.FilterRowMap.clear();
  GridPosition at;
  if (!MergeUnfiltered(emptied, at, caller)) return {};
  EndUndo();
  list_.Unsaved = true;
  filter_ = {};
  if (list_.Working().Empty())
    return {.ListChanged = true, .FilterChanged = true, .CloseViewer = true, .StartNewList = true};
  return {.ListChanged = true, .FilterChanged = true, .Position = {}};
}

ViewerUpdate ListViewer::Insert(const ListEntry& entry, std::uint8_t insertPosition, std::uint32_t selected,
                                GridPosition at, Caller& caller) {
  if (filter_.Filtered) return Unfilter(at, caller);
  EntryList& working = list_.Working();
  const std::uint32_t itemCount = working.ItemCount();
  const std::uint8_t position = insertPosition & 3;
  std::uint32_t placed = 0;
  if (position < 2) {
    Record({.Kind = UndoKind::Insertion, .Position = at, .Entry = entry}, false);
    const std::uint32_t at0 = itemCount == 0 ? 0 : std::min(selected, itemCount - 1);
    placed = std::min(position == 0 ? at0 : at0 + 1, itemCount);
    working.AppendEntry(entry);
    std::span<ListEntry> entries = working.Entries();
    std::rotate(entries.begin() + placed, entries.end() - 1, entries.end());
  } else {
    UndoRecord record{
        .Kind = UndoKind::InsertionResort, .Position = at, .Count = itemCount, .SortState = list_.SortState};
    if (WriteUndoImage(working.Entries(), caller)) Record(std::move(record), true);
    working.AppendEntry(entry);
    SortBy(position == 3 ? MainSortState(options_.Main) : list_.SortState);
    placed = FindBytes(working.Entries(), entry);
  }
  list_.Unsaved = true;
  return {.ListChanged = true, .Position = {std::min(at.TopRow, placed), placed}};
}

ViewerUpdate ListViewer::Edit(std::uint32_t index, const ListEntry& edited, std::uint8_t editPosition, GridPosition at,
                              Caller& caller) {
  EntryList& working = list_.Working();
  if (index >= working.ItemCount() || SameFields(working.Entry(index), edited)) return {};
  const std::uint8_t sortState = editPosition == 3 ? MainSortState(options_.Main) : list_.SortState;
  // A filtered list keeps its order: its rows are tied to the full list by the row map.
  const bool sorts = !filter_.Filtered && (sortState & 63) <= kSortVolumeLabel && working.ItemCount() > 1;
  if (sorts) {
    UndoRecord record{.Kind = UndoKind::Edit,
                      .Position = at,
                      .Count = working.ItemCount(),
                      .WholeImage = true,
                      .SortState = list_.SortState};
    if (WriteUndoImage(working.Entries(), caller)) Record(std::move(record), true);
  } else {
    Record({.Kind = UndoKind::Edit, .Position = at, .First = index, .Entry = working.Entry(index), .Edited = edited},
           false);
  }
  working.Entry(index) = edited;
  list_.Unsaved = true;
  std::uint32_t placed = index;
  if (sorts) {
    SortBy(sortState);
    placed = FindBytes(working.Entries(), edited);
  }
  return {.ListChanged = true, .Position = {std::min(at.TopRow, placed), placed}};
}

}  // namespace ordonna
