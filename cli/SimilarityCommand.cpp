// ordonna-cli similarity: the match percentage of two names, with the matching settings of
// the configuration file unless flags say otherwise.
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cli/Command.h"
#include "cli/UserOptions.h"
#include "match/TitleMatch.h"
#include "platform/Platform.h"

namespace ordonna::cli {
namespace {

struct SimilarityArguments {
  std::string OptionsFile;
  std::optional<int> Percent;
  bool Relaxed = false;
  std::string First;
  std::string Second;
};

int RunSimilarity(const SimilarityArguments& args) {
  std::unique_ptr<Platform> platform = MakeHostPlatform();
  AppOptions options{};
  Status status = LoadCommandOptions(args.OptionsFile, *platform, options);
  if (!status.ok()) {
    std::cerr << "ordonna-cli: similarity: cannot use the options file: " << status.ToString() << '\n';
    return kExitFailure;
  }
  if (args.Percent) options.Dialog.MatchPercent = static_cast<std::uint8_t>(*args.Percent);
  MatchSettings settings = MatchSettingsOf(options.Dialog, args.Relaxed);
  std::cout << TitleMatchPercent(args.First, args.Second, settings) << '\n';
  return kExitOk;
}

}  // namespace

void AddSimilarityCommand(CLI::App& app, CommandRunner& runner) {
  auto args = std::make_shared<SimilarityArguments>();
  CLI::App* command = app.add_subcommand("similarity", "Print the match percentage (0-100) of two file names");
  command->add_option("--options", args->OptionsFile, "Configuration file with the matching settings");
  command->add_option("--percent", args->Percent, "Threshold MatchPercent (50-100)")->check(CLI::Range(50, 100));
  command->add_flag("--relaxed", args->Relaxed, "Relaxed matching (as when comparing with a text list)");
  command->add_option("NAME1", args->First, "First name")->required();
  command->add_option("NAME2", args->Second, "Second name")->required();
  command->callback([args, &runner] { runner.Run = [args] { return RunSimilarity(*args); }; });
}

}  // namespace ordonna::cli
