// Finding the audio between leading and trailing tags.
#include "collect/TagSkipper.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <string_view>

namespace ordonna {
namespace {

using Bytes = std::span<const std::uint8_t>;

bool StartsWith(Bytes bytes, std::string_view text) {
  return bytes.size() >= text.size() && std::memcmp(bytes.data(), text.data(), text.size()) == 0;
}

// Moves `audioStart` past an ID3v2 tag that stands there; `found` tells whether one did.
AnalysisError SkipId3v2(ByteSource& source, std::int64_t& audioStart, bool& found) {
  Bytes head;
  if (!source.Fetch(audioStart, 10, head)) return AnalysisError::IoError;
  if (!StartsWith(head, "ID3")) return AnalysisError::None;
  // Bytes 6..9: the tag size without its 10-byte header, 7 bits per byte, most significant first.
  std::int64_t size = (head[6] & 0x7F) << 21 | (head[7] & 0x7F) << 14 | (head[8] & 0x7F) << 7 | (head[9] & 0x7F);
  size += 10;
  if (size > kMaxId3v2TagBytes) return AnalysisError::Id3v2TooLarge;
  audioStart += size;
  found = true;
  return AnalysisError::None;
}

// How far past "RIFF" the "data" chunk name is looked for.
constexpr std::int64_t kRiffSearchPositions = 516;

// Sets `foundAt` to the first position of `needle` wholly inside bytes [from, to) of the
// file, or -1. False on a read error.
bool FindText(ByteSource& source, std::int64_t from, std::int64_t to, std::string_view needle, std::int64_t& foundAt) {
  foundAt = -1;
  if (to - from < static_cast<std::int64_t>(needle.size())) return true;
  Bytes window;
  if (!source.Fetch(from, static_cast<std::size_t>(to - from), window)) return false;
  std::string_view text(reinterpret_cast<const char*>(window.data()), static_cast<std::size_t>(to - from));
  std::size_t at = text.find(needle);
  if (at != std::string_view::npos) foundAt = from + static_cast<std::int64_t>(at);
  return true;
}

}  // namespace

AnalysisError FindAudioStart(ByteSource& source, std::int64_t& audioStart) {
  bool id3Found = false;
  if (AnalysisError error = SkipId3v2(source, audioStart, id3Found); error != AnalysisError::None) return error;

  Bytes riff;
  if (!source.Fetch(audioStart, 4 + kRiffSearchPositions + 3, riff)) return AnalysisError::IoError;
  if (!StartsWith(riff, "RIFF")) return AnalysisError::None;
  for (std::int64_t i = 0; i < kRiffSearchPositions; ++i) {
    if (StartsWith(riff.subspan(static_cast<std::size_t>(4 + i)), "data")) {
      // Past the chunk name and its 4-byte length: the chunk's bytes are the MP3 stream,
      // which may carry its own ID3v2 tag.
      audioStart += 4 + i + 8;
      return id3Found ? AnalysisError::None : SkipId3v2(source, audioStart, id3Found);
    }
  }
  // No "data" chunk: the frame search starts where this search gave up.
  audioStart += 4 + kRiffSearchPositions;
  return AnalysisError::None;
}

std::optional<std::int64_t> FindAudioEnd(ByteSource& source) {
  const std::int64_t size = source.Size();

  // Lyrics3: an end marker right before the end of the file or before an ID3v1 tag, and
  // "LYRICSBEGIN" somewhere in the window that the block's version allows.
  std::int64_t lyricsStart = -1;
  for (std::int64_t markerBack : {9, 137}) {
    if (size <= markerBack) continue;
    std::int64_t markerPos = size - markerBack;
    Bytes marker;
    if (!source.Fetch(markerPos, 9, marker)) return std::nullopt;
    std::int64_t window = StartsWith(marker, "LYRICS200") ? 301000 : StartsWith(marker, "LYRICSEND") ? 5100 : 0;
    if (window == 0) continue;
    std::int64_t windowStart = std::max<std::int64_t>(0, size - window);
    if (!FindText(source, windowStart, markerPos, "LYRICSBEGIN", lyricsStart)) return std::nullopt;
    if (lyricsStart >= 0) break;
  }

  // ID3v1: "TAG" 128 bytes before the end, or a few bytes off for writers that miscount.
  std::int64_t id3v1Start = -1;
  if (size > 130) {
    for (std::int64_t back = 129; back >= 125; --back) {
      Bytes tag;
      if (!source.Fetch(size - back, 3, tag)) return std::nullopt;
      if (StartsWith(tag, "TAG")) {
        id3v1Start = size - back;
        break;
      }
    }
  }

  std::int64_t audioEnd = size;
  if (id3v1Start >= 0 && id3v1Start < audioEnd) audioEnd = id3v1Start;
  if (lyricsStart >= 0 && lyricsStart < audioEnd) audioEnd = lyricsStart;
  return audioEnd;
}

}  // namespace ordonna
