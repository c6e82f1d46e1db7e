// How ordonna-cli commands plug into main: each command file adds its subcommand to the
// application and, when the subcommand is chosen, leaves the action to run in `runner`.
#pragma once

#include <functional>

#include <CLI/CLI.hpp>

namespace ordonna::cli {

// Exit statuses of every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

struct CommandRunner {
  std::function<int()> Run;
};

// For every option that names a file to write or a configuration file to change or read: an
// empty name is bad usage, not a file called "" (which would become a hidden ".ordl").
inline const CLI::Validator kOutputName(
    [](std::string& name) { return name.empty() ? std::string("an empty name names no file") : std::string(); },
    "FILE");

// --yes: every question is answered Yes instead of the answer it proposes; the questions and
// answers are printed either way.
inline void AddYesFlag(CLI::App& command, bool& yes) {
  command.add_flag("--yes", yes, "Answer every question Yes (for example: read a list of the older layout)");
}

void AddCompareCommand(CLI::App& app, CommandRunner& runner);
void AddConfigCommand(CLI::App& app, CommandRunner& runner);
void AddDupesCommand(CLI::App& app, CommandRunner& runner);
void AddExportCommand(CLI::App& app, CommandRunner& runner);
void AddImportCommand(CLI::App& app, CommandRunner& runner);
void AddInfoCommand(CLI::App& app, CommandRunner& runner);
void AddListCommand(CLI::App& app, CommandRunner& runner);
void AddScanCommand(CLI::App& app, CommandRunner& runner);
void AddSimilarityCommand(CLI::App& app, CommandRunner& runner);

}  // namespace ordonna::cli
