// The texts the exports and the export command show, exactly as users know them.
#pragma once

#include <string_view>

namespace ordonna::export_text {

inline constexpr std::string_view kExporting = "Exporting...";
inline constexpr std::string_view kDiskError = "Disk error!";
inline constexpr std::string_view kNothingToExport = "Nothing to export";
inline constexpr std::string_view kWarningTitle = "Warning";

inline constexpr std::string_view kHeaderMissing =
    "Header file not found,\r\nzero length, or disk error.\r\n\n(will be ignored)";
inline constexpr std::string_view kFooterMissing =
    "Footer file not found,\r\nzero length, or disk error.\r\n\n(will be ignored)";

inline constexpr std::string_view kXlsError = "Error exporting xls file.\r\n(file in use? invalid filename?)";
inline constexpr std::string_view kXlsTooLarge = "Lists larger than 64K titles can't be exported to XLS format.";
inline constexpr std::string_view kXlsEmpty = "Empty list, can't export.";

// The question when the chosen extension does not suit the export type.
inline constexpr std::string_view kTypeQuestionTitle = "Warning!";
inline constexpr std::string_view kTypeQuestionStart = "You chose to save ";
inline constexpr std::string_view kTypeQuestionYes = "YES = that's what I want to do";

}  // namespace ordonna::export_text
