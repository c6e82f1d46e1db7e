// The load and save commands over the format reader and writer.
#include "listfile/ListFileCommands.h"

#include <cstring>
#include <exception>
#include <new>
#include <stdexcept>
#include <string>

#include "config/ConfigFile.h"
#include "core/Sort.h"
#include "listfile/OrdlFileInput.h"
#include "listfile/OrdlFormat.h"
#include "listfile/OrdlMessages.h"
#include "listfile/OrdlReader.h"
#include "platform/OutputFile.h"

namespace ordonna {
namespace {

bool EndsWithOrdl(const std::string& name) {
  constexpr std::string_view kExtension = ".ordl";
  return name.size() >= kExtension.size() &&
         EqualIgnoringAsciiCase(std::string_view(name).substr(name.size() - kExtension.size()), kExtension);
}

std::string BaseName(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

class LoadRun {
 public:
  LoadRun(bool reportErrors, Caller& caller) : reportErrors_(reportErrors), caller_(caller) {}

  void Report(std::string_view text) {
    if (reportErrors_) caller_.ShowMessage(text, ordl_text::kWarningTitle, MessageKind::Warning);
  }

  // Opens `path`, or `path` + ".ordl"; the name that opened, or empty.
  std::string Open(const std::string& path, OrdlFileInput& source) {
    if (source.Open(path)) return path;
    if (!EndsWithOrdl(path) && source.Open(path + ".ordl")) return path + ".ordl";
    return {};
  }

  bool reportErrors() const { return reportErrors_; }
  Caller& caller() { return caller_; }

 private:
  bool reportErrors_;
  Caller& caller_;
};

std::string NoMemoryText(std::uint32_t count) {
  return std::string(ordl_text::kNoMemoryStart) + std::to_string(count) + std::string(ordl_text::kNoMemoryEnd);
}

// False when the memory for `count` entries cannot be had.
bool Reserve(EntryList& list, std::size_t count) {
  try {
    list.SetCapacity(count);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::length_error&) {
    return false;
  }
}

// Reads the whole file in one layout into `read`. A first pass counts the records, so the
// list is allocated once at its final size: a million entries then need their 564 MB once,
// not again for every growth step and a final trim.
OrdlContent ReadWhole(const std::string& path, OrdlLayout layout, std::uint32_t existing, EntryList& read) {
  OrdlFileInput counting;
  if (!counting.Open(path)) return {OrdlReadError::DiskError, 0, 0};
  OrdlContent counted = CountOrdl(counting, layout, existing);
  if (counted.Error != OrdlReadError::None) return counted;
  OrdlFileInput source;
  if (!source.Open(path)) return {OrdlReadError::DiskError, 0, 0};
  // A list larger than the memory fails here, before a byte of it is decoded.
  if (!Reserve(read, counted.Records)) return {OrdlReadError::OutOfMemory, 0, counted.Records};
  OrdlContent content = ReadOrdl(source, layout, read, existing);
  // The file changed between the two passes: take it as unreadable rather than guess.
  if (content.Error == OrdlReadError::None && content.Records != counted.Records)
    content.Error = OrdlReadError::DiskError;
  return content;
}

}  // namespace

LoadResult LoadListFile(const std::string& path, bool reportErrors, bool append, ListStore& list, Caller& caller,
                        const std::function<bool()>& confirmDiscard) {
  LoadResult result;
  LoadRun run(reportErrors, caller);
  caller.SetStatus(ordl_text::kLoading);
  try {
    OrdlFileInput probe;
    std::string opened = run.Open(path, probe);
    if (opened.empty()) {
      run.Report(ordl_text::kCantOpen);
      caller.SetStatus(ordl_text::kCantLoad);
      return result;
    }
    std::uint8_t signature[4];
    if (!probe.Read(signature, sizeof signature)) {
      run.Report(ordl_text::kDiskError);
      caller.SetStatus(ordl_text::kCantLoad);
      return result;
    }
    if (std::memcmp(signature, kOrdlSignature.data(), sizeof signature) != 0) {
      run.Report(ordl_text::kNotOrdonnaFile);
      caller.SetStatus(ordl_text::kCantLoad);
      return result;
    }
    if (!append && !confirmDiscard()) {
      result.Refused = true;
      caller.SetStatus(ordl_text::kCantLoad);
      return result;
    }

    const std::uint32_t existing = append ? list.ItemCount() : 0;
    EntryList read;
    OrdlContent content = ReadWhole(opened, OrdlLayout::Current, existing, read);
    if (content.Error == OrdlReadError::NeedsVersion4) {
      bool retry = !reportErrors ||
                   caller.AskYesNo(ordl_text::kTryVersion4, ordl_text::kTryVersion4Title, Answer::No) == Answer::Yes;
      if (!retry) {
        caller.SetStatus(ordl_text::kCantLoad);
        return result;
      }
      read.Clear();
      content = ReadWhole(opened, OrdlLayout::Version4, existing, read);
    }
    switch (content.Error) {
      case OrdlReadError::None: break;
      case OrdlReadError::TooLarge: run.Report(ordl_text::kTooLarge); break;
      case OrdlReadError::OutOfMemory: run.Report(NoMemoryText(content.Records)); break;
      case OrdlReadError::NotOrdonna: run.Report(ordl_text::kNotOrdonnaFile); break;
      default: run.Report(ordl_text::kDiskError); break;
    }
    if (content.Error != OrdlReadError::None) {
      caller.SetStatus(ordl_text::kCantLoad);
      return result;
    }

    if (append) {
      if (!Reserve(list.Working(), static_cast<std::size_t>(existing) + read.ItemCount())) {
        run.Report(NoMemoryText(read.ItemCount()));
        caller.SetStatus(ordl_text::kCantLoad);
        return result;
      }
      for (const ListEntry& entry : read.Entries()) list.AppendEntry(entry);
      list.Unsaved = true;
    } else {
      ClearList(list);
      list.Working() = std::move(read);
    }
    list.Working().Trim();
    list.SortState = content.SortState;
    list.SetListFileName(BaseName(opened));
    result.Count = static_cast<std::int32_t>(list.ItemCount() - existing);
    return result;
  } catch (const std::exception&) {
    run.Report(ordl_text::kUnknownLoadError);
    caller.SetStatus(ordl_text::kCantLoad);
    return result;
  }
}

void SortAfterAppend(ListStore& list, const AppOptions& options, std::uint8_t previousSortState,
                     std::uint8_t fileSortState) {
  switch (options.Dialog.AppendSort) {
    case 0:
    case 1: {
      std::uint8_t state = options.Dialog.AppendSort == 0 ? previousSortState : fileSortState;
      SortList(list.Working().Entries(), SortSettingsOf(state));
      list.SortState = state;
      break;
    }
    case 2:
      if (options.Main.SortList != 0) {
        SortSettings settings = SortSettingsOf(options);
        SortList(list.Working().Entries(), settings);
        list.SortState = SortStateOf(settings);
      } else {
        list.SortState = kNoSortOrder;
      }
      break;
    default: list.SortState = kNoSortOrder; break;
  }
}

std::string LoadedStatus(bool append, std::int32_t loaded, std::uint32_t total) {
  if (append) return "Loaded " + std::to_string(loaded) + ", total " + std::to_string(total) + " items.";
  return "Loaded " + std::to_string(total) + " items.";
}

std::string ListFileTarget(const std::string& chosenName, bool* extensionAdded) {
  bool add = !EndsWithOrdl(chosenName);
  if (extensionAdded != nullptr) *extensionAdded = add;
  return add ? chosenName + ".ordl" : chosenName;
}

Status WriteListFile(OutputSink& sink, const EntryList& entries, std::uint8_t sortState) {
  std::string block(kOrdlSignature.begin(), kOrdlSignature.end());
  block.push_back(static_cast<char>(sortState));
  for (const ListEntry& entry : entries.Entries()) {
    AppendOrdlRecord(block, entry);
    if (block.size() >= (1 << 16)) {
      if (Status status = sink.Write(block); !status.ok()) return status;
      block.clear();
    }
  }
  return sink.Write(block);
}

Status WriteListFile(const std::string& path, const EntryList& entries, std::uint8_t sortState) {
  return WriteFileWith(path, [&](OutputSink& sink) { return WriteListFile(sink, entries, sortState); });
}

Status SaveListFile(const std::string& path, ListStore& list, AppOptions& options) {
  Status status = WriteListFile(path, list.Working(), list.SortState);
  if (!status.ok()) return status;
  list.Unsaved = false;
  list.SetListFileName(BaseName(path));
  options.Dialog.LastSavedList.Set(path);
  return status;
}

}  // namespace ordonna
