// What the export tests share: entries with known fields, options with every export choice
// spelled out, and a job over a list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/AppOptions.h"
#include "core/ListStore.h"
#include "export/ExportJob.h"
#include "support/ScriptedCaller.h"

namespace ordonna::testing {

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
