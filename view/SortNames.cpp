// Order names and the re-sort rule.
#include "view/SortNames.h"

#include "config/AppOptions.h"
#include "core/ListStore.h"
#include "view/ViewerTexts.h"

namespace ordonna {
namespace {

constexpr std::array<std::string_view, 10> kFieldNames = {"filename",  "time",     "kbps", "size",     "stereo",
                                                          "frequency", "filedate", "path", "listdate", "label"};
constexpr std::array<std::string_view, 10> kHeaderSortNames = {
    "FILENAME", "TIME", "KBPS", "SIZE", "STEREO MODE", "FREQUENCY", "DATE CREATED", "PATH", "DATE ADDED", "VOLUME"};

bool HasName(std::uint8_t sortState) { return (sortState & 63) < kFieldNames.size(); }

}  // namespace

std::string SortStateName(std::uint8_t sortState) {
  if (!HasName(sortState)) return std::string(viewer_text::kNotSorted);
  const std::uint8_t field = sortState & 63;
  std::string name = (sortState & kSortDescendingBit) != 0 ? "-" : "";
  name += kFieldNames[field];
  const bool textField = field == kSortFilename || field == kSortPath || field == kSortVolumeLabel;
  if (textField && (sortState & kSortCaseSensitiveBit) != 0) name += "/c";
  return name;
}

std::string_view HeaderSortName(std::uint8_t sortField) {
  return sortField < kHeaderSortNames.size() ? kHeaderSortNames[sortField] : std::string_view{};
}

SortSettings MainSortSettings(const MainOptions& options) {
  return {options.SortField, options.SortDescending != 0, options.SortCaseSensitive != 0};
}

std::uint8_t MainSortState(const MainOptions& options) { return SortStateOf(MainSortSettings(options)); }

bool ResortEnabled(std::uint8_t listSortState, const MainOptions& options) {
  return listSortState != MainSortState(options);
}

std::string ResortHint(const MainOptions& options) {
  return std::string(viewer_text::kResortHintStart) + SortStateName(options.SortField) +
         std::string(viewer_text::kMainOptionEnd);
}

std::array<PositionChoice, 4> PositionChoices(std::uint8_t listSortState, const MainOptions& options) {
  using namespace viewer_text;
  const std::uint8_t mainState = MainSortState(options);
  auto resortChoice = [](std::uint8_t state, std::string_view dontSort, std::string_view end) {
    if (!HasName(state)) return PositionChoice{std::string(dontSort), false};
    return PositionChoice{std::string(kResortHintStart) + SortStateName(state) + std::string(end), true};
  };
  std::array<PositionChoice, 4> choices = {
      PositionChoice{std::string(kInsertAbove), true},
      PositionChoice{std::string(kInsertBelow), true},
      resortChoice(listSortState, kDontSortListOption, kListOptionEnd),
      resortChoice(mainState, kDontSortMainOption, kMainOptionEnd),
  };
  if (mainState == listSortState) choices[3].Enabled = false;
  return choices;
}

}  // namespace ordonna
