// ordonna-cli import: reads a text, plain HTML or HTML table export (or another program's
// text list) into a list file with the same import as the Import button. Questions are
// answered by --yes or --no, else by the answer each question proposes.
#include <iostream>
#include <memory>
#include <string>

#include "cli/Command.h"
#include "cli/ConsoleCaller.h"
#include "cli/OutputGuard.h"
#include "cli/UserOptions.h"
#include "config/AppOptions.h"
#include "core/ListStore.h"
#include "import/ImportList.h"
#include "listfile/ListFileCommands.h"
#include "platform/Platform.h"

namespace ordonna::cli {
namespace {

struct ImportArguments {
  std::string Append;
  bool Foreign = false;
  std::string OptionsFile;
  bool Yes = false;
  bool No = false;
  std::string In;
  std::string Out;
};

class GivenFile final : public ImportHost {
 public:
  explicit GivenFile(std::string path) : path_(std::move(path)) {}
  std::string ChooseImportFile(const ImportDialogRequest&) override { return path_; }

 private:
  std::string path_;
};

int Fail(std::string_view text) {
  std::cerr << "ordonna-cli: import: " << text << '\n';
  return kExitFailure;
}

// Status texts go to stdout, one line each, as the summary does.
class ImportConsole final : public Caller {
 public:
  explicit ImportConsole(ConsoleCaller::Policy policy) : inner_(policy, false) {}
  Answer AskYesNo(std::string_view text, std::string_view title, Answer preferred) override {
    return inner_.AskYesNo(text, title, preferred);
  }
  Answer AskYesNoCancel(std::string_view text, std::string_view title, Answer preferred) override {
    return inner_.AskYesNoCancel(text, title, preferred);
  }
  void ShowMessage(std::string_view text, std::string_view title, MessageKind kind) override {
    inner_.ShowMessage(text, title, kind);
  }
  void SetStatus(std::string_view text) override {
    // Progress texts ("... so far...") would flood the output of a big list.
    if (text.find("so far") == std::string_view::npos) last_ = std::string(text);
  }
  void ProcessEvents() override {}
  bool Running() const override { return inner_.Running(); }
  const std::string& Last() const { return last_; }

 private:
  ConsoleCaller inner_;
  std::string last_;
};

int RunImport(const ImportArguments& args) {
  std::unique_ptr<Platform> platform = MakeHostPlatform();
  AppOptions options{};
  if (Status status = LoadCommandOptions(args.OptionsFile, *platform, options); !status.ok()) {
    return Fail("cannot use the options file: " + status.ToString());
  }
  // The list appended to may be the one written: it is read whole before.
  if (!OutputSparesInputs("import", ListFileTarget(args.Out),
                          {args.In, CommandOptionsFile(args.OptionsFile, *platform)})) {
    return kExitFailure;
  }
  ConsoleCaller::CatchInterrupts();
  const ConsoleCaller::Policy policy = args.Yes  ? ConsoleCaller::Policy::Yes
                                       : args.No ? ConsoleCaller::Policy::No
                                                 : ConsoleCaller::Policy::Preferred;
  ImportConsole caller(policy);
  ListStore list;
  if (!args.Append.empty()) {
    if (LoadListFile(args.Append, true, false, list, caller, [] { return true; }).Count < 0) return kExitFailure;
  }
  options.Dialog.ImportImap = args.Append.empty() ? 0 : 1;
  options.Dialog.ImportFileType = args.Foreign ? 1 : 0;
  // Nobody is asked about an unsaved list: the result goes to a file of its own.
  options.Main.AskSaveThreshold = 0;

  GivenFile host(args.In);
  const ImportResult result = ImportList(list, options, HostImportEnvironment(*platform), host, caller);
  if (!caller.Last().empty()) std::cout << ConsoleText(caller.Last()) << '\n';
  if (result.Outcome != ImportOutcome::Imported) return kExitFailure;
  if (result.Imported == 0) return Fail("no entry was imported; nothing was written to " + ListFileTarget(args.Out));
  if (Status status = WriteListFile(ListFileTarget(args.Out), list.Working(), list.SortState); !status.ok()) {
    return Fail(status.ToString());
  }
  return kExitOk;
}

}  // namespace

void AddImportCommand(CLI::App& app, CommandRunner& runner) {
  auto args = std::make_shared<ImportArguments>();
  CLI::App* command = app.add_subcommand(
      "import", "Import a text or HTML list exported by Ordonna (or another text list) into a list file");
  command->add_option("--append", args->Append, "A list file whose entries come first; the import is appended");
  command->add_flag("--foreign", args->Foreign, "Read IN as another program's text list");
  command->add_option("--options", args->OptionsFile,
                      "Configuration file with the import options (default: the user's)");
  CLI::Option* yes = command->add_flag("--yes", args->Yes, "Answer every question Yes (OK)");
  command->add_flag("--no", args->No, "Answer every question No (Cancel)")->excludes(yes);
  command->add_option("IN", args->In, "The list to import")->required()->check(CLI::ExistingFile);
  command->add_option("-o,--output", args->Out, "The .ordl list file to write")->required()->check(kOutputName);
  command->callback([args, &runner] { runner.Run = [args] { return RunImport(*args); }; });
}

}  // namespace ordonna::cli
