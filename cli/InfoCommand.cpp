// ordonna-cli info: analyses MP3 files (or every "*.mp3" below a folder) and prints one line
// per file, as text through the field formatters or as one JSON object per line.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/Command.h"
#include "cli/ConsoleCaller.h"
#include "cli/UserOptions.h"
#include "collect/Mp3Analyzer.h"
#include "core/Text.h"
#include "export/FieldStyle.h"
#include "export/Formatters.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"

namespace ordonna::cli {
namespace {

struct InfoOptions {
  bool Slow = false;
  bool Json = false;
  std::vector<std::string> Paths;
};

// The files to analyse: each file argument as given, and for each folder every "*.mp3"
// below it, sorted.
std::vector<std::string> CollectFiles(const std::vector<std::string>& paths) {
  std::vector<std::string> files;
  for (const std::string& path : paths) {
    if (!IsFolder(path)) {
      files.push_back(path);
      continue;
    }
    std::vector<std::string> found = FilesBelow(path, ".mp3");
    files.insert(files.end(), found.begin(), found.end());
  }
  return files;
}

// The user's field styles, or the factory ones when there is no readable configuration.
FieldStyle UserFieldStyle() {
  std::unique_ptr<Platform> platform = MakeHostPlatform();
  AppOptions options{};
  (void)LoadCommandOptions({}, *platform, options);
  return FieldStyleOf(options, platform->ShortDateFormat());
}

std::string TextLine(const std::string& path, const AnalysisResult& r, const FieldStyle& style) {
  std::string line = path;
  line += '\t';
  if (!r.Ok()) {
    line += r.ErrorText();
  } else {
    line += FormatKbpsUnit(r.BitrateCode, style) + '\t' + std::to_string(r.Frames) + " frames\t" +
            FormatPlayTime(r.Frames, r.FrequencyCode, style) + '\t' + FormatStereo(r.StereoMode, style) + '\t' +
            FormatFreqUnit(r.FrequencyCode) + '\t' + FormatSize(r.SizeKB, style);
  }
  line += '\n';
  return line;
}

std::string JsonLine(const std::string& path, const AnalysisResult& r) {
  nlohmann::ordered_json object;
  // Paths are bytes; the rare one that is not UTF-8 is shown with its bytes as Windows-1252.
  object["file"] = DecodeForDisplay(path);
  object["ok"] = r.Ok();
  object["BitrateCode"] = r.BitrateCode;
  object["Frames"] = r.Frames;
  object["StereoMode"] = r.StereoMode;
  object["FrequencyCode"] = r.FrequencyCode;
  object["SizeKB"] = r.SizeKB;
  object["FileSizeBytes"] = r.FileSizeBytes;
  object["error"] = std::string(r.ErrorText());
  return object.dump() + '\n';
}

int RunInfo(const InfoOptions& options) {
  std::vector<std::string> files = CollectFiles(options.Paths);
  FieldStyle style = options.Json ? FieldStyle{} : UserFieldStyle();
  Mp3Analyzer analyzer;
  ConsoleCaller caller(ConsoleCaller::Policy::Preferred, false);
  ProcessingMode mode = options.Slow ? ProcessingMode::Slow : ProcessingMode::Fast;
  bool allOk = true;
  for (const std::string& file : files) {
    AnalysisResult result = analyzer.AnalyzeFile(file, mode, caller);
    allOk = allOk && result.Ok();
    std::string line = options.Json ? JsonLine(file, result) : TextLine(file, result, style);
    std::fwrite(line.data(), 1, line.size(), stdout);
  }
  if (std::fflush(stdout) != 0) return kExitFailure;
  return allOk ? kExitOk : kExitFailure;
}

}  // namespace

void AddInfoCommand(CLI::App& app, CommandRunner& runner) {
  auto options = std::make_shared<InfoOptions>();
  CLI::App* info = app.add_subcommand("info", "Analyse MP3 files (or every *.mp3 below a folder), one line each");
  info->add_flag("--slow", options->Slow, "Count every frame instead of stopping after 200");
  info->add_flag("--json", options->Json, "Print one JSON object per file");
  info->add_option("FILE", options->Paths, "MP3 files or folders")->required();
  info->callback([options, &runner] { runner.Run = [options] { return RunInfo(*options); }; });
}

}  // namespace ordonna::cli
