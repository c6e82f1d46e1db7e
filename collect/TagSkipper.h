// The tags and containers around the audio: ID3v2 and RIFF/WAVE in front (where the audio
// starts), ID3v1 and Lyrics3 behind (where the audio ends).
#pragma once

#include <cstdint>
#include <optional>

#include "collect/AnalysisErrors.h"
#include "collect/ByteSource.h"

namespace ordonna {

// The largest ID3v2 tag, header included, that the audio start may move past.
inline constexpr std::int64_t kMaxId3v2TagBytes = 1048576;

// Moves `audioStart` (0 on entry) past an ID3v2 tag and a RIFF header up to its "data"
// chunk, and past a second ID3v2 tag found there. Returns IoError, Id3v2TooLarge or None.
// The result may lie past the end of the file.
[[nodiscard]] AnalysisError FindAudioStart(ByteSource& source, std::int64_t& audioStart);

// The position of the first byte behind the audio: the file size, lowered to the start of an
// ID3v1 tag or a Lyrics3 block in front of it. Empty on a read error.
std::optional<std::int64_t> FindAudioEnd(ByteSource& source);

}  // namespace ordonna
