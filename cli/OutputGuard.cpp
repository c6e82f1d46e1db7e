// Output checks of the commands.
#include "cli/OutputGuard.h"

#include <iostream>

#include "core/Text.h"
#include "platform/FileSystem.h"

namespace ordonna::cli {

bool OutputSparesInputs(std::string_view command, const std::string& output,
                        std::initializer_list<std::string_view> inputs) {
  for (std::string_view input : inputs) {
    if (input.empty() || !IsSameFile(output, std::string(input))) continue;
    std::cerr << "ordonna-cli: " << command << ": " << output << " is also an input of this command; nothing written\n";
    return false;
  }
  return true;
}

bool LogNameAllowed(std::string_view command, const std::string& log) {
  constexpr std::string_view kListExtension = ".ordl";
  if (log.size() < kListExtension.size() ||
      !EqualIgnoringAsciiCase(std::string_view(log).substr(log.size() - kListExtension.size()), kListExtension)) {
    return true;
  }
  std::cerr << "ordonna-cli: " << command << ": a log is never written to a list file (.ordl): " << log << '\n';
  return false;
}

}  // namespace ordonna::cli
