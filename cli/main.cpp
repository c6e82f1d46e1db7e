// ordonna-cli: the catalogue's operations from the command line, one subcommand each.
#include <exception>
#include <iostream>
#include <string>
#include <string_view>

#include "cli/Command.h"
#include "platform/Platform.h"
#include "platform/RunFolder.h"

namespace {

// The first word names the command; when it names none, say so (the parser would only say
// that a command is missing) and list the ones there are.
bool ReportUnknownCommand(const CLI::App& app, int argc, char** argv) {
  if (argc < 2 || argv[1][0] == '-') return false;
  const std::string_view word = argv[1];
  std::string names;
  for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; })) {
    if (command->get_name() == word) return false;
    names += names.empty() ? "" : ", ";
    names += command->get_name();
  }
  std::cerr << "ordonna-cli: unknown command \"" << word << "\"; the commands are " << names
            << ".\nRun with --help for more information.\n";
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace ordonna;
  using namespace ordonna::cli;
  CLI::App app{"Ordonna: catalogue MP3 collections from the command line.", "ordonna-cli"};
  app.set_version_flag("--version", std::string("ordonna-cli ") + ORDONNA_VERSION);
  app.require_subcommand(1);

  CommandRunner runner;
  AddCompareCommand(app, runner);
  AddConfigCommand(app, runner);
  AddDupesCommand(app, runner);
  AddExportCommand(app, runner);
  AddImportCommand(app, runner);
  AddInfoCommand(app, runner);
  AddListCommand(app, runner);
  AddScanCommand(app, runner);
  AddSimilarityCommand(app, runner);

  if (ReportUnknownCommand(app, argc, argv)) return kExitUsage;
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e, std::cout, std::cerr);
    return kExitUsage;
  }
  if (!runner.Run) return kExitUsage;
  // Temporary files go to a folder of this run, removed at exit and on Ctrl-C; folders of
  // runs that were killed go first.
  const std::string temporary = MakeHostPlatform()->TempFolder();
  RemoveEndedRunFolders(temporary);
  RunFolder runFolder(temporary);
  try {
    return runner.Run();
  } catch (const std::exception& e) {
    std::cerr << "ordonna-cli: " << e.what() << '\n';
    return kExitFailure;
  }
}
