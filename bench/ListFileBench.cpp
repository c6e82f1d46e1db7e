// Saving and loading a list file of 1,000,000 entries, and the memory the loaded list takes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "core/ListStore.h"
#include "listfile/ListFileCommands.h"

namespace ordonna {
namespace {

constexpr int kEntries = 1000000;

// The caller of a load nobody watches.
class SilentCaller final : public Caller {
 public:
  Answer AskYesNo(std::string_view, std::string_view, Answer preferred) override { return preferred; }
  Answer AskYesNoCancel(std::string_view, std::string_view, Answer preferred) override { return preferred; }
  void ShowMessage(std::string_view, std::string_view, MessageKind) override {}
  void SetStatus(std::string_view) override {}
  void ProcessEvents() override {}
  bool Running() const override { return true; }
};

const EntryList& MillionEntries() {
  static const EntryList list = [] {
    EntryList made;
    std::mt19937 random(11);
    made.SetCapacity(kEntries);
    for (int i = 0; i < kEntries; ++i) {
      ListEntry e = UndeterminedEntry();
      e.FileName.Set("Artist " + std::to_string(random() % 5000) + " - Title " + std::to_string(i));
      e.Folder.Set("/media/music/Artist " + std::to_string(random() % 5000) + "/Album " +
                   std::to_string(random() % 20));
      e.VolumeLabel.Set("MUSIC" + std::to_string(random() % 12));
      e.BitrateCode = 9;
      e.SizeKB = 4000;
      e.Frames = 9000;
      e.FrequencyCode = 0;
      made.AppendEntry(e);
    }
    return made;
  }();
  return list;
}

std::string BenchPath() { return (std::filesystem::temp_directory_path() / "ordonna-bench-million.ordl").string(); }

void BM_SaveMillionEntries(benchmark::State& state) {
  const EntryList& list = MillionEntries();
  for (auto _ : state) {
    if (!WriteListFile(BenchPath(), list, 0).ok()) state.SkipWithError("write failed");
  }
  state.counters["MB"] = static_cast<double>(std::filesystem::file_size(BenchPath())) / 1e6;
}

void BM_LoadMillionEntries(benchmark::State& state) {
  if (!std::filesystem::exists(BenchPath()) && !WriteListFile(BenchPath(), MillionEntries(), 0).ok()) {
    state.SkipWithError("write failed");
    return;
  }
  SilentCaller caller;
  for (auto _ : state) {
    ListStore store;
    if (LoadListFile(BenchPath(), true, false, store, caller, [] { return true; }).Count != kEntries) {
      state.SkipWithError("load failed");
    }
  }
}

BENCHMARK(BM_SaveMillionEntries)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LoadMillionEntries)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace ordonna

BENCHMARK_MAIN();
