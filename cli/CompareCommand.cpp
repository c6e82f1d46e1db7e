// ordonna-cli compare: sets a list file against another list file or a text list in one of
// the ten actions, runs the comparison on its worker thread and plays the progress window's
// part on the terminal (confirmations, the removal of actions 4 and 9).
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
#include "match/CompareRun.h"
#include "match/CompareSetup.h"
#include "platform/Platform.h"
#include "platform/ThreadPriority.h"

namespace ordonna::cli {
namespace {

struct CompareArguments {
  std::optional<int> Action;
  bool Text = false;
  bool Ordl = false;
  bool Relaxed = false;
  bool NoRelaxed = false;
  std::string OptionsFile;
  bool Naive = false;
  bool Json = false;
  bool Yes = false;
  bool Quiet = false;
  std::string File;
  std::string External;
  std::string Output;
};

// Answers one confirmation on the terminal: m(atch), d(iffer), s(top), or a(bort) saving
// what was found so far.
std::uint8_t AskOnTerminal(const WorkerTexts::Snapshot& texts) {
  std::cerr << ConsoleText(texts.File1) << '\n' << ConsoleText(texts.File2) << '\n';
  for (;;) {
    std::cerr << ConsoleText(texts.Caption) << " [M]atch, [D]iffer, [S]top, s[A]ve and stop? " << std::flush;
    std::string reply;
    if (!std::getline(std::cin, reply)) return kCompareStop;
    switch (reply.empty() ? ' ' : AsciiUpper(reply[0])) {
      case 'M': return kCompareMatch;
      case 'D': return kCompareDiffer;
      case 'S': return kCompareStop;
      case 'A': return kCompareStopAndSave;
      default: break;
    }
  }
}

int RunCompare(const CompareArguments& args) {
  std::unique_ptr<Platform> platform = MakeHostPlatform();
  AppOptions options{};
  Status status = LoadCommandOptions(args.OptionsFile, *platform, options);
  if (!status.ok()) {
    std::cerr << "ordonna-cli: compare: cannot use the options file: " << status.ToString() << '\n';
    return kExitFailure;
  }
  DialogOptions& dialog = options.Dialog;
  if (args.Text) dialog.CompareWith = 1;
  if (args.Ordl) dialog.CompareWith = 0;
  if (args.Action) dialog.CompareAction = static_cast<std::uint8_t>(*args.Action);
  RepairCompareSettings(dialog);
  RelaxedSwitch relaxed(dialog.CompareWith);
  if (args.Relaxed) (void)relaxed.Set(true);
  if (args.NoRelaxed) (void)relaxed.Set(false);
  const std::uint8_t action = dialog.CompareAction;
  if (!RemovesFromCurrent(action) && args.Output.empty()) {
    std::cerr << "ordonna-cli: compare: action " << int{action} << " writes a file: name it with -o\n";
    return kExitUsage;
  }
  // The reduced current list (actions 4 and 9) may replace the list it was read from; a log or
  // a new list may not.
  const std::string optionsFile = CommandOptionsFile(args.OptionsFile, *platform);
  if (!args.Output.empty() && !WritesNewList(action) && !RemovesFromCurrent(action) &&
      !LogNameAllowed("compare", args.Output)) {
    return kExitFailure;
  }
  if (!args.Output.empty() &&
      !OutputSparesInputs("compare", args.Output,
                          {RemovesFromCurrent(action) ? std::string_view() : args.File, args.External, optionsFile})) {
    return kExitFailure;
  }
  dialog.CompareListFile.Set(args.External);
  dialog.CompareSaveFile.Set(RemovesFromCurrent(action) ? std::string() : args.Output);

  ConsoleCaller caller(args.Yes ? ConsoleCaller::Policy::Yes : ConsoleCaller::Policy::Ask, false);
  ListStore list;
  if (LoadListFile(args.File, true, false, list, caller, [] { return true; }).Count < 0) return kExitFailure;

  FieldStyle style = FieldStyleOf(options, platform->ShortDateFormat());
  CompareSettings settings = CompareSettingsOf(options, relaxed.Relaxed(), style);
  settings.ListFile = args.External;
  settings.Engine = args.Naive ? PairEngine::Reference : PairEngine::Fast;
  EntryList external;
  CompareRun run;
  run.Start(list, external, settings, ThreadPriorityOf(dialog.ThreadPriority));
  CompareState& state = run.State();
  {
    ProgressLine progress(!args.Quiet, "matched");
    while (!run.Ended()) {
      if (run.ServeRequests(caller)) continue;
      if (state.Confirming && state.Answer.Get() == kCompareNoAnswer) {
        progress.Pause();
        run.SetAnswer(AskOnTerminal(state.Texts.Read()));
        progress.Resume();
      } else if (state.AwaitingDelete && state.Answer.Get() == kCompareNoAnswer) {
        // "&DELETE" when the reduced list has somewhere to go.
        run.SetAnswer(args.Output.empty() ? kCompareIdleStop : kCompareRemove);
      } else {
        // Only the pair loop moves the line; loading may ask its own questions.
        if (state.Running) progress.Update(state.Progress, state.MatchCount);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
    }
  }
  (void)run.ServeRequests(caller);  // the messages left when the worker ended
  const std::uint8_t sortState = list.SortState;
  DeletionResult removed = run.Close(list);
  const CompareEnd end = run.End();
  if (end == CompareEnd::Stopped) return kExitFailure;

  if (args.Json) {
    nlohmann::ordered_json result;
    result["unique"] = state.UniqueCount.load();
    result["matches"] = state.MatchCount.load();
    result["matched"] = nlohmann::json::array();
    const CompareMarks& marks = run.Marks();
    for (std::uint32_t i = 0; i < marks.size(); ++i) {
      if (marks[i] == 0) result["matched"].push_back(i);
    }
    std::cout << result.dump() << '\n';
  } else {
    std::string finish = state.Texts.Read().Finish;
    std::cout << (finish.empty() ? std::string("Stopped; what was found so far is saved.") : ConsoleText(finish))
              << '\n';
  }
  if (end == CompareEnd::Remove) return WriteRemainingList("compare", args.Output, removed.Cleared, list, sortState);
  return kExitOk;
}

}  // namespace

void AddCompareCommand(CLI::App& app, CommandRunner& runner) {
  auto args = std::make_shared<CompareArguments>();
  CLI::App* command = app.add_subcommand("compare", "Compare a list file with another list");
  command->add_option("--action", args->Action, "CompareAction 0-9")->check(CLI::Range(0, 9));
  auto* text = command->add_flag("--text", args->Text, "EXTERNAL is a text list of another program");
  command->add_flag("--ordl", args->Ordl, "EXTERNAL is a list file")->excludes(text);
  auto* on = command->add_flag("--relaxed", args->Relaxed, "Relaxed matching (text lists only)");
  command->add_flag("--no-relaxed", args->NoRelaxed, "No relaxed matching")->excludes(on);
  command->add_option("--options", args->OptionsFile, "Configuration file with the comparison settings");
  command->add_flag("--naive", args->Naive, "Compare every pair (the plain pair loop)");
  command->add_flag("--json", args->Json, R"(Print {"unique": U, "matches": M, "matched": [indexes]})");
  AddYesFlag(*command, args->Yes);
  command->add_flag("--quiet", args->Quiet, "No progress line on the terminal");
  command->add_option("LIST", args->File, "The current .ordl list file")->required();
  command->add_option("EXTERNAL", args->External, "The external list")->required();
  command->add_option("-o", args->Output, "The log or new list (actions 0-3, 5-8), or the reduced current list (4, 9)")
      ->check(kOutputName);
  command->callback([args, &runner] { runner.Run = [args] { return RunCompare(*args); }; });
}

}  // namespace ordonna::cli
