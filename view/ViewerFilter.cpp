// The filtered state: making it, the merge back into the full list, keeping the filtered
// list instead, and entries removed behind the viewer.
#include <algorithm>
#include <utility>

#include "core/Caller.h"
#include "view/ImageFile.h"
#include "view/ListViewer.h"
#include "view/ViewerTexts.h"

namespace ordonna {

ViewerUpdate ListViewer::ApplyFilter(const std::function<bool(const ListEntry&)>& matches, GridPosition at,
                                     Caller& caller) {
  using namespace viewer_text;
  if (filter_.Filtered) return {};
  EntryList& working = list_.Working();
  if (!WriteImage(FilterPath(), working.Entries()).ok()) {
    RemoveImage(FilterPath());
    caller.ShowMessage(kFilterWriteError, kWarningTitle, MessageKind::Error);
    return {};
  }
  std::vector<std::uint32_t> rowMap;
  for (std::uint32_t i = 0; i < working.ItemCount(); ++i) {
    if (matches(working.Entry(i))) rowMap.push_back(i);
  }
  if (rowMap.empty()) {
    RemoveImage(FilterPath());
    caller.ShowMessage(kNoFilterMatches, kWarningTitle, MessageKind::Warning);
    return {};
  }
  // Compacted in place: a match never moves up past another.
  for (std::uint32_t j = 0; j < rowMap.size(); ++j) working.Entry(j) = working.Entry(rowMap[j]);
  const std::uint32_t fullCount = working.ItemCount();
  working.SetItemCount(static_cast<std::uint32_t>(rowMap.size()));
  filter_ = {true, fullCount, std::move(rowMap), std::vector<std::uint8_t>(fullCount, 0)};
  Record({.Kind = UndoKind::Filtering, .Position = at}, false);
  return {.ListChanged = true, .FilterChanged = true, .Position = {}};
}

bool ListViewer::MergeUnfiltered(const FilterState& filter, GridPosition& current, Caller& caller) {
  EntryList& full = list_.Secondary();
  const bool plausible = filter.UnfilteredCount >= 2 && filter.UnfilteredCount >= list_.ItemCount() &&
                         filter.FilterDeletedMarks.size() == filter.UnfilteredCount;
  if (!plausible || !ReadImage(FilterPath(), filter.UnfilteredCount, full).ok()) {
    caller.ShowMessage(viewer_text::kCantReadFilterBackup, viewer_text::kWarningTitle, MessageKind::Warning);
    return false;
  }
  // Output index k never passes the full index f, so full[f] is read before anything
  // overwrites it.
  std::span<ListEntry> out = full.Entries();
  std::span<const ListEntry> filtered = list_.Working().Entries();
  const std::vector<std::uint32_t>& rowMap = filter.FilterRowMap;
  std::uint32_t k = 0;
  std::size_t j = 0;
  std::uint32_t followed = 0;
  for (std::uint32_t f = 0; f < filter.UnfilteredCount; ++f) {
    if (j < rowMap.size() && j < filtered.size() && rowMap[j] == f) {
      if (j == current.CurrentRow) followed = k;
      out[k++] = filtered[j++];
    } else if (filter.FilterDeletedMarks[f] == 0) {
      out[k++] = out[f];
    }
  }
  full.SetItemCount(k);
  std::swap(list_.Working(), full);
  full.Clear();
  current = {followed, followed};
  return true;
}

ViewerUpdate ListViewer::Unfilter(GridPosition at, Caller& caller) { return LeaveFilter(true, at, caller); }

ViewerUpdate ListViewer::LeaveFilter(bool recordUndo, GridPosition at, Caller& caller) {
  if (!filter_.Filtered) return {};
  const bool imageWritten = recordUndo && WriteUndoImage(list_.Working().Entries(), caller);
  UndoRecord record{.Kind = UndoKind::Unfiltering, .Position = at, .Filter = filter_};
  GridPosition position = at;
  if (!MergeUnfiltered(filter_, position, caller)) {
    // The undo image may have been overwritten: the old level cannot be trusted.
    if (imageWritten) EndUndo();
    return {};
  }
  // Whatever the level held referred to the filtered rows.
  if (imageWritten) {
    Record(std::move(record), true);
  } else {
    EndUndo();
  }
  filter_ = {};
  if (list_.Working().Empty()) {
    return {.ListChanged = true, .FilterChanged = true, .CloseViewer = true, .StartNewList = true};
  }
  return {.ListChanged = true, .FilterChanged = true, .Position = position};
}

ViewerUpdate ListViewer::MakePrimary(Caller& caller) {
  using namespace viewer_text;
  if (!filter_.Filtered) return {};
  if (caller.AskYesNo(kMakePrimaryQuestion, kMakePrimaryTitle, Answer::No) != Answer::Yes) return {};
  EndUndo();
  RemoveImage(FilterPath());
  filter_ = {};
  // The entries filtered out are gone from the list: it no longer matches its file.
  list_.Unsaved = true;
  return {.FilterChanged = true};
}

bool ListViewer::ConfirmClose(Caller& caller) {
  using namespace viewer_text;
  if (!filter_.Filtered) return true;
  switch (caller.AskYesNoCancel(kRevertQuestion, kRevertTitle, Answer::Yes)) {
    case Answer::Cancel: return false;
    case Answer::No:
      EndUndo();
      filter_ = {};
      list_.Unsaved = true;
      return true;
    case Answer::Yes: break;
  }
  // When the full list cannot be read back the viewer stays open, the filtered list intact.
  return LeaveFilter(false, {}, caller).FilterChanged;
}

void ListViewer::Closed() {
  EndUndo();
  filter_ = {};
}

void ListViewer::EntriesRemovedBehind(std::span<const std::uint32_t> removedIndexes) {
  EndUndo();
  if (!filter_.Filtered) return;
  std::vector<std::uint32_t>& rowMap = filter_.FilterRowMap;
  std::size_t kept = 0;
  std::size_t next = 0;
  for (std::size_t row = 0; row < rowMap.size(); ++row) {
    while (next < removedIndexes.size() && removedIndexes[next] < row) ++next;
    if (next < removedIndexes.size() && removedIndexes[next] == row) {
      filter_.FilterDeletedMarks[rowMap[row]] = 1;
    } else {
      rowMap[kept++] = rowMap[row];
    }
  }
  rowMap.resize(kept);
}

}  // namespace ordonna
