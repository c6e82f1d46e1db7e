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
inline constexpr std::string_view kBackupError = "Backup file error. List cleared.";
// Behind the ignored count: " (path too long: " + n + ")".
inline constexpr std::string_view kPathTooLong = " (path too long: ";

}  // namespace ordonna::scan_text
