// What the export tests share: entries with known fields, options with every export choice
// spelled out, sinks that keep or refuse bytes, and a job over them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/AppOptions.h"
#include "core/ListStore.h"
#include "export/ExportJob.h"
#include "support/ScriptedCaller.h"

namespace ordonna::testing {

// 05.04.2004 and the day after.
inline constexpr std::int32_t kFifthApril2004 = 38082;
inline constexpr std::int32_t kSixthApril2004 = 38083;

// "Artist - Title" in /music/a on DISK1: 128 kbps, 5250 KB, 3:45 (8,613 frames at 44.1 kHz),
// joint stereo, made 05.04.2004, added 06.04.2004.
ListEntry FullEntry(std::string_view name = "Artist - Title", std::string_view folder = "/music/a",
                    std::string_view label = "DISK1");
// "Band -Song" in /music/b without label, variable bitrate and every other field undetermined.
ListEntry SparseEntry(std::string_view name = "Band -Song", std::string_view folder = "/music/b");

// An entry's stored fields on one line: "name|folder|label|bitrate size frames stereo frequency
// date added", so that a test compares the whole record at once.
std::string Describe(const ListEntry& e);

// The texts of the messages `caller` showed, in order.
inline std::vector<std::string> MessageTexts(const ScriptedCaller& caller) {
  std::vector<std::string> texts;
  for (const auto& message : caller.messages) texts.push_back(message.Text);
  return texts;
}

// Options of a plain export: no info column, no enumeration, no files, delimiter 0, dates as
// dd.mm.yyyy., sizes with " K", question marks for undetermined values.
AppOptions PlainOptions();
// PlainOptions with every info column set.
AppOptions AllColumnsOptions();

// Limits the size of files this process writes while it lives, so that writes fail as on a
// full disk (the signal the kernel sends for it is ignored).
class ScopedFileSizeLimit {
 public:
  explicit ScopedFileSizeLimit(std::size_t bytes);
  ~ScopedFileSizeLimit();
  ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
  ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

 private:
  unsigned long long previous_;
};

// A list, its options and a scripted caller; Job() gathers them with a fixed locale date
// format ("%d/%m/%Y") and "Ready." as the status to restore.
struct ExportFixture {
  ListStore list;
  AppOptions options = PlainOptions();
  ScriptedCaller caller;

  ExportJob Job();
  void Add(const ListEntry& entry) { list.AppendEntry(entry); }
};

}  // namespace ordonna::testing
