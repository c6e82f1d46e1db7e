// Sorting and snapshot figures for a collector's list of 200,000 entries, with std::sort
// over the same comparison printed beside the list's own quicksort.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/Snapshot.h"
#include "core/Sort.h"
#include "platform/FileSystem.h"

namespace ordonna {
namespace {

constexpr int kEntries = 200000;

std::vector<ListEntry> MakeList() {
  std::mt19937 random(7);
  const char* artists[] = {"Abba", "Beatles", "Cure", "Doors", "Eagles", "Faces", "Genesis", "Heart"};
  std::vector<ListEntry> list;
  list.reserve(kEntries);
  for (int i = 0; i < kEntries; ++i) {
    ListEntry e = UndeterminedEntry();
    std::string artist = artists[random() % 8];
    e.FileName.Set(artist + " - Track " + std::to_string(random() % 50000));
    e.Folder.Set("/music/" + artist + "/Album " + std::to_string(random() % 400));
    e.VolumeLabel.Set("DISK" + std::to_string(random() % 12));
    e.BitrateCode = static_cast<std::uint8_t>(9 + random() % 3);
    e.SizeKB = static_cast<std::int32_t>(3000 + random() % 6000);
    e.Frames = static_cast<std::int32_t>(5000 + random() % 10000);
    e.FrequencyCode = 0;
    list.push_back(e);
  }
  return list;
}

const std::vector<ListEntry>& SharedList() {
  static const std::vector<ListEntry> list = MakeList();
  return list;
}

void BM_SortList(benchmark::State& state) {
  SortSettings settings{static_cast<std::uint8_t>(state.range(0)), false, false};
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<ListEntry> list = SharedList();
    state.ResumeTiming();
    SortList(list, settings);
    benchmark::DoNotOptimize(list.data());
  }
  state.SetItemsProcessed(state.iterations() * kEntries);
}

void BM_StdSortSameComparison(benchmark::State& state) {
  SortSettings settings{static_cast<std::uint8_t>(state.range(0)), false, false};
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<ListEntry> list = SharedList();
    state.ResumeTiming();
    std::sort(list.begin(), list.end(),
              [&](const ListEntry& a, const ListEntry& b) { return EntryGreater(b, a, settings); });
    benchmark::DoNotOptimize(list.data());
  }
  state.SetItemsProcessed(state.iterations() * kEntries);
}

void BM_SnapshotWriteRead(benchmark::State& state) {
  std::string path = (std::filesystem::temp_directory_path() / "ordonna-bench-snapshot.tmp").string();
  const std::vector<ListEntry>& list = SharedList();
  for (auto _ : state) {
    if (!WriteSnapshotFile(path, list).ok()) state.SkipWithError("write failed");
    EntryList read;
    if (!ReadSnapshotFile(path, kEntries, read).ok()) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(read.Entries().data());
  }
  (void)RemoveFile(path);
  state.SetBytesProcessed(state.iterations() * 2 * static_cast<std::int64_t>(kEntries * sizeof(ListEntry)));
}

// Arguments: the sort field (0 file name, 2 bitrate with name ties, 7 path).
BENCHMARK(BM_SortList)->Arg(0)->Arg(2)->Arg(7)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StdSortSameComparison)->Arg(0)->Arg(2)->Arg(7)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SnapshotWriteRead)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ordonna

BENCHMARK_MAIN();
