// The deletion log.
#include "match/DupLog.h"

#include <vector>

#include "core/Text.h"
#include "platform/FileSystem.h"

namespace ordonna {

DupLogTarget DupLogTargetOf(const std::string& chosen, bool firstFilterSelected) {
  constexpr std::string_view kTxt = ".txt";
  bool endsTxt = chosen.size() >= kTxt.size() &&
                 EqualIgnoringAsciiCase(std::string_view(chosen).substr(chosen.size() - kTxt.size()), kTxt);
  if (!endsTxt && firstFilterSelected) return {chosen + std::string(kTxt), true};
  return {chosen, false};
}

std::optional<std::string> RememberedFolder(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return std::nullopt;
  std::string folder = slash == 0 ? std::string("/") : path.substr(0, slash);
  if (folder.size() >= 256) return std::nullopt;
  return folder;
}

std::string ReplaceQuestion(const std::string& path) { return path + " already exists.\r\nDo you want to replace it?"; }

Status WriteDupLog(const std::string& path, const EntryList& list, const DeletionMarks& marks, std::uint32_t toDelete,
                   const FieldStyle& style, const LogStamp& stamp) {
  std::vector<std::string> lines;
  for (std::uint32_t i = 0; i < list.ItemCount() && i < marks.size(); ++i) {
    if (marks[i] == 0) lines.push_back(LogEntryLine(list.Entry(i), LogFields::ErrorInfoRule, style));
  }
  return WriteLogFile(path, "Ordonna duplicates search log at ", stamp,
                      std::to_string(toDelete) + " duplicates found:", lines);
}

DupLogSaved SaveDupLog(const std::string& chosen, bool firstFilterSelected, const DupSearchState& state,
                       const EntryList& list, const DeletionMarks& marks, const FieldStyle& style,
                       const LogStamp& stamp, AppOptions& options, Caller& caller) {
  DupLogSaved saved;
  if (state.Log.Size() == 0) {
    caller.ShowMessage(kNothingToSave, "Warning", MessageKind::Warning);
    return saved;
  }
  DupLogTarget target = DupLogTargetOf(chosen, firstFilterSelected);
  saved.LogPath = "\"" + target.Path + "\"";
  if (auto folder = RememberedFolder(target.Path)) options.Dialog.DupLogFolder.Set(*folder);
  // The dialog asked already unless the name was changed after it.
  if (target.TxtAppended && PathExists(target.Path)) {
    if (caller.AskYesNo(ReplaceQuestion(target.Path), kWriteLogTitle, Answer::No) != Answer::Yes) return saved;
  }
  if (!WriteDupLog(target.Path, list, marks, state.ToDelete, style, stamp).ok()) {
    caller.ShowMessage(kDupLogDiskError, "Warning", MessageKind::Warning);
    return saved;
  }
  saved.Saved = true;
  return saved;
}

}  // namespace ordonna
