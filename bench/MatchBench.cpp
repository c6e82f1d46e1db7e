// Duplicates search and list comparison figures on the name mixes of real collections:
// (a) varied names, (b) 30 % untagged rips "Track NN", (c) 10 % names repeated across albums.
// Each mix: the duplicates search over 256K titles, automatic, at 80 % and at 99 %; the
// comparison of 100K against 100K titles, action 7, automatic; beside each, the plain pair
// loop on a 10K sample (marks checked identical with the fast engine on that sample) and its
// estimate for the whole size. Settings are the factory defaults (size may differ by 500 KB,
// time by 30 s). Each run goes in a child process, so that its peak memory is its own.
// Prints figures, asserts nothing but the identity of the results.
//   bench_match [TITLES] [SAMPLE] [COMPARE] [ONLY]   (ONLY: runs whose label holds it, as
//                                                     "a-dupes-80" or "compare")
//   bench_match --names FILE TITLES   (writes the names, one per line, and times the fast
//                                      engine alone on them, for the comparison script)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "config/ConfigFile.h"
#include "listfile/ListFileCommands.h"
#include "match/Comparison.h"
#include "match/DuplicateSearch.h"
#include "match/NameGenerator.h"

namespace ordonna {
namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Processor time of all threads so far, to tell the work from a machine busy with others.
double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

class NoQuestions final : public PairQuestion {
 public:
  std::uint8_t Ask(std::uint32_t, std::uint32_t, std::uint8_t) override { return kDupLeaveBoth; }
};

class QuietCaller final : public Caller {
 public:
  Answer AskYesNo(std::string_view, std::string_view, Answer preferred) override { return preferred; }
  Answer AskYesNoCancel(std::string_view, std::string_view, Answer preferred) override { return preferred; }
  void ShowMessage(std::string_view text, std::string_view, MessageKind) override {
    std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
  }
  void SetStatus(std::string_view) override {}
  void ProcessEvents() override {}
  bool Running() const override { return true; }
};

AppOptions FactoryOptions() {
  AppOptions options{};
  SetFactoryDefaults(options, FactoryContext{});
  return options;
}

DupSearchSettings BenchSettings(PairEngine engine, int percent = 80) {
  DupSearchSettings settings = DupSearchSettingsOf(FactoryOptions(), FieldStyle{});
  settings.Match.MatchPercent = static_cast<std::uint8_t>(percent);
  settings.Match.PartThreshold = PartThreshold(settings.Match.MatchPercent);
  settings.MatchAction = 0;
  settings.Engine = engine;
  return settings;
}

struct DupFigures {
  double Seconds;
  double Cpu;
  DeletionMarks Marks;
  std::uint32_t Matches;
};

// `namesOnly`: no limits on size and time, for the comparison script that matches names alone.
DupFigures RunDups(const EntryList& list, PairEngine engine, int percent = 80, bool namesOnly = false) {
  DupSearchState state;
  DupFigures figures;
  NoQuestions none;
  auto start = std::chrono::steady_clock::now();
  double cpu = CpuSeconds();
  DupSearchSettings settings = BenchSettings(engine, percent);
  if (namesOnly) settings.Limits = PairLimits{};
  RunDupSearch(list, settings, state, figures.Marks, none);
  figures.Seconds = Seconds(start);
  figures.Cpu = CpuSeconds() - cpu;
  figures.Matches = state.MatchesFound;
  return figures;
}

std::uint32_t Marked(const DeletionMarks& marks) {
  std::uint32_t count = 0;
  for (std::uint8_t mark : marks) count += mark == 0 ? 1 : 0;
  return count;
}

struct CompareFigures {
  double Seconds;
  double Cpu;
  std::string Result;  // counts and marks, to tell two runs apart
};

CompareFigures RunCompare(const ListStore& current, const std::string& externalFile, int percent, PairEngine engine,
                          const std::string& out) {
  CompareSettings settings = CompareSettingsOf(FactoryOptions(), false, FieldStyle{});
  settings.Match.MatchPercent = static_cast<std::uint8_t>(percent);
  settings.Match.PartThreshold = PartThreshold(settings.Match.MatchPercent);
  settings.MatchAction = 0;
  settings.Action = 7;
  settings.TextList = false;
  settings.ListFile = externalFile;
  settings.SaveFile = out;
  settings.Engine = engine;
  CompareState state;
  CompareMarks marks;
  EntryList external;
  NoQuestions none;
  QuietCaller caller;
  auto start = std::chrono::steady_clock::now();
  double cpu = CpuSeconds();
  CompareEnd end = RunComparison(current, external, settings, state, marks, none, caller);
  CompareFigures figures{Seconds(start), CpuSeconds() - cpu, ""};
  figures.Result = std::to_string(static_cast<int>(end)) + " " + std::to_string(state.MatchCount.load()) + " " +
                   std::to_string(state.UniqueCount.load()) + " ";
  for (std::uint8_t mark : marks) figures.Result += static_cast<char>('0' + mark);
  return figures;
}

struct Mix {
  const char* Name;
  testing::NameMix Names;
};

std::vector<ListEntry> MixEntries(const Mix& mix, std::size_t count, std::uint32_t seed) {
  testing::NameGenerator names(seed);
  return names.Entries(count, mix.Names);
}

// One child process per run; false when the child reports different results.
template <typename Run>
bool InChild(Run run) {
  std::fflush(stdout);
  pid_t child = fork();
  if (child == 0) {
    bool same = run();
    std::fflush(stdout);
    _exit(same ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool DupRuns(const Mix& mix, int percent, std::size_t titles, std::size_t sample) {
  EntryList list;
  {
    // One copy of the list only: the peak is the search's.
    std::vector<ListEntry> entries = MixEntries(mix, titles, 2026);
    for (const ListEntry& e : entries) list.AppendEntry(e);
  }
  DupFigures fast = RunDups(list, PairEngine::Fast, percent);
  const long peak = PeakMegabytes();
  EntryList part;
  for (std::size_t i = 0; i < sample && i < titles; ++i) part.AppendEntry(list.Entry(static_cast<std::uint32_t>(i)));
  DupFigures fastSample = RunDups(part, PairEngine::Fast, percent);
  DupFigures reference = RunDups(part, PairEngine::Reference, percent);
  const bool same = fastSample.Marks == reference.Marks && fastSample.Matches == reference.Matches;
  const double scale = static_cast<double>(titles) / static_cast<double>(part.ItemCount());
  const double estimate = reference.Seconds * scale * scale;
  std::printf(
      "%s, duplicates %d %%: fast %.2f s (cpu %.2f), %u matches, %u marked, peak %ld MB; plain loop on %u: "
      "%.2f s, estimate %.0f s (%.0fx); sample marks %s\n",
      mix.Name, percent, fast.Seconds, fast.Cpu, fast.Matches, Marked(fast.Marks), peak, part.ItemCount(),
      reference.Seconds, estimate, estimate / std::max(fast.Seconds, 1e-6), same ? "identical" : "DIFFERENT");
  return same;
}

// Two lists of `compared` titles, alternate entries of one list of the mix, whose planted
// near-duplicates fall on either side.
bool CompareRuns(const Mix& mix, int percent, std::size_t compared, std::size_t sample, const std::string& folder) {
  testing::NameMix names = mix.Names;
  names.NearDuplicates = 0.3;
  std::vector<ListEntry> both = MixEntries({mix.Name, names}, compared * 2, 7);
  auto split = [&both](std::size_t count, ListStore& current, const std::string& file) {
    EntryList external;
    for (std::size_t i = 0; i < count * 2 && i < both.size(); ++i) {
      if (i % 2 == 0) current.AppendEntry(both[i]);
      else external.AppendEntry(both[i]);
    }
    (void)WriteListFile(file, external, kNoSortOrder);
  };
  ListStore current;
  split(compared, current, folder + "/external.ordl");
  CompareFigures fast = RunCompare(current, folder + "/external.ordl", percent, PairEngine::Fast, folder + "/out.txt");
  const long peak = PeakMegabytes();
  ListStore currentSample;
  split(sample, currentSample, folder + "/sample.ordl");
  CompareFigures fastSample =
      RunCompare(currentSample, folder + "/sample.ordl", percent, PairEngine::Fast, folder + "/out.txt");
  CompareFigures reference =
      RunCompare(currentSample, folder + "/sample.ordl", percent, PairEngine::Reference, folder + "/out.txt");
  const bool same = fastSample.Result == reference.Result;
  const double scale = static_cast<double>(compared) / static_cast<double>(currentSample.Working().ItemCount());
  const double estimate = reference.Seconds * scale * scale;
  std::printf(
      "%s, comparison %d %% action 7: fast %.2f s (cpu %.2f), %s matches, peak %ld MB; plain loop on %u x %u: "
      "%.2f s, estimate %.0f s (%.0fx); sample marks %s\n",
      mix.Name, percent, fast.Seconds, fast.Cpu, fast.Result.substr(2, fast.Result.find(' ', 2) - 2).c_str(), peak,
      currentSample.Working().ItemCount(), currentSample.Working().ItemCount(), reference.Seconds, estimate,
      estimate / std::max(fast.Seconds, 1e-6), same ? "identical" : "DIFFERENT");
  return same;
}

}  // namespace
}  // namespace ordonna

int main(int argc, char** argv) {
  using namespace ordonna;
  if (argc == 4 && std::string(argv[1]) == "--names") {
    testing::NameGenerator names(2026);
    EntryList list;
    std::ofstream out(argv[2], std::ios::binary);
    for (const ListEntry& e : names.Entries(std::strtoul(argv[3], nullptr, 10), testing::NameMix{})) {
      list.AppendEntry(e);
      out << e.FileName.View() << '\n';
    }
    DupFigures fast = RunDups(list, PairEngine::Fast, 80, true);
    std::printf("ordonna fast engine: %.3f s, %u entries marked\n", fast.Seconds, Marked(fast.Marks));
    return 0;
  }
  const std::size_t titles = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 262144;
  const std::size_t sample = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 10000;
  const std::size_t compared = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 100000;
  const std::string only = argc > 4 ? argv[4] : "";

  Mix mixes[3] = {{"(a) varied", {}}, {"(b) 30 % Track NN", {}}, {"(c) 10 % repeated", {}}};
  auto chosen = [&only](const Mix& mix, const char* kind, int percent) {
    const std::string label = std::string(1, mix.Name[1]) + "-" + kind + "-" + std::to_string(percent);
    return label.find(only) != std::string::npos;
  };
  mixes[1].Names.Tracks = 0.3;
  mixes[2].Names.Repeated = 0.1;
  std::string folder = (std::filesystem::temp_directory_path() / "ordonna-bench-match").string();
  std::filesystem::create_directories(folder);
  std::printf(
      "%zu titles (comparison %zu x %zu), automatic, factory settings; plain loop estimate = its time on "
      "the sample x (size / sample) squared\n",
      titles, compared, compared);
  bool same = true;
  for (const Mix& mix : mixes) {
    for (int percent : {80, 99}) {
      if (chosen(mix, "dupes", percent)) same = InChild([&] { return DupRuns(mix, percent, titles, sample); }) && same;
    }
    for (int percent : {80, 99}) {
      if (chosen(mix, "compare", percent))
        same = InChild([&] { return CompareRuns(mix, percent, compared, sample, folder); }) && same;
    }
  }
  std::filesystem::remove_all(folder);
  return same ? 0 : 1;
}
