// ordonna-cli: the catalogue's operations from the command line, one subcommand each.
#include <exception>
#include <iostream>

#include "cli/Command.h"

int main(int argc, char** argv) {
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
  try {
    return runner.Run ? runner.Run() : kExitUsage;
  } catch (const std::exception& e) {
    std::cerr << "ordonna-cli: " << e.what() << '\n';
    return kExitFailure;
  }
}
