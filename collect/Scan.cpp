// The scan: folder collection, the file step, and the ends of a finished or cancelled scan.
#include "collect/Scan.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <unordered_map>
#include <utility>
#include <vector>

#include "collect/ScanMessages.h"
#include "core/DayNumber.h"
#include "core/Snapshot.h"
#include "core/Sort.h"
#include "core/Text.h"
#include "platform/FileSystem.h"

namespace ordonna {
namespace {

constexpr std::size_t kFolderLimit = 100000;
constexpr int kSummaryWidth = 264;

struct ScanFolder {
  std::string Path;
  std::vector<FolderItem> Files;
};

std::string JoinPath(const std::string& folder, const std::string& name) {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

std::string WithoutTrailingSlash(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

class Scanner {
 public:
  Scanner(const ScanRequest& request, ScanContext& context) : request_(request), c_(context) {}

  ScanOutcome Run();

 private:
  bool Prepare();
  void ScanVolume(const Volume& volume, const std::string& startFolder);
  bool CollectFolders(const std::string& start, std::uint64_t device);
  bool ListInto(ScanFolder& folder, std::uint64_t device, std::vector<ScanFolder>& subfolders);
  void FileStep(const ScanFolder& folder, const FolderItem& file, const std::string& label);
  void FinishNormally();
  void FinishCancelled();
  bool Stopped() { return cancelled_ || !c_.Ui.Running(); }
  void BuildIndex();
  std::int64_t FindExisting(const std::string& name, const std::string& folder, const std::string& label) const;

  const ScanRequest& request_;
  ScanContext& c_;
  ScanOutcome outcome_;

  std::vector<ScanFolder> folders_;
  std::uint32_t baseCount_ = 0;
  std::uint32_t processed_ = 0;
  std::uint32_t updated_ = 0;
  std::uint32_t ignored_ = 0;
  std::uint32_t tooLong_ = 0;  // of the ignored: paths the system cannot open
  bool cancelled_ = false;
  bool snapshotFailed_ = false;
  std::string snapshotPath_;
  std::uint8_t savedSortState_ = kNoSortOrder;
  bool savedUnsaved_ = false;
  // Entries updated in place by an APPEND, as they were before: a cancel puts them back.
  std::vector<std::pair<std::uint32_t, ListEntry>> originals_;
  std::unordered_map<std::string, std::uint32_t> existing_;
  std::int32_t today_ = TodayDayNumber();
};

ScanOutcome Scanner::Run() {
  if (!Prepare()) return outcome_;
  outcome_.Started = true;
  try {
    if (request_.AllDrives) {
      for (const Volume& volume : c_.Host.Volumes()) {
        if (Stopped()) break;
        std::vector<FolderItem> probe;
        // A volume that cannot be listed is skipped without a word.
        if (!c_.Host.ListFolder(volume.Root, volume.Device, true, ".mp3", probe)) continue;
        ScanVolume(volume, volume.Root);
      }
    } else {
      std::string start = WithoutTrailingSlash(request_.Folder);
      std::optional<Volume> volume = c_.Host.VolumeOf(start);
      std::vector<FolderItem> probe;
      if (!volume || !c_.Host.ListFolder(start, volume->Device, true, ".mp3", probe)) {
        c_.Ui.ShowMessage(scan_text::kDriveNotReady, scan_text::kDriveNotReadyTitle, MessageKind::Error);
        outcome_.NotReady = true;
      } else {
        ScanVolume(*volume, start);
      }
    }
  } catch (const std::bad_alloc&) {
    // Out of memory part-way: undo as a cancel does, so no half-built list remains.
    cancelled_ = true;
  }
  if (Stopped()) {
    FinishCancelled();
  } else {
    FinishNormally();
  }
  c_.List.SetListFileName({});
  c_.Ui.SetStatus(outcome_.Status);
  return outcome_;
}

bool Scanner::Prepare() {
  ListStore& list = c_.List;
  if (request_.Mode == ScanMode::Append) {
    std::optional<Volume> volume = request_.AllDrives ? std::nullopt : c_.Host.VolumeOf(request_.Folder);
    std::string folder = WithoutTrailingSlash(request_.Folder);
    if (!request_.AllDrives && volume && !c_.Memory.LastStartFolder.empty() &&
        EqualIgnoringAsciiCase(folder, c_.Memory.LastStartFolder) && volume->Serial == c_.Memory.LastSerial &&
        c_.Ui.AskYesNo(scan_text::kUnchangedQuestion, scan_text::kUnchangedTitle, Answer::No) != Answer::Yes) {
      return false;
    }
    snapshotPath_ = c_.Host.TempFolder() + "/" + std::string(temp_file::kScanSnapshot);
    snapshotFailed_ = !WriteSnapshotFile(snapshotPath_, list.Working().Entries()).ok();
  }
  savedSortState_ = list.SortState;
  savedUnsaved_ = list.Unsaved;
  if (request_.Mode == ScanMode::New) {
    if (!ConfirmDiscard(list, c_.Options.Main.AskSaveThreshold, c_.Ui)) return false;
    ClearList(list);
  }
  baseCount_ = list.ItemCount();
  list.Unsaved = true;
  if (request_.Mode == ScanMode::Append && c_.Options.Main.ExistingEntries != 0) BuildIndex();
  return true;
}

void Scanner::BuildIndex() {
  existing_.reserve(baseCount_);
  for (std::uint32_t i = 0; i < baseCount_; ++i) {
    const ListEntry& e = c_.List.Entry(i);
    // emplace keeps the first entry of a key, as the search in index order would find it.
    existing_.emplace(SameFileKey(e.FileName.View(), e.Folder.View(), e.VolumeLabel.View()), i);
  }
}

std::int64_t Scanner::FindExisting(const std::string& name, const std::string& folder, const std::string& label) const {
  if (existing_.empty()) return -1;
  auto it = existing_.find(SameFileKey(name, folder, label));
  return it == existing_.end() ? std::int64_t{-1} : std::int64_t{it->second};
}

void Scanner::ScanVolume(const Volume& volume, const std::string& startFolder) {
  c_.Memory.LastStartFolder = startFolder;
  c_.Ui.SetStatus(std::string(scan_text::kProcessingDrive) + volume.Root + std::string(scan_text::kProcessingDriveEnd));
  c_.Memory.LastSerial = volume.Serial;
  folders_.clear();
  bool subfolders = request_.IncludeSubfolders || request_.AllDrives;
  if (subfolders) {
    if (!CollectFolders(startFolder, volume.Device)) return;
  } else {
    folders_.push_back({startFolder, {}});
    std::vector<ScanFolder> ignored;
    ListInto(folders_.back(), volume.Device, ignored);
  }
  for (const ScanFolder& folder : folders_) {
    for (const FolderItem& file : folder.Files) {
      c_.Ui.ProcessEvents();
      if (Stopped()) return;
      FileStep(folder, file, volume.Label);
    }
  }
  folders_.clear();
}

// Lists a folder once: its files are kept for the file step, its subfolders returned.
bool Scanner::ListInto(ScanFolder& folder, std::uint64_t device, std::vector<ScanFolder>& subfolders) {
  std::vector<FolderItem> items;
  bool hidden = c_.Options.Main.IncludeHiddenSystem != 0;
  if (!c_.Host.ListFolder(folder.Path, device, hidden, ".mp3", items)) return false;
  // Listing order is the file system's; names in byte order make scans repeatable.
  std::sort(items.begin(), items.end(), [](const FolderItem& a, const FolderItem& b) { return a.Name < b.Name; });
  for (FolderItem& item : items) {
    if (item.IsFolder) {
      subfolders.push_back({JoinPath(folder.Path, item.Name), {}});
    } else {
      folder.Files.push_back(std::move(item));
    }
  }
  return true;
}

// A folder's subfolders are all listed before the first of them is expanded; each is then
// expanded in turn, depth first. The stack holds the ranges still to expand.
bool Scanner::CollectFolders(const std::string& start, std::uint64_t device) {
  folders_.push_back({start, {}});
  std::vector<std::pair<std::size_t, std::size_t>> pending = {{0, 1}};
  while (!pending.empty()) {
    auto& [next, end] = pending.back();
    if (next == end) {
      pending.pop_back();
      continue;
    }
    std::size_t index = next++;
    c_.Ui.ProcessEvents();
    if (Stopped()) return false;
    std::vector<ScanFolder> subfolders;
    ListInto(folders_[index], device, subfolders);
    std::size_t first = folders_.size();
    for (ScanFolder& sub : subfolders) {
      if (folders_.size() >= kFolderLimit) {
        c_.Ui.ShowMessage(scan_text::kTooManyFolders, scan_text::kTooManyFoldersTitle, MessageKind::Error);
        cancelled_ = true;
        return false;
      }
      folders_.push_back(std::move(sub));
    }
    if (folders_.size() > first) pending.emplace_back(first, folders_.size());
  }
  return true;
}

void Scanner::FileStep(const ScanFolder& folder, const FolderItem& file, const std::string& label) {
  const AppOptions& options = c_.Options;
  if (file.Size < static_cast<std::int64_t>(options.Main.MinSizeKB) * 1024) return;
  if (options.Main.MaxSizeMB < 2048 && file.Size > static_cast<std::int64_t>(options.Main.MaxSizeMB) * 1048576) return;

  ListEntry entry = UndeterminedEntry();
  // Control bytes are stored as "?"; the file itself is still read by its real path.
  entry.FileName.Set(MaskControlBytes(std::string_view(file.Name).substr(0, file.Name.size() - 4)));
  entry.Folder.Set(MaskControlBytes(folder.Path));
  entry.VolumeLabel.Set(MaskControlBytes(label));
  entry.FileDate = LocalDayNumber(static_cast<std::time_t>(file.ModifiedTime)).value_or(kNumberUnknown);

  std::int64_t found = -1;
  if (request_.Mode == ScanMode::Append && options.Main.ExistingEntries != 0 && baseCount_ > 0 &&
      file.Name.size() < 256) {
    found = FindExisting(std::string(entry.FileName.View()), std::string(entry.Folder.View()),
                         std::string(entry.VolumeLabel.View()));
  }
  if (found >= 0 && options.Main.ExistingEntries == 3) {
    ++ignored_;
    ++processed_;
    return;
  }

  const std::string path = JoinPath(folder.Path, file.Name);
  if (path.size() > kLongestOpenablePath) {
    ++ignored_;
    ++tooLong_;
    ++processed_;
    return;
  }
  const auto mode = options.Main.SlowProcessing != 0 ? ProcessingMode::Slow : ProcessingMode::Fast;
  AnalysisResult result = c_.Analyzer.AnalyzeFile(path, mode, c_.Ui);
  if (!result.Ok()) {
    switch (options.Main.ErrorAction) {
      case 0: return;
      case 2: break;
      default: {
        std::string question = std::string(scan_text::kFileError) + path + std::string(scan_text::kFileErrorMessage) +
                               std::string(result.ErrorText()) + std::string(scan_text::kIncludeFile);
        Answer answer = c_.Ui.AskYesNoCancel(question, scan_text::kFailureTitle, Answer::Yes);
        if (answer == Answer::Cancel) cancelled_ = true;
        if (answer != Answer::Yes) return;
      }
    }
  }
  entry.BitrateCode = result.BitrateCode;
  entry.SizeKB = result.SizeKB;
  entry.Frames = result.Frames;
  entry.StereoMode = result.StereoMode;
  entry.FrequencyCode = result.FrequencyCode;
  entry.DateAdded = today_;

  if (found >= 0) {
    ListEntry& existing = c_.List.Entry(static_cast<std::uint32_t>(found));
    if (options.Main.ExistingEntries == 1 && existing.StereoMode == entry.StereoMode &&
        existing.BitrateCode == entry.BitrateCode && existing.FrequencyCode == entry.FrequencyCode &&
        std::abs(static_cast<std::int64_t>(existing.Frames) - entry.Frames) < 3 &&
        std::abs(static_cast<std::int64_t>(existing.SizeKB) - entry.SizeKB) < 64 &&
        existing.FileDate == entry.FileDate) {
      ++ignored_;
      ++processed_;
      return;
    }
    originals_.emplace_back(static_cast<std::uint32_t>(found), existing);
    existing = entry;
    ++updated_;
    ++processed_;
    return;
  }
  c_.List.AppendEntry(entry);
  ++processed_;
}

void Scanner::FinishNormally() {
  ListStore& list = c_.List;
  list.Working().Trim();
  const MainOptions& main = c_.Options.Main;
  std::uint8_t state = kNoSortOrder;
  if (main.SortList != 0) {
    c_.Ui.SetStatus(scan_text::kSorting);
    SortSettings settings{main.SortField, main.SortDescending != 0, main.SortCaseSensitive != 0};
    SortList(list.Working().Entries(), settings);
    state = main.SortField;
  }
  if (main.SortDescending != 0) state = static_cast<std::uint8_t>(state + kSortDescendingBit);
  if (main.SortCaseSensitive != 0) state = static_cast<std::uint8_t>(state + kSortCaseSensitiveBit);
  list.SortState = state;
  outcome_.Status =
      FitSummary(ScanSummary(list.ItemCount() - baseCount_, processed_, updated_, ignored_, list.ItemCount(), tooLong_),
                 c_.MeasureWidth);
}

void Scanner::FinishCancelled() {
  outcome_.Cancelled = true;
  ListStore& list = c_.List;
  if (request_.Mode == ScanMode::New) {
    ClearList(list);
    outcome_.Status = std::string(scan_text::kCancelled);
    return;
  }
  list.SortState = savedSortState_;
  list.Unsaved = savedUnsaved_;
  // The list in memory is the first source: appended entries go, updated ones come back.
  bool restored = true;
  try {
    list.Working().SetCapacity(baseCount_);
    for (auto it = originals_.rbegin(); it != originals_.rend(); ++it) list.Entry(it->first) = it->second;
    list.Working().Trim();
  } catch (const std::exception&) {
    restored = false;
  }
  // The snapshot is the second source.
  if (!restored && (snapshotFailed_ || !ReadSnapshotFile(snapshotPath_, baseCount_, list.Working()).ok())) {
    ClearList(list);
    outcome_.Status = std::string(scan_text::kBackupError);
    return;
  }
  outcome_.Status = std::string(scan_text::kCancelled) + " " + std::to_string(list.ItemCount()) +
                    std::string(scan_text::kItemsInMemory);
}

}  // namespace

ScanOutcome StartScan(const ScanRequest& request, ScanContext& context) { return Scanner(request, context).Run(); }

std::string ScanSummary(std::uint32_t added, std::uint32_t processed, std::uint32_t updated, std::uint32_t ignored,
                        std::uint32_t itemCount, std::uint32_t tooLong) {
  std::string text;
  if (added > 0) {
    text += std::string(scan_text::kAdded) + std::to_string(added) + std::string(scan_text::kAddedOf) +
            std::to_string(processed) + ".";
  }
  if (updated > 0) text += std::string(scan_text::kUpdated) + std::to_string(updated) + ".";
  if (ignored > 0) {
    text += std::string(scan_text::kIgnored) + std::to_string(ignored);
    if (tooLong > 0) text += std::string(scan_text::kPathTooLong) + std::to_string(tooLong) + ")";
    text += ".";
  }
  if (text.empty()) {
    text = std::string(scan_text::kNothingFound);
    if (itemCount == 0) return text;
  }
  return text + std::string(scan_text::kTotal) + std::to_string(itemCount) + std::string(scan_text::kItems);
}

std::string FitSummary(std::string summary, const std::function<int(std::string_view)>& measureWidth) {
  if (!measureWidth || measureWidth(summary) <= kSummaryWidth || summary.size() < 7) return summary;
  summary.resize(summary.size() - 6);
  summary.back() = '.';
  return summary;
}

}  // namespace ordonna
