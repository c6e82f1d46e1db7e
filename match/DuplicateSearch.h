// The duplicates search behind its progress window: the shared state record, the deletion
// marks, the worker's pair loop (the plain reference loop, or the fast engine replayed in
// the same order), the finish text and final buttons, and ApplyDeletions.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/AppOptions.h"
#include "core/ListStore.h"
#include "export/FieldStyle.h"
#include "match/TitleMatch.h"
#include "match/WorkerState.h"

namespace ordonna {

// Answer values of the duplicates window.
inline constexpr std::uint8_t kDupNoAnswer = 0;
inline constexpr std::uint8_t kDupDeleteFirst = 1;
inline constexpr std::uint8_t kDupDeleteSecond = 2;
inline constexpr std::uint8_t kDupLeaveBoth = 4;
inline constexpr std::uint8_t kDupStop = 8;

inline constexpr std::string_view kDupSearchingCaption = " Searching, please wait...";
inline constexpr std::string_view kDupDoneCaption = " Duplicates search";
inline constexpr std::string_view kProgressLabel = "Progress:";
inline constexpr std::string_view kDupLogFull = "LOG FULL (30000 LINES). SEARCH CONTINUES WITHOUT DISPLAY.";
inline constexpr std::string_view kRevertQuestion =
    "Do you wish to revert to previous list state?\r\n\nYES = undo all deletions\r\nNO = perform all the deletions "
    "confirmed so far";
inline constexpr std::string_view kRevertTitle = "cancel duplicates deletion";
inline constexpr std::string_view kListCleared = "List cleared (closing view window).";

// Shared by the worker and the progress window. The worker writes everything but Answer.
struct DupSearchState {
  AnswerChannel Answer;
  std::atomic<std::uint8_t> CurrentPercent{0};
  std::atomic<std::uint16_t> Progress{0};  // thousandths
  std::atomic<std::uint32_t> MatchesFound{0};
  std::atomic<std::uint32_t> ToDelete{0};
  // Set when the pair loop starts; cleared when it ends normally or the window closes.
  std::atomic<bool> Running{false};
  // The worker waits for an answer: the two file labels and the three answer buttons show.
  std::atomic<bool> Confirming{false};
  // The loop completed: the finish label and the final buttons show.
  std::atomic<bool> Completed{false};
  WorkerTexts Texts;
  LogList Log{kDupLogFull};
};

// One byte per entry: 1 keep, 0 marked for deletion.
using DeletionMarks = std::vector<std::uint8_t>;

enum class PairEngine { Reference, Fast };

struct DupSearchSettings {
  MatchSettings Match;  // never relaxed
  PairLimits Limits;
  std::uint8_t MatchAction = 1;  // 0 automatic, 1 automatic at 99-100 %, other: confirm each
  FieldStyle Style;              // field texts of the confirmation labels
  PairEngine Engine = PairEngine::Fast;
  unsigned Threads = 2;
};

// The settings of the option record (a stored percent outside 50..100 counts as 99).
DupSearchSettings DupSearchSettingsOf(const AppOptions& options, const FieldStyle& style);

// Asks about one pair and returns the answer (1, 2, 4 or 8; anything else leaves both).
class PairQuestion {
 public:
  virtual ~PairQuestion() = default;
  virtual std::uint8_t Ask(std::uint32_t first, std::uint32_t second, std::uint8_t percent) = 0;
};

// The window's way: labels and caption in the state, then a blocking wait for Answer.
class StatePairQuestion final : public PairQuestion {
 public:
  StatePairQuestion(const EntryList& list, DupSearchState& state, const FieldStyle& style)
      : list_(list), state_(state), style_(style) {}
  std::uint8_t Ask(std::uint32_t first, std::uint32_t second, std::uint8_t percent) override;

 private:
  const EntryList& list_;
  DupSearchState& state_;
  FieldStyle style_;
};

// Runs the search over `list` (which nobody changes meanwhile). `marks` is resized to the
// list. Returns true when the loop completed, false when it was stopped (Answer 8).
bool RunDupSearch(const EntryList& list, const DupSearchSettings& settings, DupSearchState& state, DeletionMarks& marks,
                  PairQuestion& question);

// "Finished. N matches found. M duplicates to be deleted."
std::string DupFinishText(std::uint32_t matchesFound, std::uint32_t toDelete);

// 1000 x (2x - x squared), x = i / (n - 2), rounded half to even; 0 for fewer than 3 entries.
std::uint16_t DupProgress(std::uint32_t i, std::uint32_t count);

// The buttons the window shows after a run (completed) or at its start (not completed).
struct DupButtons {
  bool AnswerButtonsShown;
  bool AbortShown;
  std::string_view AbortCaption;  // "&UNDO" or "&ABORT"
  bool CloseShown;
  std::string_view CloseCaption;  // "&DELETE" or "&CLOSE"
  int CloseLeft;                  // x of the delete/close button
  bool SaveLogShown;
  bool ViewLogShown;
};
DupButtons FinalDupButtons(bool completed, std::uint32_t toDelete);

struct DeletionResult {
  bool Changed = false;  // the item count changed (the list is then unsaved)
  bool Cleared = false;  // no entry was left: the list was cleared as a new list
};

// Keeps, in order, the entries whose mark is 1.
DeletionResult ApplyDeletions(ListStore& list, const DeletionMarks& marks);

}  // namespace ordonna
