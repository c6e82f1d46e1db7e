// ordonna-cli dupes: the duplicates search over a list file, automatic or confirmed on the
// terminal; prints the finish text and the names marked for deletion, and writes the
// deletion log and the list without them when asked to.
#include <atomic>
#include <chrono>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include <nlohmann/json.hpp>

#include "cli/Command.h"
#include "cli/ConsoleCaller.h"
#include "cli/MatchConsole.h"
#include "cli/OutputGuard.h"
#include "cli/UserOptions.h"
#include "core/Text.h"
#include "export/FieldStyle.h"
#include "listfile/ListFileCommands.h"
#include "match/DupLog.h"
#include "match/DuplicateSearch.h"
#include "platform/Platform.h"

namespace ordonna::cli {
namespace {

struct DupesArguments {
  std::string OptionsFile;
  std::optional<int> Percent;
  std::string Action;
  bool Naive = false;
  bool Json = false;
  bool Yes = false;
  bool Quiet = false;
  std::string Log;
  std::string Output;
  std::string File;
};

// A confirmation on the terminal with the progress line out of its way.
class PausingQuestion final : public PairQuestion {
 public:
  PausingQuestion(PairQuestion& inner, ProgressLine& progress) : inner_(inner), progress_(progress) {}
  std::uint8_t Ask(std::uint32_t first, std::uint32_t second, std::uint8_t percent) override {
    progress_.Pause();
    std::uint8_t answer = inner_.Ask(first, second, percent);
    progress_.Resume();
    return answer;
  }

 private:
  PairQuestion& inner_;
  ProgressLine& progress_;
};

int RunDupes(const DupesArguments& args) {
  std::unique_ptr<Platform> platform = MakeHostPlatform();
  AppOptions options{};
  Status status = LoadCommandOptions(args.OptionsFile, *platform, options);
  if (!status.ok()) {
    std::cerr << "ordonna-cli: dupes: cannot use the options file: " << status.ToString() << '\n';
    return kExitFailure;
  }
  // The reduced list may replace the list it was read from; a log may not.
  const std::string optionsFile = CommandOptionsFile(args.OptionsFile, *platform);
  if (!args.Log.empty() &&
      (!LogNameAllowed("dupes", args.Log) || !OutputSparesInputs("dupes", args.Log, {args.File, optionsFile}))) {
    return kExitFailure;
  }
  if (!args.Output.empty() && !OutputSparesInputs("dupes", args.Output, {optionsFile})) return kExitFailure;
  if (args.Percent) options.Dialog.MatchPercent = static_cast<std::uint8_t>(*args.Percent);
  if (args.Action == "auto") options.Dialog.MatchAction = 0;
  if (args.Action == "auto99") options.Dialog.MatchAction = 1;
  if (args.Action == "confirm") options.Dialog.MatchAction = 2;

  ConsoleCaller caller(args.Yes ? ConsoleCaller::Policy::Yes : ConsoleCaller::Policy::Preferred, false);
  ListStore list;
  if (LoadListFile(args.File, true, false, list, caller, [] { return true; }).Count < 0) return kExitFailure;

  FieldStyle style = FieldStyleOf(options, platform->ShortDateFormat());
  DupSearchSettings settings = DupSearchSettingsOf(options, style);
  settings.Engine = args.Naive ? PairEngine::Reference : PairEngine::Fast;
  DupSearchState state;
  DeletionMarks marks;
  ConsoleQuestion console(
      list.Working(), list.Working(), "File 1: ", "File 2: ", "[1] delete 1st, [2] delete 2nd, [L]eave both, [S]top",
      {{'1', kDupDeleteFirst}, {'2', kDupDeleteSecond}, {'L', kDupLeaveBoth}, {'S', kDupStop}}, kDupStop, style);
  // The search runs on a thread of its own while this one keeps the progress line.
  std::optional<bool> completed;
  {
    ProgressLine progress(!args.Quiet, "marked");
    PausingQuestion question(console, progress);
    std::atomic<bool> done{false};
    std::thread worker([&] {
      completed = RunDupSearch(list.Working(), settings, state, marks, question);
      done = true;
    });
    do {
      progress.Update(state.Progress, state.ToDelete);
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (!done);
    worker.join();
  }
  if (!*completed) {
    std::cerr << "ordonna-cli: dupes: stopped; nothing was deleted\n";
    return kExitFailure;
  }

  if (args.Json) {
    nlohmann::ordered_json result;
    result["matches"] = state.MatchesFound.load();
    result["to_delete"] = state.ToDelete.load();
    result["marked"] = nlohmann::json::array();
    for (std::uint32_t i = 0; i < marks.size(); ++i) {
      if (marks[i] == 0) result["marked"].push_back(i);
    }
    std::cout << result.dump() << '\n';
  } else {
    std::cout << state.Texts.Read().Finish << '\n';
    for (std::uint32_t i = 0; i < marks.size(); ++i) {
      if (marks[i] == 0) std::cout << DecodeForDisplay(list.Entry(i).FileName.View()) << '\n';
    }
  }
  if (!args.Log.empty()) {
    LogStamp stamp = CurrentLogStamp(platform->ShortDateFormat());
    if (!WriteDupLog(args.Log, list.Working(), marks, state.ToDelete, style, stamp).ok()) {
      std::cerr << "ordonna-cli: dupes: " << kDupLogDiskError << '\n';
      return kExitFailure;
    }
  }
  if (!args.Output.empty()) {
    const std::uint8_t sortState = list.SortState;
    DeletionResult result = ApplyDeletions(list, marks);
    return WriteRemainingList("dupes", args.Output, result.Cleared, list, sortState);
  }
  return kExitOk;
}

}  // namespace

void AddDupesCommand(CLI::App& app, CommandRunner& runner) {
  auto args = std::make_shared<DupesArguments>();
  CLI::App* command = app.add_subcommand("dupes", "Search a list file for duplicates");
  command->add_option("--options", args->OptionsFile, "Configuration file with the search settings");
  command->add_option("--percent", args->Percent, "Threshold MatchPercent (50-100)")->check(CLI::Range(50, 100));
  command->add_option("--action", args->Action, "auto, auto99 (ask below 99 %) or confirm (1, 2, L or S)")
      ->check(CLI::IsMember({"auto", "auto99", "confirm"}));
  command->add_flag("--naive", args->Naive, "Compare every pair (the plain pair loop)");
  command->add_flag("--json", args->Json, R"(Print {"matches": N, "to_delete": M, "marked": [indexes]})");
  AddYesFlag(*command, args->Yes);
  command->add_flag("--quiet", args->Quiet, "No progress line on the terminal");
  command->add_option("--log", args->Log, "Write the deletion log to this file")->check(kOutputName);
  command->add_option("-o", args->Output, "Write the list without the marked entries to this .ordl file")
      ->check(kOutputName);
  command->add_option("LIST", args->File, "The .ordl list file")->required();
  command->callback([args, &runner] { runner.Run = [args] { return RunDupes(*args); }; });
}

}  // namespace ordonna::cli
