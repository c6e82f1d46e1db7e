// Terminal confirmations.
#include "cli/MatchConsole.h"

#include <iostream>

#include "cli/Command.h"
#include "cli/ConsoleCaller.h"
#include "core/Text.h"
#include "listfile/ListFileCommands.h"
#include "match/MatchLog.h"

namespace ordonna::cli {

ConsoleQuestion::ConsoleQuestion(const EntryList& first, const EntryList& second, std::string firstPrefix,
                                 std::string secondPrefix, std::string prompt, std::vector<Choice> choices,
                                 std::uint8_t onEnd, const FieldStyle& style)
    : first_(first),
      second_(second),
      firstPrefix_(std::move(firstPrefix)),
      secondPrefix_(std::move(secondPrefix)),
      prompt_(std::move(prompt)),
      choices_(std::move(choices)),
      onEnd_(onEnd),
      style_(style) {}

std::uint8_t ConsoleQuestion::Ask(std::uint32_t first, std::uint32_t second, std::uint8_t percent) {
  std::cerr << ConsoleText(PairLine(firstPrefix_, first_.Entry(first), style_)) << '\n'
            << ConsoleText(PairLine(secondPrefix_, second_.Entry(second), style_)) << '\n';
  for (;;) {
    std::cerr << "Please confirm this " << int{percent} << " % match: " << prompt_ << "? " << std::flush;
    std::string reply;
    if (!std::getline(std::cin, reply)) return onEnd_;
    if (reply.empty()) continue;
    for (const Choice& choice : choices_) {
      if (AsciiUpper(reply[0]) == choice.Key) return choice.Answer;
    }
  }
}

int WriteRemainingList(std::string_view command, const std::string& output, bool cleared, const ListStore& list,
                       std::uint8_t sortState) {
  if (cleared) {
    std::cerr << "ordonna-cli: " << command << ": no entry is left; no list written\n";
    return kExitFailure;
  }
  Status written = WriteListFile(output, list.Working(), sortState);
  if (!written.ok()) {
    std::cerr << "ordonna-cli: " << command << ": " << written.ToString() << '\n';
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace ordonna::cli
