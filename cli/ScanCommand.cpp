// ordonna-cli scan: the folder scan without a window. Builds a new list (or adds to a list
// file) from a folder tree or every volume and saves it; Ctrl-C cancels as CANCEL does.
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "cli/Command.h"
#include "cli/ConsoleCaller.h"
#include "cli/OutputGuard.h"
#include "cli/UserOptions.h"
#include "collect/Scan.h"
#include "config/AppOptions.h"
#include "core/ListStore.h"
#include "listfile/ListFileCommands.h"
#include "listfile/OrdlMessages.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"

namespace ordonna::cli {
namespace {

struct ScanArguments {
  std::string Append;
  bool Slow = false;
  bool NoSubfolders = false;
  bool AllDrives = false;
  std::optional<int> Existing;
  std::optional<int> OnError;
  std::optional<int> MinKB;
  std::optional<int> MaxMB;
  bool Hidden = false;
  bool Yes = false;
  std::string OptionsFile;
  std::string Output;
  std::string Folder;
};

std::string DefaultFolder(Platform& platform) {
  std::string music = platform.HomeFolder() + "/Music";
  return PathExists(music) ? music : platform.HomeFolder();
}

int RunScan(const ScanArguments& args) {
  std::unique_ptr<Platform> platform = MakeHostPlatform();
  AppOptions options{};
  Status status = LoadCommandOptions(args.OptionsFile, *platform, options);
  if (!status.ok()) {
    std::cerr << "ordonna-cli: scan: cannot use the options file: " << status.ToString() << '\n';
    return kExitFailure;
  }
  // The list appended to may be the one written: it is read whole before.
  if (!OutputSparesInputs("scan", ListFileTarget(args.Output), {CommandOptionsFile(args.OptionsFile, *platform)})) {
    return kExitFailure;
  }
  MainOptions& main = options.Main;
  if (args.Slow) main.SlowProcessing = 1;
  if (args.Existing) main.ExistingEntries = static_cast<std::uint8_t>(*args.Existing);
  if (args.OnError) main.ErrorAction = static_cast<std::uint8_t>(*args.OnError);
  if (args.MinKB) main.MinSizeKB = *args.MinKB;
  if (args.MaxMB) main.MaxSizeMB = *args.MaxMB;
  if (args.Hidden) main.IncludeHiddenSystem = 1;

  // Prompts only when asked for; otherwise the error action's prompt takes its default.
  ConsoleCaller caller(args.Yes                                ? ConsoleCaller::Policy::Yes
                       : main.ErrorAction == 1 && args.OnError ? ConsoleCaller::Policy::Ask
                                                               : ConsoleCaller::Policy::Preferred,
                       true);
  ConsoleCaller::CatchInterrupts();

  ListStore list;
  if (!args.Append.empty()) {
    LoadResult loaded = LoadListFile(args.Append, true, false, list, caller, [] { return true; });
    if (loaded.Count < 0) return kExitFailure;
  }

  Mp3Analyzer analyzer;
  ScanMemory memory;
  ScanContext context{list, options, *platform, caller, analyzer, memory, {}};
  ScanRequest request;
  request.Mode = args.Append.empty() ? ScanMode::New : ScanMode::Append;
  request.Folder = args.Folder.empty() ? DefaultFolder(*platform) : args.Folder;
  request.IncludeSubfolders = !args.NoSubfolders;
  request.AllDrives = args.AllDrives;
  ScanOutcome outcome = StartScan(request, context);
  std::cout << ConsoleText(outcome.Status) << std::endl;
  if (outcome.Cancelled || outcome.NotReady) return kExitFailure;
  // An empty list is never saved: the file keeps what it held.
  const std::string target = ListFileTarget(args.Output);
  if (list.ItemCount() == 0) {
    std::cerr << "ordonna-cli: scan: " << ordl_text::kEmptyList << " Nothing was written to " << target << ".\n";
    return kExitFailure;
  }

  status = WriteListFile(target, list.Working(), list.SortState);
  if (!status.ok()) {
    std::cerr << "ordonna-cli: scan: " << status.ToString() << '\n';
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace

void AddScanCommand(CLI::App& app, CommandRunner& runner) {
  auto args = std::make_shared<ScanArguments>();
  CLI::App* scan = app.add_subcommand("scan", "Scan a folder tree (or every volume) and save the list");
  scan->add_option("--append", args->Append, "Add to this list file instead of starting a new list")
      ->check(CLI::ExistingFile);
  scan->add_flag("--slow", args->Slow, "Count every frame of every file");
  scan->add_flag("--no-subfolders", args->NoSubfolders, "Scan the folder itself only");
  scan->add_flag("--all-drives", args->AllDrives, "Scan every mounted volume");
  scan->add_option("--existing", args->Existing,
                   "Files already listed: 0 always add, 1 update if different, 2 update, 3 skip")
      ->check(CLI::Range(0, 3));
  std::map<std::string, int> errorActions = {{"discard", 0}, {"prompt", 1}, {"include", 2}};
  scan->add_option("--on-error", args->OnError, "Files that cannot be analysed: discard, include or prompt")
      ->transform(CLI::CheckedTransformer(errorActions, CLI::ignore_case));
  scan->add_option("--min-kb", args->MinKB, "Skip files smaller than this many kilobytes")->check(CLI::Range(1, 2000));
  scan->add_option("--max-mb", args->MaxMB, "Skip files larger than this many megabytes (2048: no limit)")
      ->check(CLI::Range(10, 2048));
  scan->add_flag("--hidden", args->Hidden, "Include hidden files and folders");
  AddYesFlag(*scan, args->Yes);
  scan->add_option("--options", args->OptionsFile, "Configuration file to take the other settings from");
  scan->add_option("-o,--output", args->Output, "List file to write (.ordl is added when missing)")
      ->required()
      ->check(kOutputName);
  scan->add_option("FOLDER", args->Folder, "Folder to scan (default: the Music folder, else home)");
  scan->callback([args, &runner] { runner.Run = [args] { return RunScan(*args); }; });
}

}  // namespace ordonna::cli
