// Identity, play time and the undetermined entry.
#include "core/ListEntry.h"

#include <cmath>

#include "core/Text.h"

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

std::string SameFileKey(std::string_view name, std::string_view folder, std::string_view label) {
  // The fields are kept apart so that no name and folder pair can run into another.
  std::string key = AsciiUpperCopy(name);
  key += '\0';
  key += AsciiUpperCopy(folder);
  key += '\0';
  key += AsciiUpperCopy(label);
  return key;
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
