// Settings window rules.
#include "match/CompareSetup.h"

#include "core/Text.h"
#include "match/CompareTexts.h"
#include "platform/FileSystem.h"

namespace ordonna {
namespace {

bool EndsWith(const std::string& name, std::string_view extension) {
  return !extension.empty() && name.size() >= extension.size() &&
         EqualIgnoringAsciiCase(std::string_view(name).substr(name.size() - extension.size()), extension);
}

void RepairShared(DialogOptions& dialog) {
  if (dialog.MatchPercent < 50 || dialog.MatchPercent > 100) dialog.MatchPercent = 99;
  if (dialog.ThreadPriority != 0 && dialog.ThreadPriority != 2) dialog.ThreadPriority = 1;
  std::uint16_t time = dialog.TimeDiffSec;
  if (time > 99) dialog.TimeDiffSec = 20;
  std::uint16_t size = dialog.SizeDiffKB;
  if (size > 9999) dialog.SizeDiffKB = 400;
}

}  // namespace

void RepairCompareSettings(DialogOptions& dialog) {
  dialog.CompareWith = dialog.CompareWith & 1;
  dialog.CompareAction = static_cast<std::uint8_t>(dialog.CompareAction % kCompareActionCount);
  dialog.MatchAction = static_cast<std::uint8_t>(dialog.MatchAction % 3);
  RepairShared(dialog);
}

void RepairDuplicateSettings(DialogOptions& dialog) { RepairShared(dialog); }

std::string_view RelaxedSwitch::Set(bool relaxed) {
  relaxed_ = relaxed;
  if (relaxed != textList_ && !noticeShown_) {
    noticeShown_ = true;
    return kRelaxedNotice;
  }
  return {};
}

std::string CompleteInputName(const std::string& chosen, bool textList) {
  std::string_view extension = textList ? ".txt" : ".ordl";
  if (!IsRegularFile(chosen) && !EndsWith(chosen, extension)) return chosen + std::string(extension);
  return chosen;
}

bool InputValid(const std::string& path, bool textList) {
  return IsRegularFile(path) && (textList || EndsWith(path, ".ordl"));
}

std::string_view OutputExtension(std::uint8_t action, int filterIndex) {
  if (WritesNewList(action)) return ".ordl";
  if (filterIndex == 1) return ".txt";
  if (filterIndex == 2) return ".log";
  return {};
}

std::string CompleteOutputName(const std::string& chosen, std::string_view extension) {
  return extension.empty() || EndsWith(chosen, extension) ? chosen : chosen + std::string(extension);
}

FileState OutputState(const std::string& path, std::uint8_t action) {
  if (path.empty() || RemovesFromCurrent(action)) return FileState::Invalid;
  if (EndsWith(path, ".ordl") != WritesNewList(action)) return FileState::Invalid;
  return IsRegularFile(path) ? FileState::Replaces : FileState::New;
}

bool GoEnabled(bool inputValid, FileState output, std::uint8_t action) {
  return inputValid && (RemovesFromCurrent(action) || output != FileState::Invalid);
}

}  // namespace ordonna
