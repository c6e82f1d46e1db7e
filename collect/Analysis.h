// The analysis of one MP3 file: skip the tags around the audio, walk the MPEG frames and
// report what a list entry needs. Works on any ByteSource, so memory and files analyse alike.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "collect/AnalysisErrors.h"
#include "collect/ByteSource.h"
#include "core/ListEntry.h"

namespace ordonna {

// Fast stops after 200 frames (using a VBR header's count or an estimate from the last
// frame sync); Slow counts every frame.
enum class ProcessingMode : std::uint8_t { Fast = 0, Slow = 1 };

// The most frames a file may have.
inline constexpr std::int32_t kMaxFrames = 262143;

struct AnalysisResult {
  AnalysisError Error = AnalysisError::None;
  std::int64_t FileSizeBytes = kNumberUnknown;  // -1 when the file could not be opened
  std::int32_t SizeKB = kNumberUnknown;         // from FileSizeBytes
  // On failure the three codes below are "not determined" and Frames is the count of a
  // VBR header read before the failure, else 0.
  std::uint8_t BitrateCode = kBitrateUnknown;
  std::int32_t Frames = 0;
  std::uint8_t StereoMode = kStereoUnknown;
  std::uint8_t FrequencyCode = kFrequencyUnknown;

  bool Ok() const { return Error == AnalysisError::None; }
  std::string_view ErrorText() const { return AnalysisErrorText(Error); }
  bool operator==(const AnalysisResult&) const = default;
};

// Kilobytes of a byte size: bytes / 1,024 to the nearest integer, halves to even.
std::int32_t SizeKBFromBytes(std::int64_t bytes);

// Analyses the file behind `source`. Never writes; reads past the end of the file see zeros.
AnalysisResult AnalyzeSource(ByteSource& source, ProcessingMode mode);

// Analyses a file held in memory.
AnalysisResult AnalyzeMemory(std::span<const std::uint8_t> file, ProcessingMode mode);

}  // namespace ordonna
