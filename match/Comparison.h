// The list comparison behind its progress window: the shared state record, the worker that
// loads the external list, runs the pair loop (plain, or the fast engine replayed in the
// same order) and writes the result file, and the removal of actions 4 and 9.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "config/AppOptions.h"
#include "core/Caller.h"
#include "core/ListStore.h"
#include "export/FieldStyle.h"
#include "match/CompareTexts.h"
#include "match/DuplicateSearch.h"
#include "match/MatchLog.h"
#include "match/WorkerState.h"

namespace ordonna {

// Answer values of the comparison window.
inline constexpr std::uint8_t kCompareNoAnswer = 0;
inline constexpr std::uint8_t kCompareMatch = 1;
inline constexpr std::uint8_t kCompareDiffer = 2;
inline constexpr std::uint8_t kCompareRemove = 4;
inline constexpr std::uint8_t kCompareStop = 8;
inline constexpr std::uint8_t kCompareStopAndSave = 16;
inline constexpr std::uint8_t kCompareIdleStop = 32;  // "&ABORT" while no pair loop runs

// Shared by the worker and the progress window. The window writes Answer and Paused.
struct CompareState {
  AnswerChannel Answer;
  std::atomic<std::uint16_t> Progress{0};
  std::atomic<std::uint8_t> CurrentPercent{0};
  std::atomic<std::uint32_t> UniqueCount{0};  // outer entries that ended without a match
  std::atomic<std::uint32_t> MatchCount{0};   // outer entries that matched
  std::atomic<bool> Running{false};           // the pair loop runs
  std::atomic<bool> Confirming{false};        // "&MATCH" / "&DIFFER" and the file labels show
  std::atomic<bool> Finished{false};          // the finish label shows
  std::atomic<bool> AwaitingDelete{false};    // actions 4 and 9: "&DELETE" and "&ABORT" show
  std::atomic<bool> LogWritten{false};        // "&VIEW LOG" shows at the end
  // The abort question is open: the worker holds still at its next stop check.
  std::atomic<bool> Paused{false};
  // The loaders' questions and messages, asked and shown by the window.
  WorkerRequests Requests;
  WorkerTexts Texts;
  LogList Log{kCompareLogFull};
};

struct CompareSettings {
  MatchSettings Match;  // Relaxed only for a text list with relaxed matching on
  PairLimits Limits;
  std::uint8_t MatchAction = 1;
  std::uint8_t Action = 0;  // CompareAction 0..9
  bool TextList = false;    // CompareWith 1
  bool MircLines = false;
  std::string ListFile;  // CompareListFile
  std::string SaveFile;  // CompareSaveFile
  FieldStyle Style;
  std::string ShortDateFormat = "%m/%d/%y";
  PairEngine Engine = PairEngine::Fast;
  unsigned Threads = 2;
};

// The settings of the option record, repaired as the settings window repairs them.
CompareSettings CompareSettingsOf(const AppOptions& options, bool relaxedMatching, const FieldStyle& style);

// One byte per entry of the outer list: 1 no match (yet), 0 matched.
using CompareMarks = std::vector<std::uint8_t>;

enum class CompareEnd {
  Finished,     // completed (a result file written or nothing found); nothing to remove
  Remove,       // actions 4 and 9: the user pressed "&DELETE"
  Stopped,      // stopped, or a load or write failed: the window closes without results
  SavedOnStop,  // stopped with saving: the partial result was written, the window closes
};

// Confirmations: `first` indexes the current list, `second` the external list.
class StateCompareQuestion final : public PairQuestion {
 public:
  StateCompareQuestion(const EntryList& current, const EntryList& external, CompareState& state,
                       const CompareSettings& settings)
      : current_(current), external_(external), state_(state), settings_(settings) {}
  std::uint8_t Ask(std::uint32_t first, std::uint32_t second, std::uint8_t percent) override;

 private:
  const EntryList& current_;
  const EntryList& external_;
  CompareState& state_;
  const CompareSettings& settings_;
};

// Runs one comparison: loads the external list into `external`, compares, writes. The
// current list is only read. Questions of the loaders go through `caller`; confirmations
// through `question` (StateCompareQuestion in the window).
CompareEnd RunComparison(const ListStore& current, EntryList& external, const CompareSettings& settings,
                         CompareState& state, CompareMarks& marks, PairQuestion& question, Caller& caller);

// The abort question for the current counts, or empty when nothing can be saved.
std::string_view AbortQuestion(std::uint8_t action, std::uint32_t uniqueCount, std::uint32_t matchCount);

// "&DELETE" of actions 4 and 9: keeps the current entries whose mark is 1 (action 4) or 0
// (action 9), in order.
DeletionResult ApplyRemoval(ListStore& current, const CompareMarks& marks, std::uint8_t action);

}  // namespace ordonna
