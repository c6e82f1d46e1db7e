// The texts the windows show themselves, exactly as users know them. The library's texts
// stay in their modules (listfile/OrdlMessages.h, collect/ScanMessages.h, ...).
#pragma once

#include <string_view>

namespace ordonna::ui_text {

inline constexpr std::string_view kReady = "Ready.";
inline constexpr std::string_view kQuitTitle = "quit?";
inline constexpr std::string_view kQuitWhileRunning = "The process is running... are you sure?";
inline constexpr std::string_view kQuitUnsaved = "With unsaved list... are you sure?";
inline constexpr std::string_view kNoDataToView = "No data to view";
// After the viewer changed the number of entries: "Altered, 12 items."
inline constexpr std::string_view kAlteredStart = "Altered, ";
inline constexpr std::string_view kAlteredEnd = " items.";

inline constexpr std::string_view kSaveTitle = " - SAVE THE LIST AS - ";
inline constexpr std::string_view kSaveFilter = "ORDL files (*.ordl *.ORDL)";
inline constexpr std::string_view kLoadTitle = " - LOAD A LIST - ";
inline constexpr std::string_view kLoadFilter = "ORDL files (*.ordl *.ORDL);;all files (*)";
inline constexpr std::string_view kAlreadyExists = " already exists.";
inline constexpr std::string_view kReplaceIt = "\r\nDo you want to replace it?";
inline constexpr std::string_view kReplaceTitle = "save";

inline constexpr std::string_view kAlreadyRunning = "Ordonna already running.\r\nSorry, only one instance is allowed.";
inline constexpr std::string_view kNoMultipleLists =
    "\r\n\nPlease note that you can't use this application\r\nto open and view multiple lists!";
inline constexpr std::string_view kAlreadyRunningTitle = "error";
inline constexpr std::string_view kCantRegister = "Can't register ORDL file type.";
inline constexpr std::string_view kRegisterIncomplete = "Error setting registry entries for ORDL file type.";

inline constexpr std::string_view kLoadOptionsNote =
    "IMPORTANT NOTE:\r\n\nTo get load options window to show again,\r\nhold down the CTRL key while clicking LOAD\r\n"
    "button. And don't forget you still need\r\nto have more than 0 items for it to show!";

inline constexpr std::string_view kHelpMissing = "The help page is missing:\r\n";

}  // namespace ordonna::ui_text
