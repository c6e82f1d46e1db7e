// The external list readers.
#include "match/ExternalList.h"

#include <cstring>

#include "import/ForeignList.h"
#include "listfile/OrdlFileInput.h"
#include "listfile/OrdlFormat.h"
#include "match/CompareTexts.h"

namespace ordonna {
namespace {

enum class Record { Read, End, Error, Refused };

template <std::size_t N>
bool ReadText(OrdlInput& source, FixedString<N>& field, std::uint8_t length) {
  char text[255];
  if (!source.Read(text, length)) return false;
  field.Set({text, length});
  return true;
}

// One record of the current layout; a label longer than the format allows keeps its first
// 32 bytes once the user agreed to go on.
Record ReadRecord(OrdlInput& source, ListEntry& entry, bool& asked, Caller& caller) {
  if (source.AtEnd()) return Record::End;
  std::uint8_t length;
  if (!source.Read(&length, 1) || !ReadText(source, entry.FileName, length)) return Record::Error;
  if (!source.Read(&length, 1) || !ReadText(source, entry.Folder, length)) return Record::Error;
  if (!source.Read(&length, 1)) return Record::Error;
  if (length > kLabelCapacity && !asked) {
    asked = true;
    if (caller.AskYesNo(kExternalLabelQuestion, kExternalLabelTitle, Answer::No) != Answer::Yes) {
      return Record::Refused;
    }
  }
  if (!ReadText(source, entry.VolumeLabel, length)) return Record::Error;
  auto* image = reinterpret_cast<std::uint8_t*>(&entry);
  return source.Read(image + kOrdlTailOffset, kOrdlTailSize) ? Record::Read : Record::Error;
}

void Warn(Caller& caller, std::string_view text) { caller.ShowMessage(text, "Warning", MessageKind::Warning); }

}  // namespace

ExternalList LoadExternalOrdl(const std::string& path, EntryList& into, Caller& caller) {
  ExternalList result;
  into.Clear();
  OrdlFileInput source;
  if (!source.Open(path)) {
    Warn(caller, kCantOpenExternal);
    return result;
  }
  std::uint8_t signature[kOrdlSignature.size()];
  if (!source.Read(signature, sizeof signature) ||
      std::memcmp(signature, kOrdlSignature.data(), sizeof signature) != 0) {
    Warn(caller, kNotProperOrdl);
    return result;
  }
  if (!source.Read(&result.SortState, 1)) {
    Warn(caller, kExternalReadError);
    return result;
  }
  bool asked = false;
  for (std::uint32_t count = 0;; ++count) {
    if (count % 1024 == 0 && !caller.Running()) {
      into.Clear();
      return result;
    }
    ListEntry entry{};
    Record record = ReadRecord(source, entry, asked, caller);
    if (record == Record::End) break;
    if (record != Record::Read) {
      if (record == Record::Error) Warn(caller, kExternalReadError);
      into.Clear();
      return result;
    }
    into.AppendEntry(entry);
  }
  into.Trim();
  result.Ok = true;
  return result;
}

ExternalList LoadExternalText(const std::string& path, bool mircLines, EntryList& into, Caller& caller) {
  ForeignTextOptions options;
  options.Messages = kCompareForeignMessages;
  options.MircLines = mircLines;
  options.KeepSourceLine = true;
  ExternalList result;
  result.Ok = ImportForeignText(path, options, into, caller).Ok;
  return result;
}

}  // namespace ordonna
