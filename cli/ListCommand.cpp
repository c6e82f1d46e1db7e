// ordonna-cli list: prints the entries of a list file, through the field formatters or as
// JSON objects with the raw field values.
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/Command.h"
#include "cli/ConsoleCaller.h"
#include "cli/UserOptions.h"
#include "core/ListStore.h"
#include "core/Text.h"
#include "export/FieldStyle.h"
#include "export/Formatters.h"
#include "listfile/ListFileCommands.h"
#include "platform/Platform.h"

namespace ordonna::cli {
namespace {

struct ListArguments {
  bool Json = false;
  bool Yes = false;
  std::string OptionsFile;
  std::string File;
};

// Names may come from other lists and hold control characters: they are printed as "?".
std::string TextLine(const ListEntry& e, const FieldStyle& style) {
  std::string line = DecodeForTerminal(e.FileName.View());
  for (const std::string& field :
       {FormatPlayTime(e.Frames, e.FrequencyCode, style), FormatKbpsUnit(e.BitrateCode, style),
        FormatSize(e.SizeKB, style), FormatStereo(e.StereoMode, style), FormatFreqUnit(e.FrequencyCode),
        FormatDate(e.FileDate, style), DecodeForTerminal(e.Folder.View()), DecodeForTerminal(e.VolumeLabel.View()),
        FormatDate(e.DateAdded, style)}) {
    line += '\t';
    line += field;
  }
  return line + '\n';
}

std::string JsonLine(const ListEntry& e) {
  nlohmann::ordered_json object;
  object["FileName"] = DecodeForDisplay(e.FileName.View());
  object["Folder"] = DecodeForDisplay(e.Folder.View());
  object["VolumeLabel"] = DecodeForDisplay(e.VolumeLabel.View());
  object["BitrateCode"] = e.BitrateCode;
  object["SizeKB"] = static_cast<std::int32_t>(e.SizeKB);
  object["Frames"] = static_cast<std::int32_t>(e.Frames);
  object["StereoMode"] = e.StereoMode;
  object["FrequencyCode"] = e.FrequencyCode;
  object["FileDate"] = static_cast<std::int32_t>(e.FileDate);
  object["DateAdded"] = static_cast<std::int32_t>(e.DateAdded);
  return object.dump() + '\n';
}

int RunList(const ListArguments& args) {
  std::unique_ptr<Platform> platform = MakeHostPlatform();
  AppOptions options{};
  Status status = LoadCommandOptions(args.OptionsFile, *platform, options);
  if (!status.ok()) {
    std::cerr << "ordonna-cli: list: cannot use the options file: " << status.ToString() << '\n';
    return kExitFailure;
  }
  ConsoleCaller caller(args.Yes ? ConsoleCaller::Policy::Yes : ConsoleCaller::Policy::Preferred, false);
  ListStore list;
  if (LoadListFile(args.File, true, false, list, caller, [] { return true; }).Count < 0) return kExitFailure;
  FieldStyle style = FieldStyleOf(options, platform->ShortDateFormat());
  for (const ListEntry& entry : list.Working().Entries()) {
    std::string line = args.Json ? JsonLine(entry) : TextLine(entry, style);
    std::fwrite(line.data(), 1, line.size(), stdout);
  }
  return std::fflush(stdout) == 0 ? kExitOk : kExitFailure;
}

}  // namespace

void AddListCommand(CLI::App& app, CommandRunner& runner) {
  auto args = std::make_shared<ListArguments>();
  CLI::App* list = app.add_subcommand("list", "Print the entries of a list file, one per line");
  list->add_flag("--json", args->Json, "Print one JSON object per entry with the raw field values");
  AddYesFlag(*list, args->Yes);
  list->add_option("--options", args->OptionsFile, "Configuration file whose display styles to use");
  list->add_option("LIST", args->File, "The .ordl list file")->required();
  list->callback([args, &runner] { runner.Run = [args] { return RunList(*args); }; });
}

}  // namespace ordonna::cli
