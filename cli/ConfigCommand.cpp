// ordonna-cli config: prints a configuration file field by field as stored, reads and sets
// single fields, or writes the factory defaults. Fields are named and checked by the
// settings' field table (config/ConfigFields.h).
#include <cstdint>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/Command.h"
#include "config/AppOptions.h"
#include "config/ConfigFields.h"
#include "config/ConfigFile.h"
#include "platform/FileSystem.h"

namespace ordonna::cli {
namespace {

// Window positions of new files are centred on a screen of this size unless told otherwise.
constexpr std::int32_t kDefaultScreenWidth = 1920;
constexpr std::int32_t kDefaultScreenHeight = 1080;

// "Name value", one line per element.
std::string ElementLine(const AppOptions& options, FieldElement element) {
  return ElementName(element) + ' ' + ElementText(options, element) + '\n';
}

int PrintText(const std::string& text, std::string_view command) {
  std::cout << text << std::flush;
  if (!std::cout) {
    std::cerr << "ordonna-cli: config " << command << ": cannot write the output\n";
    return kExitFailure;
  }
  return kExitOk;
}

int ShowConfiguration(const std::string& path) {
  AppOptions options;
  Status status = ReadConfigurationImage(path, options);
  if (!status.ok()) {
    std::cerr << "ordonna-cli: config show: " << status.ToString() << '\n';
    return kExitFailure;
  }
  std::string text;
  for (const ConfigField& field : ConfigFields()) {
    for (std::size_t i = 0; i < field.Count; ++i) text += ElementLine(options, {&field, i});
  }
  return PrintText(text, "show");
}

struct GetArguments {
  std::string File;
  std::vector<std::string> Names;
};

int GetFields(const GetArguments& arguments) {
  // Every name is checked before anything is printed.
  std::vector<FieldElement> elements;
  for (const std::string& name : arguments.Names) {
    std::vector<FieldElement> named = ElementsNamed(name);
    if (named.empty()) {
      std::cerr << "ordonna-cli: config get: " << name << ": unknown option\n";
      return kExitFailure;
    }
    elements.insert(elements.end(), named.begin(), named.end());
  }
  AppOptions options;
  Status status = ReadConfigurationImage(arguments.File, options);
  if (!status.ok()) {
    std::cerr << "ordonna-cli: config get: " << status.ToString() << '\n';
    return kExitFailure;
  }
  std::string text;
  for (FieldElement element : elements) text += ElementLine(options, element);
  return PrintText(text, "get");
}

struct InitArguments {
  std::string File;
  std::int32_t ScreenWidth = kDefaultScreenWidth;
  std::int32_t ScreenHeight = kDefaultScreenHeight;
  bool Force = false;
};

// The factory defaults for a file at `path`: the options dialogs open in the folder of the
// file, as they do beside the program's own file.
bool FactoryOptionsFor(const std::string& path, std::int32_t screenWidth, std::int32_t screenHeight,
                       std::string_view command, AppOptions& options) {
  const std::string folder = AbsoluteFolderOf(path);
  if (folder.empty()) {
    std::cerr << "ordonna-cli: config " << command << ": " << path << ": the current folder cannot be found\n";
    return false;
  }
  FactoryContext context;
  context.ScreenWidth = screenWidth;
  context.ScreenHeight = screenHeight;
  context.OptionsFolder = folder;
  SetFactoryDefaults(options, context);
  return true;
}

int InitializeConfiguration(const InitArguments& arguments) {
  if (!arguments.Force && PathExists(arguments.File)) {
    std::cerr << "ordonna-cli: config init: " << arguments.File << " already exists (use --force to replace it)\n";
    return kExitFailure;
  }
  AppOptions options{};
  if (!FactoryOptionsFor(arguments.File, arguments.ScreenWidth, arguments.ScreenHeight, "init", options)) {
    return kExitFailure;
  }
  Status status = WriteConfiguration(arguments.File, options);
  if (!status.ok()) {
    std::cerr << "ordonna-cli: config init: " << status.ToString() << '\n';
    return kExitFailure;
  }
  return kExitOk;
}

struct SetArguments {
  std::string File;
  std::vector<std::string> Pairs;
};

// Every pair is checked before the file is written, so the file takes all of them or none.
int SetFields(const SetArguments& arguments) {
  AppOptions options{};
  if (PathExists(arguments.File)) {
    Status status = ReadConfigurationImage(arguments.File, options);
    if (!status.ok()) {
      std::cerr << "ordonna-cli: config set: " << status.ToString() << '\n';
      return kExitFailure;
    }
  } else if (!FactoryOptionsFor(arguments.File, kDefaultScreenWidth, kDefaultScreenHeight, "set", options)) {
    return kExitFailure;
  }
  for (const std::string& pair : arguments.Pairs) {
    const std::size_t equals = pair.find('=');
    const std::vector<FieldElement> named =
        equals == std::string::npos ? std::vector<FieldElement>() : ElementsNamed(pair.substr(0, equals));
    if (equals == std::string::npos) {
      std::cerr << "ordonna-cli: config set: " << pair << ": not NAME=VALUE\n";
      return kExitFailure;
    }
    if (named.size() != 1) {
      std::cerr << "ordonna-cli: config set: " << pair << ": "
                << (named.empty() ? "unknown option" : "name one element, as NAME[i]") << '\n';
      return kExitFailure;
    }
    Status status = SetElementText(options, named.front(), std::string_view(pair).substr(equals + 1));
    if (!status.ok()) {
      std::cerr << "ordonna-cli: config set: " << pair << ": " << status.ToString() << '\n';
      return kExitFailure;
    }
  }
  Status status = WriteConfiguration(arguments.File, options);
  if (!status.ok()) {
    std::cerr << "ordonna-cli: config set: " << status.ToString() << '\n';
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace

void AddConfigCommand(CLI::App& app, CommandRunner& runner) {
  CLI::App* config = app.add_subcommand("config", "Show, read, change or create a configuration file (ordonna.ini)");
  config->require_subcommand(1);

  auto showFile = std::make_shared<std::string>();
  CLI::App* show = config->add_subcommand(
      "show",
      "Print every field of a configuration file in file order, one \"Name value\" per line (array elements as "
      "\"Name[i] value\"). Values are shown exactly as stored: no load repairs are applied. Numbers are "
      "decimal, colours BBGGRR hexadecimal, control characters in texts \\xNN.");
  show->add_option("FILE", *showFile, "The configuration file (exactly 7,101 bytes)")->required();
  show->callback([&runner, showFile] { runner.Run = [showFile] { return ShowConfiguration(*showFile); }; });

  auto getArguments = std::make_shared<GetArguments>();
  CLI::App* get = config->add_subcommand(
      "get",
      "Print the named fields in the form of \"config show\", one \"Name value\" per line. NAME is a field "
      "name as \"config show\" prints it; an array field without an index prints every element.");
  get->add_option("FILE", getArguments->File, "The configuration file (exactly 7,101 bytes)")
      ->required()
      ->check(kOutputName);
  get->add_option("NAME", getArguments->Names, "Field names")->required();
  get->callback([&runner, getArguments] { runner.Run = [getArguments] { return GetFields(*getArguments); }; });

  auto setArguments = std::make_shared<SetArguments>();
  CLI::App* set = config->add_subcommand(
      "set",
      "Change fields: NAME=VALUE, NAME as \"config show\" prints it (NAME[i] for an element of an array). "
      "Numbers are decimal within the field's range, colours six hex digits BBGGRR, custom colours eight "
      "hex digits, texts at most 255 bytes taken as they are. Every pair is checked first; on any error "
      "nothing is written. A missing FILE starts from the factory defaults.");
  set->add_option("FILE", setArguments->File, "The configuration file")->required()->check(kOutputName);
  set->add_option("NAME=VALUE", setArguments->Pairs, "Fields and their new values")->required();
  set->callback([&runner, setArguments] { runner.Run = [setArguments] { return SetFields(*setArguments); }; });

  auto initArguments = std::make_shared<InitArguments>();
  CLI::App* init = config->add_subcommand(
      "init",
      "Write a configuration file holding the factory defaults. Window positions are centred on the given "
      "screen size; the options folder is the folder of FILE.");
  init->add_option("FILE", initArguments->File, "The configuration file to create")->required()->check(kOutputName);
  init->add_option("--screen-width", initArguments->ScreenWidth, "Screen width in pixels")
      ->capture_default_str()
      ->check(CLI::Range(1, 100000));
  init->add_option("--screen-height", initArguments->ScreenHeight, "Screen height in pixels")
      ->capture_default_str()
      ->check(CLI::Range(1, 100000));
  init->add_flag("--force", initArguments->Force, "Replace an existing file");
  init->callback(
      [&runner, initArguments] { runner.Run = [initArguments] { return InitializeConfiguration(*initArguments); }; });
}

}  // namespace ordonna::cli
