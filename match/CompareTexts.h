// The ten comparison actions, the four procedures they belong to, and every text the
// comparison shows or writes, spelled exactly as users know them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace ordonna {

inline constexpr std::size_t kCompareActionCount = 10;

// The combo box items of the settings window, by CompareAction.
inline constexpr std::array<std::string_view, kCompareActionCount> kCompareActionItems = {
    "Save unique titles from external list to log file.",    "Save unique titles from external list to new ORDL list.",
    "Save unique titles from current list to log file.",     "Save unique titles from current list to new ORDL list.",
    "Leave unique titles (remove matches) in current list.", "Save matches from external list to log file.",
    "Save matches from external list to new ORDL list.",     "Save matches from current list to log file.",
    "Save matches from current list to new ORDL list.",      "Leave matches (remove unique titles) in current list.",
};

// The "Action type:" line of the progress window, by CompareAction.
inline constexpr std::array<std::string_view, kCompareActionCount> kCompareActionLines = {
    "Action type: Save unique titles from the external list to log file.",
    "Action type: Save unique titles from the external list to new ORDL list.",
    "Action type: Save unique titles from the current list to log file.",
    "Action type: Save unique titles from the current list to new ORDL list.",
    "Action type: Remove matches from the current list (leave unique titles).",
    "Action type: Save matches from the external list to log file.",
    "Action type: Save matches from the external list to new ORDL list.",
    "Action type: Save matches from the current list to log file.",
    "Action type: Save matches from the current list to new ORDL list.",
    "Action type: Remove unique titles from the current list (leave matches).",
};

// The finish text when nothing was found, by CompareAction.
inline constexpr std::array<std::string_view, kCompareActionCount> kCompareNothingFound = {
    "Finished. No unique titles found. Log file not written.",
    "Finished. No unique titles found. New list not created.",
    "Finished. No unique titles found. Log file not written.",
    "Finished. No unique titles found. New list not written.",
    "Finished. No matches to remove from internal list.",
    "Finished. No matches found. Log file not written.",
    "Finished. No matches found. New list not created.",
    "Finished. No matches found. Log file not written.",
    "Finished. No matches found. New list not written.",
    "Finished. No titles to be removed from internal list.",
};

// The tail of the finish text after the count and its word, by CompareAction.
inline constexpr std::array<std::string_view, kCompareActionCount> kCompareWrittenTails = {
    "from external list written to log file.",
    "from external list written to new ORDL list.",
    "from internal list written to log file.",
    "from internal list written to new ORDL list.",
    " to be removed from internal list.",
    " from external list written to log file.",
    " from external list written to new ORDL list.",
    " from internal list written to log file.",
    " from internal list written to new ORDL list.",
    "to be removed from internal list.",
};

// The four procedures: which list is outer, and whether unique titles or matches are kept.
enum class CompareProcedure { UniqueExternal, UniqueCurrent, MatchesExternal, MatchesCurrent };

struct ProcedureTexts {
  std::string_view LogTitle;
  std::string_view CurrentPrefix;   // confirmation label of the current list's entry
  std::string_view ExternalPrefix;  // and of the external list's entry
  std::string_view LogError;
  std::string_view LogErrorTitle;
  std::string_view NewListError;
};

inline constexpr std::array<ProcedureTexts, 4> kProcedureTexts = {{
    {"Unique log", "Match 1: ", "Match 2: ", "Unable to create or write to the log file.", "disk error",
     "Error: unable to create or write to the new list."},
    {"Unique log", "File 1: ", "File 2: ", "Error: unable to create or write to log file.", "Warning",
     "Error: unable to create or write the new list."},
    {"Matches log", "Match 1: ", "Match 2: ", "Error: unable to create or write to the log file.", "Warning",
     "Error: unable to create or write to the new list."},
    {"Matches log", "File 1: ", "File 2: ", "Error: unable to create or write to log file.", "Warning",
     "Error: unable to create or write the new list."},
}};

inline constexpr std::string_view kCompareLogFull = "LOG FULL (30,000 ENTRIES). COMPARISON CONTINUES WITHOUT DISPLAY.";
inline constexpr std::string_view kCompareSearchingCaption = " Searching, please wait...";
inline constexpr std::string_view kCompareDoneCaption = " Lists comparison";
inline constexpr std::string_view kLoadingSecondList = "Loading the second list...";
inline constexpr std::string_view kSavingReport = "Saving report...";
inline constexpr std::string_view kNothingImported = "Nothing imported.";
inline constexpr std::string_view kCantOpenExternal = "Not able to open external file.";
inline constexpr std::string_view kNotProperOrdl = "External file is not proper ORDL list.";
inline constexpr std::string_view kExternalLabelQuestion =
    "External file doesn't seem to be a ORDL file.\r\nTry to process anyway?";
inline constexpr std::string_view kExternalLabelTitle = "invalid data found";
inline constexpr std::string_view kExternalReadError = "Invalid ORDL file or disk error (reading external file).";
inline constexpr std::string_view kAbortPromptTitle = "prompt";
inline constexpr std::string_view kSaveLogSoFar = "Save the log without matches found so far?";
inline constexpr std::string_view kSaveListSoFar = "Save the list without matches found so far?";
inline constexpr std::string_view kSaveMatchesSoFar = "Save the matches found so far?";
inline constexpr std::string_view kCloseDuplicatesFirst = "Close duplicates search window first.";
inline constexpr std::string_view kCloseCompareFirst = "Close compare window first.";

CompareProcedure ProcedureOf(std::uint8_t action);
bool OuterIsExternal(CompareProcedure procedure);
bool KeepsMatches(CompareProcedure procedure);
// Actions 4 and 9 remove entries from the current list instead of writing a file.
bool RemovesFromCurrent(std::uint8_t action);
// Actions 1, 3, 6 and 8 write a new list; 0, 2, 5 and 7 a log.
bool WritesNewList(std::uint8_t action);

// " unique title " or " unique titles "; " match" or " matches".
std::string_view UniqueWord(std::uint32_t count);
std::string_view MatchWord(std::uint32_t count);

// The finish text of `action` for a result count `count`.
std::string CompareFinishText(std::uint8_t action, std::uint32_t count);

}  // namespace ordonna
