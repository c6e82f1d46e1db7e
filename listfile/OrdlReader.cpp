// The record decoder for both layouts.
#include "listfile/OrdlReader.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace ordonna {
namespace {

// Version 4 files count play time in seconds at 44.1 kHz.
constexpr double kV4SecondsPerFrame = 0.0261224489795918;

template <std::size_t N>
bool ReadString(OrdlInput& source, FixedString<N>& field, std::uint8_t length) {
  char text[255];
  if (!source.Read(text, length)) return false;
  field.Set({text, length});
  return true;
}

std::int32_t Int32At(const std::uint8_t* p) {
  std::int32_t value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

std::int32_t FramesFromSeconds(std::int32_t seconds) {
  double frames = std::nearbyint(seconds / kV4SecondsPerFrame);
  if (!(frames >= std::numeric_limits<std::int32_t>::min() && frames <= std::numeric_limits<std::int32_t>::max())) {
    return kNumberUnknown;
  }
  return static_cast<std::int32_t>(frames);
}

enum class RecordResult { Read, End, Error, LongLabel };

RecordResult ReadRecord(OrdlInput& source, OrdlLayout layout, ListEntry& entry) {
  if (source.AtEnd()) return RecordResult::End;
  std::uint8_t length;
  if (!source.Read(&length, 1) || !ReadString(source, entry.FileName, length)) return RecordResult::Error;
  if (!source.Read(&length, 1) || !ReadString(source, entry.Folder, length)) return RecordResult::Error;
  if (!source.Read(&length, 1)) return RecordResult::Error;
  if (length > kLabelCapacity && layout == OrdlLayout::Current) return RecordResult::LongLabel;
  // A longer version 4 label keeps what fits; the rest is read and dropped.
  if (!ReadString(source, entry.VolumeLabel, length)) return RecordResult::Error;

  auto* image = reinterpret_cast<std::uint8_t*>(&entry);
  if (layout == OrdlLayout::Current) {
    return source.Read(image + kOrdlTailOffset, kOrdlTailSize) ? RecordResult::Read : RecordResult::Error;
  }
  std::uint8_t tail[kOrdlV4TailSize];
  if (!source.Read(tail, sizeof tail)) return RecordResult::Error;
  entry.BitrateCode = tail[0];
  entry.SizeKB = Int32At(tail + 1);
  entry.Frames = FramesFromSeconds(Int32At(tail + 5));
  entry.StereoMode = tail[9];
  entry.FrequencyCode = 0;
  entry.FileDate = Int32At(tail + 10);
  entry.DateAdded = Int32At(tail + 14);
  return RecordResult::Read;
}

}  // namespace

bool OrdlMemoryInput::Read(void* data, std::size_t size) {
  if (size > bytes_.size()) return false;
  if (size != 0) std::memcpy(data, bytes_.data(), size);
  bytes_ = bytes_.subspan(size);
  return true;
}

namespace {

// Reads the header and every record, handing each entry to `keep`.
template <typename Keep>
OrdlContent ReadRecords(OrdlInput& source, OrdlLayout layout, std::uint32_t existingCount, Keep keep) {
  OrdlContent content;
  std::uint8_t signature[kOrdlSignature.size()];
  if (!source.Read(signature, sizeof signature)) {
    content.Error = OrdlReadError::DiskError;
    return content;
  }
  if (std::memcmp(signature, kOrdlSignature.data(), sizeof signature) != 0) {
    content.Error = OrdlReadError::NotOrdonna;
    return content;
  }
  if (!source.Read(&content.SortState, 1)) {
    content.Error = OrdlReadError::DiskError;
    return content;
  }
  ListEntry entry{};
  for (;;) {
    RecordResult result = ReadRecord(source, layout, entry);
    if (result == RecordResult::End) break;
    if (result == RecordResult::Error) {
      content.Error = OrdlReadError::DiskError;
      return content;
    }
    if (result == RecordResult::LongLabel) {
      content.Error = OrdlReadError::NeedsVersion4;
      return content;
    }
    if (static_cast<std::uint64_t>(existingCount) + content.Records + 1 >
        static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
      content.Error = OrdlReadError::TooLarge;
      return content;
    }
    ++content.Records;
    keep(entry);
  }
  // A list file holds at least one record.
  if (content.Records == 0) content.Error = OrdlReadError::DiskError;
  return content;
}

}  // namespace

OrdlContent ReadOrdl(OrdlInput& source, OrdlLayout layout, EntryList& into, std::uint32_t existingCount) {
  return ReadRecords(source, layout, existingCount, [&into](const ListEntry& entry) { into.AppendEntry(entry); });
}

OrdlContent CountOrdl(OrdlInput& source, OrdlLayout layout, std::uint32_t existingCount) {
  return ReadRecords(source, layout, existingCount, [](const ListEntry&) {});
}

}  // namespace ordonna
