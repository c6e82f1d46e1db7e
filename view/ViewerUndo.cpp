// The one undo level. Images are read whole into the secondary list before anything of the
// working list changes, so a failed undo leaves the list exactly as it was.
#include <algorithm>
#include <string>
#include <utility>

#include "core/Caller.h"
#include "view/ImageFile.h"
#include "view/ListViewer.h"
#include "view/ViewerTexts.h"

namespace ordonna {
namespace {

void Say(Caller& caller, std::string_view text, std::string_view title = viewer_text::kWarningTitle,
         MessageKind kind = MessageKind::Error) {
  caller.ShowMessage(text, title, kind);
}

}  // namespace

Status ListViewer::RestoreImage(const std::string& path, std::uint32_t count) {
  Status status = ReadImage(path, count, list_.Secondary());
  if (!status.ok()) return status;
  std::swap(list_.Working(), list_.Secondary());
  list_.Secondary().Clear();
  return status;
}

ViewerUpdate ListViewer::Undo(Caller& caller) {
  const UndoRecord& undo = undo_;
  bool filterChanged = false;
  switch (undo.Kind) {
    case UndoKind::Nothing: Say(caller, viewer_text::kInternalError); break;
    case UndoKind::Deletion: UndoDeletion(caller); break;
    case UndoKind::Edit: UndoEdit(caller); break;
    case UndoKind::Insertion: UndoInsertion(caller); break;
    case UndoKind::Filtering: filterChanged = UndoFiltering(caller); break;
    case UndoKind::Resort:
    case UndoKind::InsertionResort:
      if (RestoreImage(UndoPath(), undo.Count).ok()) {
        list_.SortState = undo.SortState;
      } else {
        Say(caller, viewer_text::kUndoReadFailed);
      }
      break;
    case UndoKind::Unfiltering: filterChanged = UndoUnfiltering(caller); break;
  }
  const std::uint32_t itemCount = list_.ItemCount();
  const std::uint32_t last = itemCount == 0 ? 0 : itemCount - 1;
  ViewerUpdate update{.ListChanged = true,
                      .FilterChanged = filterChanged,
                      .Position = {std::min(undo.Position.TopRow, last), std::min(undo.Position.CurrentRow, last)}};
  EndUndo();
  return update;
}

bool ListViewer::UndoDeletion(Caller& caller) {
  const UndoRecord& undo = undo_;
  EntryList& working = list_.Working();
  if (undo.Count == 0 || undo.First > working.ItemCount()) {
    Say(caller, viewer_text::kInternalError);
    return false;
  }
  if (undo.WasFiltered != filter_.Filtered || (undo.WasFiltered && undo.UnfilteredCount != filter_.UnfilteredCount)) {
    Say(caller, viewer_text::kFilteredUndoMismatch);
    return false;
  }
  EntryList& deleted = list_.Secondary();
  if (!ReadImage(UndoPath(), undo.Count, deleted).ok()) {
    Say(caller, viewer_text::kUndoReadFailed);
    return false;
  }
  const std::uint32_t itemCount = working.ItemCount();
  if (working.Capacity() < std::size_t{itemCount} + undo.Count) working.SetCapacity(itemCount + undo.Count);
  working.SetItemCount(itemCount + undo.Count);
  std::span<ListEntry> entries = working.Entries();
  std::copy_backward(entries.begin() + undo.First, entries.begin() + itemCount, entries.end());
  std::copy(deleted.Entries().begin(), deleted.Entries().end(), entries.begin() + undo.First);
  deleted.Clear();
  if (undo.WasFiltered) {
    for (std::uint32_t full : undo.RemovedRowMap) filter_.FilterDeletedMarks[full] = 0;
    filter_.FilterRowMap.insert(filter_.FilterRowMap.begin() + undo.First, undo.RemovedRowMap.begin(),
                                undo.RemovedRowMap.end());
  }
  return true;
}

bool ListViewer::UndoEdit(Caller& caller) {
  const UndoRecord& undo = undo_;
  if (undo.WholeImage) {
    if (!RestoreImage(UndoPath(), undo.Count).ok()) {
      Say(caller, viewer_text::kUndoReadFailed);
      return false;
    }
    list_.SortState = undo.SortState;
    return true;
  }
  // The edited entry stays where it was unless a header sort moved it since: then it is
  // found by its new content.
  std::span<ListEntry> entries = list_.Working().Entries();
  std::uint32_t index = undo.First;
  if (index >= entries.size() || !SameBytes(entries[index], undo.Edited)) index = FindBytes(entries, undo.Edited);
  if (index >= entries.size()) {
    Say(caller, viewer_text::kInternalError);
    return false;
  }
  entries[index] = undo.Entry;
  return true;
}

bool ListViewer::UndoInsertion(Caller& caller) {
  using namespace viewer_text;
  if (filter_.Filtered) {
    Say(caller, kFilteredUndoMismatch);
    return false;
  }
  EntryList& working = list_.Working();
  std::span<ListEntry> entries = working.Entries();
  std::uint32_t found = 0;
  std::uint32_t last = 0;
  for (std::uint32_t i = 0; i < entries.size(); ++i) {
    if (SameBytes(entries[i], undo_.Entry)) {
      ++found;
      last = i;
    }
  }
  if (found == 0) {
    Say(caller, kInsertedNotFound, kInternalErrorTitle);
    return false;
  }
  if (found > 1) {
    const std::string question =
        std::string(kRemoveLastIdenticalStart) + std::to_string(last + 1) + std::string(kRemoveLastIdenticalEnd);
    if (caller.AskYesNo(question, kReadCarefullyTitle, Answer::No) != Answer::Yes) return false;
  }
  std::copy(entries.begin() + last + 1, entries.end(), entries.begin() + last);
  working.SetItemCount(working.ItemCount() - 1);
  return true;
}

bool ListViewer::UndoFiltering(Caller& caller) {
  using namespace viewer_text;
  if (!filter_.Filtered || filter_.UnfilteredCount < 2 || filter_.UnfilteredCount < list_.ItemCount()) {
    Say(caller, kImproperFilterBackup);
    return false;
  }
  if (!RestoreImage(FilterPath(), filter_.UnfilteredCount).ok()) {
    Say(caller, kFilterUndoReadError);
    return false;
  }
  filter_ = {};
  return true;
}

bool ListViewer::UndoUnfiltering(Caller& caller) {
  const UndoRecord& undo = undo_;
  if (filter_.Filtered) {
    Say(caller, viewer_text::kInternalError);
    return false;
  }
  Status status = RestoreImage(UndoPath(), static_cast<std::uint32_t>(undo.Filter.FilterRowMap.size()));
  if (!status.ok()) {
    Say(caller, status.code() == Status::Code::Mismatch ? viewer_text::kInternalError : viewer_text::kUndoReadFailed);
    return false;
  }
  filter_ = undo.Filter;
  return true;
}

}  // namespace ordonna
