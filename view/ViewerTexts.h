// The texts the list viewer shows: questions, messages, titles and control captions, spelled
// exactly as users know them.
#pragma once

#include <string_view>

namespace ordonna::viewer_text {

inline constexpr std::string_view kWarningTitle = "Warning";

// Showing the list.
inline constexpr std::string_view kTooLarge =
    "You can't display a list larger than 256K titles\r\nusing this internal viewer. You may, however,\r\n"
    "export it to text or html format, or use the\r\n\"find duplicates\" and \"compare\" functions.";
inline constexpr std::string_view kCaptionStart = " Internal List Viewer (";

// Header sorting.
inline constexpr std::string_view kCantSortFiltered = "You can't sort the filtered list.";
inline constexpr std::string_view kCantSortNumbers = "You can't sort by numbers.";
inline constexpr std::string_view kSortByFilenameInstead =
    "You can't sort by artist or title.\r\nDo you want to sort by filename?\r\n\n(this won't affect main sorting option)";
inline constexpr std::string_view kSortQuestionStart = "SORT THE LIST BY ";
inline constexpr std::string_view kSortQuestionReverse = " (REVERSE ORDER) ";
inline constexpr std::string_view kSortQuestionEnd = "?\r\n\n(this won't affect main sorting option)";
inline constexpr std::string_view kSortTitle = "sorting";

// Deletion.
inline constexpr std::string_view kDeleteAndClose = "DELETE AND CLOSE?";
inline constexpr std::string_view kDeleteAndUnfilter = "DELETE AND UNFILTER?";
inline constexpr std::string_view kListClearedTitle = " List to be cleared";
inline constexpr std::string_view kCantErase = "Fatal disk error writing temporary file!\r\nCan't erase!";

// Undo.
inline constexpr std::string_view kCantPrepareUndo = "Error trying to prepare undo.\r\nCan't write temporary file.";
inline constexpr std::string_view kDiskErrorTitle = "disk error";
inline constexpr std::string_view kInternalError = "Unexpected internal error. Can't undo.";
inline constexpr std::string_view kUndoReadFailed = "Unexpected error reading temporary file!\r\nUndo failed.";
inline constexpr std::string_view kFilteredUndoMismatch =
    "Error performing filtered undo.\r\nTemporary file parameters don't match current.";
inline constexpr std::string_view kInsertedNotFound = "Inserted item not found!";
inline constexpr std::string_view kInternalErrorTitle = "internal error";
inline constexpr std::string_view kRemoveLastIdenticalStart =
    "This operation can be undone only if there's\r\na single item in the list with all the same parameters.\r\n"
    "Unfortunately you have at least 2 items identical to the inserted one.\r\n\n"
    "Do you wish to remove the last found one (line no. ";
inline constexpr std::string_view kRemoveLastIdenticalEnd =
    ") ?\r\n(note: sorting will NOT be restored, if it was changed)";
inline constexpr std::string_view kReadCarefullyTitle = "WARNING - READ CAREFULLY";
inline constexpr std::string_view kImproperFilterBackup = "Error performing undo! Improper temporary backup file!";
inline constexpr std::string_view kFilterUndoReadError = "Error reading temporary file. Can't undo.";

// Filtering and leaving a filtered list.
inline constexpr std::string_view kFilterWriteError = "Disk error writing temporary file!";
inline constexpr std::string_view kNoFilterMatches = "No matches found. Not filtering.";
inline constexpr std::string_view kCantReadFilterBackup = "Disk error! Can't read temporary backup file!";
inline constexpr std::string_view kMakePrimaryQuestion = "Are you certain?\r\n\nYou can't undo this operation.";
inline constexpr std::string_view kMakePrimaryTitle = "make this your list";
inline constexpr std::string_view kRevertQuestion =
    "Do you want to revert to the unfiltered list?\r\n\n(NO will irreversibly make this list primary)";
inline constexpr std::string_view kRevertTitle = "prompt";

// Finding.
inline constexpr std::string_view kTooFewToFind = "Must have 2 items at least.";
inline constexpr std::string_view kFindFirstRequired = "Can't find next. \"Find First\" operation is required.";
inline constexpr std::string_view kNotFound = "Not found";
inline constexpr std::string_view kWrapQuestion =
    "No matches below cursor position.\r\nContinue searching from the beginning?";
inline constexpr std::string_view kFindTitle = "find";

// The editor.
inline constexpr std::string_view kPathTooLong = "Path too long. 255 characters at most, please.";

// The notice shown when a filter is made.
inline constexpr std::string_view kNoticeEditing = "Editing a filtered item WILL\r\naffect the main list.";
inline constexpr std::string_view kNoticeDeleting = "Deleting a filtered item WILL\r\nremove it from the main list.";
inline constexpr std::string_view kNoticeSaving =
    "Saving a filtered list will save ONLY\r\nthe items visible, not the whole list.";

// Control captions and hints that change with the list's state.
inline constexpr std::string_view kNotSorted = "not sorted";
inline constexpr std::string_view kResortHintStart = "Re-sort by ";
inline constexpr std::string_view kMainOptionEnd = " (main option)";
inline constexpr std::string_view kListOptionEnd = " (list option)";
inline constexpr std::string_view kDontSortListOption = "don't sort (list option)";
inline constexpr std::string_view kDontSortMainOption = "don't sort (main option)";
inline constexpr std::string_view kInsertAbove = "Insert above the selected item";
inline constexpr std::string_view kInsertBelow = "Insert below the selected item";

}  // namespace ordonna::viewer_text
