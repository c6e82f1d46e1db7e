// Runs ordonna-cli as a separate program and collects its exit status and output.
#pragma once

#include <string>
#include <vector>

namespace ordonna::testing {

struct CliResult {
  int ExitCode = -1;
  std::string Out;
  std::string Err;
};

// Runs the program at `program` with `arguments` (each passed as one word).
CliResult RunProgram(const std::string& program, const std::vector<std::string>& arguments);

// The lines of `text`, without their line ends.
std::vector<std::string> Lines(const std::string& text);

}  // namespace ordonna::testing
