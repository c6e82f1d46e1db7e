// The terminal side of the duplicates search and the comparison: confirmations read from
// standard input, and the writing of the list that is left after removals.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "core/ListStore.h"
#include "export/FieldStyle.h"
#include "match/DuplicateSearch.h"

namespace ordonna::cli {

// Asks about each pair on the terminal. `choices` maps the first letter typed to an answer
// (for example "1" delete the first, "L" leave both); an unknown letter asks again, the end of
// input answers `onEnd`.
class ConsoleQuestion final : public PairQuestion {
 public:
  struct Choice {
    char Key;
    std::uint8_t Answer;
  };
  ConsoleQuestion(const EntryList& first, const EntryList& second, std::string firstPrefix, std::string secondPrefix,
                  std::string prompt, std::vector<Choice> choices, std::uint8_t onEnd, const FieldStyle& style);
  std::uint8_t Ask(std::uint32_t first, std::uint32_t second, std::uint8_t percent) override;

 private:
  const EntryList& first_;
  const EntryList& second_;
  std::string firstPrefix_;
  std::string secondPrefix_;
  std::string prompt_;
  std::vector<Choice> choices_;
  std::uint8_t onEnd_;
  FieldStyle style_;
};

// Writes the list left after removals to `output` with `sortState`; when no entry is left
// (`cleared`) nothing is written. Returns the command's exit status; failures go to stderr
// under the name of `command`.
int WriteRemainingList(std::string_view command, const std::string& output, bool cleared, const ListStore& list,
                       std::uint8_t sortState);

}  // namespace ordonna::cli
