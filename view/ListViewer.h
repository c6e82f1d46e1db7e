// The viewer's operations on the working list: sorting, deletion, placement of inserted and
// edited entries, one level of undo, the filtered state and the ways out of it. The window
// passes its grid position in and applies the returned update; every question and message
// goes through the Caller.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/ListEntry.h"
#include "core/ListStore.h"
#include "core/Status.h"
#include "view/Columns.h"

namespace ordonna {

struct AppOptions;
class Caller;

// What the undo level can reverse.
enum class UndoKind : std::uint8_t {
  Nothing = 0,
  Deletion = 1,
  Edit = 2,
  Insertion = 3,
  Filtering = 4,
  Resort = 5,
  InsertionResort = 6,
  Unfiltering = 7,
};

// The grid's top visible row and cursor row, as entry indexes.
struct GridPosition {
  std::uint32_t TopRow = 0;
  std::uint32_t CurrentRow = 0;

  friend bool operator==(const GridPosition&, const GridPosition&) = default;
};

// While a filter is in force the working list holds only the matching entries and the
// filter image the full list.
struct FilterState {
  bool Filtered = false;
  std::uint32_t UnfilteredCount = 0;
  std::vector<std::uint32_t> FilterRowMap;       // per filtered row, its index in the full list
  std::vector<std::uint8_t> FilterDeletedMarks;  // per full-list entry, 1 when deleted while filtered

  friend bool operator==(const FilterState&, const FilterState&) = default;
};

// What the window does after an operation.
struct ViewerUpdate {
  bool ListChanged = false;    // rebuild the grid from the list and go to Position
  bool FilterChanged = false;  // captions, buttons and colours of the (un)filtered state change
  bool CloseViewer = false;    // the viewer closes
  bool StartNewList = false;   // the list was emptied: the main window starts a new list
  GridPosition Position{};
};

// Byte-for-byte equality of two records, and the first index of `entry` in `entries` (their
// size when it is not there).
bool SameBytes(const ListEntry& a, const ListEntry& b);
std::uint32_t FindBytes(std::span<const ListEntry> entries, const ListEntry& entry);

class ListViewer {
 public:
  // `tempFolder` holds the undo and filter images; `options` is read at every call.
  ListViewer(ListStore& list, const AppOptions& options, std::string tempFolder);
  ListViewer(const ListViewer&) = delete;
  ListViewer& operator=(const ListViewer&) = delete;

  const FilterState& Filter() const { return filter_; }
  bool Filtered() const { return filter_.Filtered; }
  UndoKind PendingUndo() const { return undo_.Kind; }
  bool CanUndo() const { return undo_.Kind != UndoKind::Nothing; }

  // A click on the header of the column at `position` (the questions of DecideHeaderSort).
  ViewerUpdate SortByHeader(int position, const ColumnLayout& layout, GridPosition at, Caller& caller);
  // Sorts by the main options, undoably.
  ViewerUpdate Resort(GridPosition at, Caller& caller);

  // Deletes the selected block of entries. Deleting every entry asks first and cannot be
  // undone: an unfiltered list is emptied (the viewer closes), a filtered one unfiltered.
  ViewerUpdate DeleteRows(std::uint32_t first, std::uint32_t count, GridPosition at, Caller& caller);

  // Places a confirmed new entry: `insertPosition` 0 above, 1 below the entry `selected`, 2
  // appended and sorted by the list's order, 3 by the main options (which become the list's).
  // While filtered it unfilters instead. The update's cursor row is the new entry.
  ViewerUpdate Insert(const ListEntry& entry, std::uint8_t insertPosition, std::uint32_t selected, GridPosition at,
                      Caller& caller);
  // Replaces entry `index` when `edited` differs from it in any field, then sorts by the
  // list's order (`editPosition` 2) or the main options (3). A filtered list is not sorted.
  ViewerUpdate Edit(std::uint32_t index, const ListEntry& edited, std::uint8_t editPosition, GridPosition at,
                    Caller& caller);

  // Reverses the last operation. Any failure leaves the list as it was; the level is used up.
  ViewerUpdate Undo(Caller& caller);

  // Keeps only the entries `matches` accepts, the full list saved first in the filter image.
  ViewerUpdate ApplyFilter(const std::function<bool(const ListEntry&)>& matches, GridPosition at, Caller& caller);
  // Back to the full list with every change of the filtered one merged in, undoably.
  ViewerUpdate Unfilter(GridPosition at, Caller& caller);
  // The filtered list becomes the list for good (after asking).
  ViewerUpdate MakePrimary(Caller& caller);

  // Before the viewer closes: a filtered list asks whether to go back to the full list (Yes
  // unfilters, No keeps the filtered list). False when the viewer stays open.
  bool ConfirmClose(Caller& caller);
  // The viewer closed: the undo level ends and the filter state is dropped.
  void Closed();

  // Another window removed entries (their indexes before the removal, ascending) from the
  // list behind the viewer: the undo level ends, and a filter keeps its bookkeeping.
  void EntriesRemovedBehind(std::span<const std::uint32_t> removedIndexes);

 private:
  struct UndoRecord {
    UndoKind Kind = UndoKind::Nothing;
    GridPosition Position{};
    std::uint32_t First = 0;                     // deletion: first index; edit: the edited index
    std::uint32_t Count = 0;                     // entries in the image
    ListEntry Entry{};                           // edit: the old content; insertion: the inserted entry
    ListEntry Edited{};                          // edit: the new content
    bool WholeImage = false;                     // edit recorded with the list as it was
    std::uint8_t SortState = 0;                  // the order before a re-sort
    std::vector<std::uint32_t> RemovedRowMap{};  // filtered deletion: the map entries removed
    std::uint32_t UnfilteredCount = 0;           // filtered deletion
    bool WasFiltered = false;
    FilterState Filter{};  // unfiltering: the state it left
  };

  std::string UndoPath() const;
  std::string FilterPath() const;
  // The new undo level; a kind without an image empties the image file.
  void Record(UndoRecord record, bool imageWritten);
  void EndUndo();
  // Writes `entries` as the undo image; a failure ends the undo level and says so.
  bool WriteUndoImage(std::span<const ListEntry> entries, Caller& caller);
  void SortBy(std::uint8_t sortState);
  // The full list rebuilt from the filter image and the filtered list; false (and a message)
  // when the image cannot be read. `current` is the filtered row to follow.
  bool MergeUnfiltered(const FilterState& filter, GridPosition& current, Caller& caller);
  ViewerUpdate LeaveFilter(bool recordUndo, GridPosition at, Caller& caller);
  ViewerUpdate DeleteAll(Caller& caller);
  bool UndoDeletion(Caller& caller);
  bool UndoEdit(Caller& caller);
  bool UndoInsertion(Caller& caller);
  bool UndoFiltering(Caller& caller);
  bool UndoUnfiltering(Caller& caller);
  // Reads an image of `count` entries whole and only then makes it the working list.
  Status RestoreImage(const std::string& path, std::uint32_t count);

  ListStore& list_;
  const AppOptions& options_;
  std::string tempFolder_;
  FilterState filter_;
  UndoRecord undo_;
};

}  // namespace ordonna
