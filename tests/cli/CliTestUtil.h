// What the command-line tests share: running ordonna-cli as a separate program, checking a
// run's exit status and message, and list files written by the list writer.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "listfile/ListFileCommands.h"
#include "match/NameGenerator.h"
#include "support/CliRunner.h"

namespace ordonna::testing {

inline CliResult RunCli(const std::vector<std::string>& arguments) { return RunProgram(ORDONNA_CLI_PATH, arguments); }

inline bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// One run: its arguments, the exit status it must end with and a text it must print (on
// standard output or error).
struct CliCase {
  std::vector<std::string> Arguments;
  int Exit;
  std::string Shown;
};

inline CliResult Expect(const CliCase& run) {
  CliResult result = RunCli(run.Arguments);
  std::string words;
  for (const std::string& argument : run.Arguments) words += argument + ' ';
  EXPECT_EQ(result.ExitCode, run.Exit) << words << '\n' << result.Err;
  EXPECT_TRUE(Contains(result.Out + result.Err, run.Shown)) << words << '\n' << result.Out << result.Err;
  return result;
}

// A list of songs of 3:55 at 128 kbps, 4000 KB each.
inline void WriteList(const std::string& path, const std::vector<std::string>& names) {
  EntryList list;
  for (const std::string& name : names) list.AppendEntry(AlikeEntry(name));
  ASSERT_TRUE(WriteListFile(path, list, 63).ok());
}

}  // namespace ordonna::testing
