// The texts the folder scan shows, exactly as users know them.
#pragma once

#include <string_view>

namespace ordonna::scan_text {

inline constexpr std::string_view kUnchangedQuestion =
    "You don't seem to have changed neither\r\ndrive nor path. Continue anyway?";
inline constexpr std::string_view kUnchangedTitle = "please confirm";
inline constexpr std::string_view kDriveNotReady = "Drive not ready or other I/O error!";
inline constexpr std::string_view kDriveNotReadyTitle = "disk error";
inline constexpr std::string_view kTooManyFolders =
    "Maximum of 100,000 folders reached.\r\nTry choosing a smaller part of your drive!";
inline constexpr std::string_view kTooManyFoldersTitle = "ERROR: Too many folders!";
inline constexpr std::string_view kFailureTitle = "failure";
inline constexpr std::string_view kSorting = "Sorting... wait.";
inline constexpr std::string_view kNothingFound = "No mp3's found.";
inline constexpr std::string_view kCancelled = "Cancelled.";
// After a cancel that restored the list: kCancelled, a space, the count and this.
inline constexpr std::string_view kItemsInMemory = " items in memory.";
// "Processing drive " and the volume's root, then this.
inline constexpr std::string_view kProcessingDrive = "Processing drive ";
inline constexpr std::string_view kProcessingDriveEnd = "... wait.";
// The question about a file the analysis refused: its path after kFileError, the analysis
// error after kFileErrorMessage, then kIncludeFile.
inline constexpr std::string_view kFileError = "Error processing file:\r\n";
inline constexpr std::string_view kFileErrorMessage = "\r\n\nError message:\r\n";
inline constexpr std::string_view kIncludeFile =
    "\r\n\nINCLUDE THIS FILE TO THE LIST?\r\n\n(you can set your options to always include or\r\nexclude "
    "erroneous files and avoid this message)";
// The summary: "Added: a of p. Updated: u. Ignored: i. Total: n items.", each part only when
// its count is not 0.
inline constexpr std::string_view kAdded = "Added: ";
inline constexpr std::string_view kAddedOf = " of ";
inline constexpr std::string_view kUpdated = " Updated: ";
inline constexpr std::string_view kIgnored = " Ignored: ";
inline constexpr std::string_view kTotal = " Total: ";
inline constexpr std::string_view kItems = " items.";
inline constexpr std::string_view kBackupError = "Backup file error. List cleared.";
// Behind the ignored count: " (path too long: " + n + ")".
inline constexpr std::string_view kPathTooLong = " (path too long: ";

}  // namespace ordonna::scan_text
