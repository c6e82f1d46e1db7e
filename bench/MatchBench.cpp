// Duplicates search and list comparison figures on generated collections: the fast engine
// over 256K titles, the plain pair loop beside it on a 20K sample (with the marks checked
// identical), two 100K x 100K comparisons, and peak memory. Prints figures, asserts nothing
// but the identity of the results.
//   bench_match [TITLES] [SAMPLE] [COMPARE]
//   bench_match --names FILE TITLES   (writes the names, one per line, and times the fast
//                                      engine alone on them, for the comparison script)
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

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

// The benchmark's settings: threshold 80, letter check off, high characters on.
MatchSettings BenchMatch(bool relaxed) {
  MatchSettings match;
  match.MatchPercent = 80;
  match.PartThreshold = PartThreshold(80);
  match.LetterCheck = false;
  match.HighChars = true;
  match.Relaxed = relaxed;
  return match;
}

DupSearchSettings BenchSettings(PairEngine engine) {
  DupSearchSettings settings;
  settings.Match = BenchMatch(false);
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

DupFigures RunDups(const EntryList& list, PairEngine engine) {
  DupSearchState state;
  DupFigures figures;
  NoQuestions none;
  auto start = std::chrono::steady_clock::now();
  double cpu = CpuSeconds();
  RunDupSearch(list, BenchSettings(engine), state, figures.Marks, none);
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

void Compare(const char* what, const ListStore& current, const std::string& externalFile, bool textList,
             std::uint8_t action, const std::string& out) {
  CompareSettings settings;
  settings.Match = BenchMatch(textList);
  settings.MatchAction = 0;
  settings.Action = action;
  settings.TextList = textList;
  settings.ListFile = externalFile;
  settings.SaveFile = out;
  CompareState state;
  CompareMarks marks;
  EntryList external;
  NoQuestions none;
  QuietCaller caller;
  auto start = std::chrono::steady_clock::now();
  double cpu = CpuSeconds();
  CompareEnd end = RunComparison(current, external, settings, state, marks, none, caller);
  std::printf("%-52s %8.2f s  (cpu %.2f s) matches %u, unique %u%s\n", what, Seconds(start), CpuSeconds() - cpu,
              state.MatchCount.load(), state.UniqueCount.load(),
              end == CompareEnd::Finished ? "" : "  (did not finish)");
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
    DupFigures fast = RunDups(list, PairEngine::Fast);
    std::printf("ordonna fast engine: %.3f s, %u entries marked\n", fast.Seconds, Marked(fast.Marks));
    return 0;
  }
  const std::size_t titles = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 262144;
  const std::size_t sample = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 20000;
  const std::size_t compared = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 100000;

  testing::NameGenerator names(2026);
  testing::NameMix mix;  // about 4 % planted near-duplicates
  EntryList list;
  for (const ListEntry& e : names.Entries(titles, mix)) list.AppendEntry(e);
  std::printf("duplicates search, %zu titles, threshold 80, automatic, letter check off, high characters on\n", titles);
  DupFigures fast = RunDups(list, PairEngine::Fast);
  std::printf("%-52s %8.2f s  (cpu %.2f s) matches %u, marked %u, peak memory %ld MB\n", "fast engine, whole list",
              fast.Seconds, fast.Cpu, fast.Matches, Marked(fast.Marks), PeakMegabytes());

  EntryList part;
  for (std::size_t i = 0; i < sample && i < titles; ++i) part.AppendEntry(list.Entry(static_cast<std::uint32_t>(i)));
  DupFigures fastSample = RunDups(part, PairEngine::Fast);
  DupFigures reference = RunDups(part, PairEngine::Reference);
  bool same = fastSample.Marks == reference.Marks && fastSample.Matches == reference.Matches;
  std::printf("%-52s %8.2f s  (cpu %.2f s)\n",
              ("fast engine, first " + std::to_string(part.ItemCount()) + " titles").c_str(), fastSample.Seconds,
              fastSample.Cpu);
  std::printf("%-52s %8.2f s  (cpu %.2f s, %.0fx the fast engine) marks %s\n",
              ("pair loop, first " + std::to_string(part.ItemCount()) + " titles").c_str(), reference.Seconds,
              reference.Cpu, reference.Seconds / std::max(fastSample.Seconds, 1e-6), same ? "identical" : "DIFFERENT");

  // Two lists of `compared` titles, the second partly edited copies of the first.
  testing::NameGenerator more(7);
  testing::NameMix compareMix;
  compareMix.NearDuplicates = 0.3;
  std::vector<ListEntry> both = more.Entries(compared * 2, compareMix);
  ListStore current;
  EntryList external;
  for (std::size_t i = 0; i < both.size(); ++i) {
    if (i % 2 == 0) current.AppendEntry(both[i]);
    else external.AppendEntry(both[i]);
  }
  std::string folder = (std::filesystem::temp_directory_path() / "ordonna-bench-match").string();
  std::filesystem::create_directories(folder);
  (void)WriteListFile(folder + "/external.ordl", external, kNoSortOrder);
  {
    std::ofstream text(folder + "/external.txt", std::ios::binary);
    for (const ListEntry& e : external.Entries()) text << e.FileName.View() << ".mp3 3:45 128kbps 4.5MB\r\n";
  }
  std::printf("comparison, %zu x %zu titles, threshold 80, automatic\n", compared, compared);
  Compare("action 7, list file", current, folder + "/external.ordl", false, 7, folder + "/out7.txt");
  Compare("action 5, text list, relaxed matching", current, folder + "/external.txt", true, 5, folder + "/out5.txt");
  std::printf("peak memory %ld MB\n", PeakMegabytes());
  std::filesystem::remove_all(folder);
  return same ? 0 : 1;
}
