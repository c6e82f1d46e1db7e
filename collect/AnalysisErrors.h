// Why an MP3 analysis failed: one enumerator per cause and the fixed text shown for it.
// Code refers to the enumerators; only this table holds the words.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ordonna {

enum class AnalysisError : std::uint8_t {
  None,
  IoError,
  Id3v2TooLarge,
  UnknownLayer,
  Layer2,
  Layer1,
  Mpeg25,
  UnknownVersion,
  Mpeg2,
  InvalidBitrate,
  InvalidSamplingRate,
  VariableSamplingRate,
  VariableStereoMode,
  TooManyFrames,
  NoAudio,
};

inline constexpr std::array<std::string_view, 15> kAnalysisErrorText = {
    "",
    "I/O error reading the file",
    "Header (ID3v2) tag larger than 1 Mb.",
    "Unknown mpeg layer version.",
    "Seems like mp2, not mp3 file.",
    "Seems like mp1, not mp3 file.",
    "Mpeg version 2.5 not supported",
    "Unknown mpeg version",
    "Mpeg version 2 not supported",
    "Invalid bitrate detected",
    "Invalid sampling rate",
    "Can't process variable sampling rate files",
    "Can't process variable stereo mode files",
    "More than 256 kiloframes, not allowed",
    "Doesn't seem like a 32/44.1/48 KHz mp3 file",
};

// The text of `error`; empty for None.
constexpr std::string_view AnalysisErrorText(AnalysisError error) {
  return kAnalysisErrorText[static_cast<std::size_t>(error)];
}

}  // namespace ordonna
