// Procedures of the actions and the finish texts.
#include "match/CompareTexts.h"

namespace ordonna {

CompareProcedure ProcedureOf(std::uint8_t action) {
  switch (action) {
    case 0:
    case 1: return CompareProcedure::UniqueExternal;
    case 2:
    case 3:
    case 4: return CompareProcedure::UniqueCurrent;
    case 5:
    case 6: return CompareProcedure::MatchesExternal;
    default: return CompareProcedure::MatchesCurrent;
  }
}

bool OuterIsExternal(CompareProcedure procedure) {
  return procedure == CompareProcedure::UniqueExternal || procedure == CompareProcedure::MatchesExternal;
}

bool KeepsMatches(CompareProcedure procedure) {
  return procedure == CompareProcedure::MatchesExternal || procedure == CompareProcedure::MatchesCurrent;
}

bool RemovesFromCurrent(std::uint8_t action) { return action == 4 || action == 9; }

bool WritesNewList(std::uint8_t action) { return action == 1 || action == 3 || action == 6 || action == 8; }

std::string_view UniqueWord(std::uint32_t count) { return count == 1 ? " unique title " : " unique titles "; }

std::string_view MatchWord(std::uint32_t count) { return count == 1 ? " match" : " matches"; }

std::string CompareFinishText(std::uint8_t action, std::uint32_t count) {
  if (action >= kCompareActionCount) action = action % kCompareActionCount;
  if (count == 0) return std::string(kCompareNothingFound[action]);
  bool uniqueWord = action <= 3 || action == 9;
  std::string text = "Finished. " + std::to_string(count);
  text += uniqueWord ? UniqueWord(count) : MatchWord(count);
  text += kCompareWrittenTails[action];
  return text;
}

}  // namespace ordonna
