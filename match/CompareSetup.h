// The logic of the comparison settings window: the repairs on opening, the relaxed-matching
// default and its notice, and the rules that make the chosen input and output files valid.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "config/AppOptions.h"

namespace ordonna {

inline constexpr std::string_view kRelaxedNotice =
    "Please note that this state is not permanent.\r\nWhen you change the type of file to compare to,\r\nthis "
    "switch changes to default for it.";
inline constexpr std::string_view kFileMissing = "File doesn't exist, or can't be read.";
inline constexpr std::string_view kImproperAction = "Improper state of Action combo";
inline constexpr std::string_view kCompareResultsTitle = "save comparison results";

// Brings stored choices back into range: CompareWith keeps bit 0, CompareAction modulo 10,
// MatchAction modulo 3, MatchPercent outside 50..100 becomes 99, ThreadPriority other than 0
// or 2 becomes 1, TimeDiffSec above 99 becomes 20, SizeDiffKB above 9999 becomes 400.
void RepairCompareSettings(DialogOptions& dialog);

// The duplicates settings window's repairs (no CompareWith, CompareAction or MatchAction).
void RepairDuplicateSettings(DialogOptions& dialog);

// Relaxed matching: on by default for text lists, with a notice the first time the user
// sets it against that default while the window is open.
class RelaxedSwitch {
 public:
  explicit RelaxedSwitch(std::uint8_t compareWith) { ListTypeChanged(compareWith); }
  // The list type changed: the switch goes back to its default.
  void ListTypeChanged(std::uint8_t compareWith) {
    textList_ = (compareWith & 1) != 0;
    relaxed_ = textList_;
  }
  // The user set the box; returns the notice to show, or empty.
  std::string_view Set(bool relaxed);
  bool Relaxed() const { return relaxed_; }

 private:
  bool textList_ = false;
  bool relaxed_ = false;
  bool noticeShown_ = false;
};

enum class FileState { Invalid, New, Replaces };  // red, green, yellow

// The name the input dialog returned, completed: the default extension (".ordl" or ".txt")
// is appended when the name neither exists nor ends in it.
std::string CompleteInputName(const std::string& chosen, bool textList);
// Valid when the file exists and is a text list, or its name ends in ".ordl".
bool InputValid(const std::string& path, bool textList);

// The default extension of the output dialog: ".ordl" for new lists, ".txt" or ".log" by
// the filter chosen (1 or 2) for logs, none for the third filter.
std::string_view OutputExtension(std::uint8_t action, int filterIndex);
// Appends the default extension unless the name ends in it.
std::string CompleteOutputName(const std::string& chosen, std::string_view extension);
// New-list actions need a name ending in ".ordl", log actions one that does not.
FileState OutputState(const std::string& path, std::uint8_t action);

// "&GO" is enabled for a valid input and a valid output, or no output for actions 4 and 9.
bool GoEnabled(bool inputValid, FileState output, std::uint8_t action);

}  // namespace ordonna
