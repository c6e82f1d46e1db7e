// Header-sort questions. Every column of a sortable kind sorts, wherever it stands.
#include "view/HeaderSort.h"

#include <algorithm>
#include <string>

#include "core/Caller.h"
#include "core/ListStore.h"
#include "view/SortNames.h"
#include "view/ViewerTexts.h"

namespace ordonna {

std::optional<std::uint8_t> DecideHeaderSort(int position, const ColumnLayout& layout, bool filtered,
                                             std::uint8_t listSortState, Caller& caller) {
  using namespace viewer_text;
  if (filtered) {
    caller.ShowMessage(kCantSortFiltered, kWarningTitle, MessageKind::Warning);
    return std::nullopt;
  }
  if (layout.Kinds.empty()) return std::nullopt;
  // A click beyond the last column counts for the last one.
  if (position < 0) return std::nullopt;
  const auto column = std::min(static_cast<std::size_t>(position), layout.Kinds.size() - 1);
  const ColumnKind kind = layout.Kinds[column];
  if (kind == ColumnKind::Number) {
    caller.ShowMessage(kCantSortNumbers, kWarningTitle, MessageKind::Error);
    return std::nullopt;
  }
  const bool splitPart = kind == ColumnKind::Artist || kind == ColumnKind::Title;
  if (splitPart && caller.AskYesNo(kSortByFilenameInstead, kWarningTitle, Answer::Yes) != Answer::Yes) {
    return std::nullopt;
  }
  const auto field = static_cast<std::uint8_t>(splitPart ? kSortFilename : static_cast<int>(kind) - 1);
  const std::uint8_t state =
      (listSortState & 63) == field ? static_cast<std::uint8_t>(listSortState ^ kSortDescendingBit) : field;
  if (splitPart) return state;
  std::string question = std::string(kSortQuestionStart) + std::string(HeaderSortName(field));
  if ((state & kSortDescendingBit) != 0) question += kSortQuestionReverse;
  question += kSortQuestionEnd;
  if (caller.AskYesNo(question, kSortTitle, Answer::Yes) != Answer::Yes) return std::nullopt;
  return state;
}

}  // namespace ordonna
