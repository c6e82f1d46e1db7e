// ordonna-cli export: writes a list file as a text list, a plain HTML page, an HTML table or
// an XLS sheet with the same writers as the Export button, without questions: the type and
// the caption come from the command line or the configuration file.
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "cli/Command.h"
#include "cli/ConsoleCaller.h"
#include "cli/OutputGuard.h"
#include "cli/UserOptions.h"
#include "config/AppOptions.h"
#include "core/ListStore.h"
#include "export/ExportCommand.h"
#include "export/ExportMessages.h"
#include "listfile/ListFileCommands.h"
#include "platform/Platform.h"

namespace ordonna::cli {
namespace {

struct ExportArguments {
  std::string Type;
  std::optional<std::string> Caption;
  bool Force = false;
  bool Yes = false;
  std::string OptionsFile;
  std::string List;
  std::string Out;
};

const std::map<std::string, ExportType> kTypeNames = {
    {"text", ExportType::Text},
    {"html", ExportType::PlainHtml},
    {"table", ExportType::HtmlTable},
    {"xls", ExportType::Xls},
};

int Fail(std::string_view text) {
  std::cerr << "ordonna-cli: export: " << text << '\n';
  return kExitFailure;
}

// The type the options' ExportType writes, unless the name's extension disagrees and the
// user did not insist.
std::optional<ExportType> TypeFromOptions(const ExportArguments& args, const AppOptions& options) {
  const std::uint8_t exportType = options.Main.ExportType;
  if (std::optional<TypeQuestion> question = QuestionExportType(args.Out, exportType); question && !args.Force) {
    std::cerr << "ordonna-cli: " << ConsoleText(question->Text) << '\n';
    return std::nullopt;
  }
  return static_cast<ExportType>(exportType <= 3 ? exportType : 0);
}

int RunExport(const ExportArguments& args) {
  std::unique_ptr<Platform> platform = MakeHostPlatform();
  AppOptions options{};
  if (Status status = LoadCommandOptions(args.OptionsFile, *platform, options); !status.ok()) {
    return Fail("cannot use the options file: " + status.ToString());
  }
  const MainOptions& main = options.Main;
  if (!OutputSparesInputs("export", args.Out,
                          {args.List, CommandOptionsFile(args.OptionsFile, *platform), main.TextHeaderFile.View(),
                           main.TextFooterFile.View(), main.HtmlHeaderFile.View(), main.HtmlFooterFile.View()})) {
    return kExitFailure;
  }
  ConsoleCaller::CatchInterrupts();
  ConsoleCaller caller(args.Yes ? ConsoleCaller::Policy::Yes : ConsoleCaller::Policy::Preferred, true);
  ListStore list;
  if (LoadListFile(args.List, true, false, list, caller, [] { return true; }).Count < 0) return kExitFailure;
  if (list.ItemCount() == 0) {
    caller.ShowMessage(export_text::kNothingToExport, {}, MessageKind::Warning);
    return kExitFailure;
  }

  std::optional<ExportType> type = args.Type.empty() ? TypeFromOptions(args, options) : kTypeNames.at(args.Type);
  if (!type) return Fail("refused: give --type, or --force to write the type of the options");

  // The caption window's answer: the given caption, or the one it would offer.
  if (CaptionInputNeeded(options, *type, list.SortState)) {
    AcceptCaption(options, args.Caption.value_or(InitialCaption(options)), options.Dialog.RememberCaption != 0);
  } else if (args.Caption) {
    std::cerr << "ordonna-cli: export: --caption is not used: the options' CaptionMode asks for no typed caption "
                 "here\n";
  }
  const TableCaption caption = *type == ExportType::HtmlTable ? DecideCaption(options, list.SortState) : TableCaption{};

  ExportJob job{list, options, FieldStyleOf(options, platform->ShortDateFormat()), caller, {}};
  Status status = ExportToFile(args.Out, *type, caption, job);
  if (status.code() == Status::Code::Cancelled) return Fail("cancelled; " + args.Out + " was left as it was");
  if (!status.ok()) {
    caller.ShowMessage(status.message(), {}, MessageKind::Error);
    if (!status.detail().empty()) Fail(status.detail());
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace

void AddExportCommand(CLI::App& app, CommandRunner& runner) {
  auto args = std::make_shared<ExportArguments>();
  CLI::App* command = app.add_subcommand("export", "Export a list file as text, HTML, an HTML table or an XLS sheet");
  command
      ->add_option("--type", args->Type,
                   "text, html (plain page), table (HTML table) or xls; without it the "
                   "options' ExportType decides")
      ->check(CLI::IsMember({"text", "html", "table", "xls"}));
  command->add_option("--caption", args->Caption,
                      "Caption typed for an HTML table when the options' CaptionMode asks for one (2 or 3)");
  command->add_flag("--force", args->Force,
                    "Write the options' ExportType even when OUT's extension suits another type");
  AddYesFlag(*command, args->Yes);
  command->add_option("--options", args->OptionsFile,
                      "Configuration file with every export option (default: the user's)");
  command->add_option("LIST", args->List, "The .ordl list file")->required();
  command
      ->add_option("OUT", args->Out,
                   "The file to write; an existing one is replaced only when the export "
                   "succeeds")
      ->required()
      ->check(kOutputName);
  command->callback([args, &runner] { runner.Run = [args] { return RunExport(*args); }; });
}

}  // namespace ordonna::cli
