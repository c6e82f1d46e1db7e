// Identity, play time and the undetermined entry.
#include "core/ListEntry.h"

#include <cmath>

namespace ordonna {

ListEntry UndeterminedEntry(const UndeterminedValues& values) {
  ListEntry entry{};
  entry.BitrateCode = kBitrateUnknown;
  entry.SizeKB = kNumberUnknown;
  entry.Frames = kNumberUnknown;
  entry.StereoMode = kStereoUnknown;
  entry.FrequencyCode = values.FrequencyCode;
  entry.FileDate = values.FileDate;
  entry.DateAdded = values.DateAdded;
  return entry;
}

bool SameFile(const ListEntry& a, const ListEntry& b) {
  return EqualIgnoringAsciiCase(a.FileName.View(), b.FileName.View()) &&
         EqualIgnoringAsciiCase(a.Folder.View(), b.Folder.View()) &&
         EqualIgnoringAsciiCase(a.VolumeLabel.View(), b.VolumeLabel.View());
}

double SecondsPerFrame(std::uint8_t frequencyCode) {
  switch (frequencyCode) {
    case 1: return 0.024;
    case 2: return 0.036;
    default: return 0.0261224489795918;
  }
}

std::int64_t PlayTimeSeconds(const ListEntry& entry) {
  // nearbyint rounds halves to even in the default rounding mode.
  return static_cast<std::int64_t>(std::nearbyint(entry.Frames * SecondsPerFrame(entry.FrequencyCode)));
}

}  // namespace ordonna
