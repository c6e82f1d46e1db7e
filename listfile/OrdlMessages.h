// The texts the list-file commands show, exactly as users know them.
#pragma once

#include <string_view>

namespace ordonna::ordl_text {

inline constexpr std::string_view kCantOpen = "Can't open the file.";
inline constexpr std::string_view kNotOrdonnaFile = "Not a Ordonna file!";
inline constexpr std::string_view kDiskError = "Disk error!";
inline constexpr std::string_view kTooLarge = "This list is too large to load.";
// "Not enough memory for the " + count + " entries of this list."
inline constexpr std::string_view kNoMemoryStart = "Not enough memory for the ";
inline constexpr std::string_view kNoMemoryEnd = " entries of this list.";
inline constexpr std::string_view kTryVersion4 =
    "Doesn't seem to be a valid Ordonna file.\r\nTry to process as Ordonna v4.0-v4.12 file?\r\n\n"
    "(44.1 KHz frequency will be assigned to all items)";
inline constexpr std::string_view kTryVersion4Title = "invalid data found";
inline constexpr std::string_view kUnknownLoadError = "Unknown error occurred while loading the list.";
inline constexpr std::string_view kLoading = "Loading...";
inline constexpr std::string_view kCantLoad = "Can't load the list.";
inline constexpr std::string_view kEmptyList = "Empty list.";
inline constexpr std::string_view kCantWrite = "Can't write this file.\r\nIn use? Invalid filename? Disk full?";
inline constexpr std::string_view kWarningTitle = "Warning";

}  // namespace ordonna::ordl_text
