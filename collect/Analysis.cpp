// The frame walk: header checks, the VBR header of the first frame, the bitrate histogram
// and the fast decision after 200 frames.
#include "collect/Analysis.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

#include "collect/MpegHeader.h"
#include "collect/TagSkipper.h"
#include "collect/VbrHeader.h"

namespace ordonna {
namespace {

using Bytes = std::span<const std::uint8_t>;

// Bytes a frame start may look at: its header and the VBR header search.
constexpr std::size_t kLookahead = kVbrSearchSpan;
constexpr std::int32_t kFastFrames = 200;
constexpr std::int64_t kSyncBlock = 8192;
constexpr std::size_t kPrefetchDistance = 2048;
constexpr std::size_t kCacheLine = 64;

void Prefetch(const std::uint8_t* address) {
#if defined(__GNUC__) || defined(__clang__)
  __builtin_prefetch(address);
#else
  (void)address;
#endif
}

// A bad layer or version, which ends the analysis in the first two frames and marks a
// false sync later on.
AnalysisError FormatError(const MpegHeader& header) {
  switch (header.LayerBits) {
    case 0: return AnalysisError::UnknownLayer;
    case 2: return AnalysisError::Layer2;
    case 3: return AnalysisError::Layer1;
    default: break;
  }
  switch (header.VersionBits) {
    case 0: return AnalysisError::Mpeg25;
    case 1: return AnalysisError::UnknownVersion;
    case 2: return AnalysisError::Mpeg2;
    default: return AnalysisError::None;
  }
}

// The constant bitrate index when every frame (or every frame but a VBR header frame)
// has it, else 16. Several indexes can qualify only in tiny files; the highest wins.
std::uint8_t BitrateCodeOf(const std::array<std::int32_t, 16>& histogram, std::int32_t frames, bool headerFrame) {
  std::uint8_t code = kBitrateVariable;
  for (std::uint8_t index = 1; index <= 14; ++index) {
    std::int32_t count = histogram[index];
    // A header frame alone is no audio: a count of zero never makes a bitrate constant.
    if (count == frames || (headerFrame && frames > 1 && count == frames - 1)) code = index;
  }
  return code;
}

// The position of the last frame sync before the audio end, searched in 8,192-byte blocks
// backwards, when it lies after `after`; -1 when there is none. Empty on a read error.
std::optional<std::int64_t> LastSyncAfter(ByteSource& source, std::int64_t after) {
  // The end markers, an ID3v1 tag and the first block before them usually lie in the last
  // 8,329 bytes: fetch them at once.
  const std::int64_t tailStart = std::max<std::int64_t>(0, source.Size() - (kSyncBlock + 137));
  Bytes tail;
  if (!source.Fetch(tailStart, static_cast<std::size_t>(source.Size() - tailStart), tail)) return std::nullopt;
  std::optional<std::int64_t> audioEnd = FindAudioEnd(source);
  if (!audioEnd) return std::nullopt;
  // A sync pair counts only when both of its bytes lie inside the block; blocks ending at
  // after + 2 or earlier cannot hold a sync after `after`, so the search stops there.
  for (std::int64_t blockEnd = *audioEnd; blockEnd - 2 > after;) {
    std::int64_t blockStart = std::max<std::int64_t>(0, blockEnd - kSyncBlock);
    Bytes block;
    if (!source.Fetch(blockStart, static_cast<std::size_t>(blockEnd - blockStart), block)) return std::nullopt;
    for (std::size_t i = static_cast<std::size_t>(blockEnd - blockStart) - 1; i-- > 0;) {
      if (IsFrameSync(block[i], block[i + 1])) {
        std::int64_t sync = blockStart + static_cast<std::int64_t>(i);
        return sync > after ? sync : -1;
      }
    }
    blockEnd = blockStart;
  }
  return -1;
}

}  // namespace

std::int32_t SizeKBFromBytes(std::int64_t bytes) {
  std::int64_t kb = bytes / 1024;
  std::int64_t rest = bytes % 1024;
  if (rest > 512 || (rest == 512 && kb % 2 == 1)) ++kb;
  return static_cast<std::int32_t>(std::min<std::int64_t>(kb, std::numeric_limits<std::int32_t>::max()));
}

AnalysisResult AnalyzeSource(ByteSource& source, ProcessingMode mode) {
  AnalysisResult result;
  const std::int64_t size = source.Size();
  result.FileSizeBytes = size;
  result.SizeKB = SizeKBFromBytes(size);
  std::int32_t vbrFrames = 0;
  auto fail = [&](AnalysisError error) {
    result.Error = error;
    result.Frames = vbrFrames;
    return result;
  };
  auto succeed = [&](std::int32_t frames, std::uint8_t bitrateCode, std::uint8_t stereo, std::uint8_t frequency) {
    result.Frames = frames;
    result.BitrateCode = bitrateCode;
    result.StereoMode = stereo;
    result.FrequencyCode = frequency;
    return result;
  };

  std::int64_t audioStart = 0;
  if (AnalysisError error = FindAudioStart(source, audioStart); error != AnalysisError::None) return fail(error);

  std::array<std::int32_t, 16> histogram{};
  std::int32_t frames = 0;
  double factor = 0;
  std::uint8_t sampling = 0;
  std::uint8_t channels = 0;
  bool headerFrame = false;  // the first frame holds a VBR header, not audio
  std::int64_t firstPos = 0;
  std::int64_t pos199 = 0;

  std::size_t lastLength = 0;

  Bytes window;
  std::int64_t windowPos = 0;
  std::size_t prefetched = 0;  // offset in `window` up to which the bytes were asked for
  // The walk deliberately runs to the end of the file, not to the audio end: trailing tags
  // bound only the fast estimate, and a frame sync inside them counts like any other.
  for (std::int64_t pos = audioStart; pos < size;) {
    if (window.size() < kLookahead || pos - windowPos > static_cast<std::int64_t>(window.size() - kLookahead)) {
      // Before the fast decision, ask for the bytes the remaining frames will likely span, so
      // that a file source reads them at once and no more.
      std::size_t need = kLookahead;
      if (mode == ProcessingMode::Fast && frames > 0 && frames < kFastFrames) {
        need = std::min<std::size_t>(static_cast<std::size_t>(kFastFrames - frames) * lastLength + kLookahead,
                                     ByteSource::kMaxFetch);
      }
      if (!source.Fetch(pos, need, window)) return fail(AnalysisError::IoError);
      windowPos = pos;
      prefetched = 0;
    }
    const std::uint8_t* bytes = window.data() + (pos - windowPos);
    // Each frame's place depends on the header before it, so the walk waits for every
    // header it reads: stream the bytes some way ahead into the cache meanwhile.
    for (std::size_t end = std::min(static_cast<std::size_t>(pos - windowPos) + kPrefetchDistance, window.size());
         prefetched < end; prefetched += kCacheLine) {
      Prefetch(window.data() + prefetched);
    }
    if (!IsFrameSync(bytes[0], bytes[1])) {
      // Skip to the next 0xFF that this window holds with its full lookahead.
      std::int64_t testable = std::min(windowPos + static_cast<std::int64_t>(window.size() - kLookahead) + 1, size);
      const void* next = std::memchr(bytes + 1, 0xFF, static_cast<std::size_t>(testable - pos - 1));
      pos = next == nullptr ? testable : windowPos + (static_cast<const std::uint8_t*>(next) - window.data());
      continue;
    }
    MpegHeader header = DecodeMpegHeader(std::span<const std::uint8_t, 4>(bytes, 4));
    if (AnalysisError error = FormatError(header); error != AnalysisError::None) {
      if (frames < 2) return fail(error);
      ++pos;  // a false sync inside the audio data
      continue;
    }
    if (header.BitrateIndex == 15) return fail(AnalysisError::InvalidBitrate);
    if (header.SamplingIndex == 3) return fail(AnalysisError::InvalidSamplingRate);
    if (frames == 0) {
      factor = FrameLengthFactor(header.SamplingIndex);
      sampling = header.SamplingIndex;
      channels = header.ChannelMode;
      VbrHeader vbr = FindVbrHeader(Bytes(bytes, kLookahead), header);
      headerFrame = vbr.Kind != VbrKind::None;
      vbrFrames = vbr.Frames;
      firstPos = pos;
    } else {
      // The header frame may be written with other settings than the audio behind it.
      bool mayChange = frames == 1 && headerFrame;
      if (header.SamplingIndex != sampling) {
        if (!mayChange) return fail(AnalysisError::VariableSamplingRate);
        sampling = header.SamplingIndex;
        factor = FrameLengthFactor(sampling);
      }
      if (header.ChannelMode != channels) {
        if (!mayChange) return fail(AnalysisError::VariableStereoMode);
        channels = header.ChannelMode;
      }
    }
    if (frames == kFastFrames - 1) pos199 = pos;
    ++histogram[header.BitrateIndex];
    lastLength = static_cast<std::size_t>(FrameLength(header, factor));
    pos += static_cast<std::int64_t>(lastLength);
    ++frames;
    if (frames > kMaxFrames) return fail(AnalysisError::TooManyFrames);

    if (frames == kFastFrames && mode == ProcessingMode::Fast) {
      std::uint8_t code = BitrateCodeOf(histogram, frames, headerFrame);
      if (vbrFrames != 0) return succeed(vbrFrames, code, channels, sampling);
      if (code != kBitrateVariable) {
        std::optional<std::int64_t> lastSync = LastSyncAfter(source, pos199);
        if (!lastSync) return fail(AnalysisError::IoError);
        if (*lastSync >= 0) {
          double averageLength = static_cast<double>(pos199 - firstPos) / 199.0;
          double estimate = std::nearbyint(static_cast<double>(*lastSync - firstPos) / averageLength);
          estimate = std::min(estimate, static_cast<double>(std::numeric_limits<std::int32_t>::max()));
          return succeed(static_cast<std::int32_t>(estimate), code, channels, sampling);
        }
        // No sync after frame 199 before the audio end (a tag or lyrics block claimed to
        // start among the first frames): count the frames instead of guessing.
        window = {};
      }
      // Mixed bitrates without a count: walk on as in slow mode.
    }
  }
  if (frames == 0) return fail(AnalysisError::NoAudio);
  return succeed(frames, BitrateCodeOf(histogram, frames, headerFrame), channels, sampling);
}

AnalysisResult AnalyzeMemory(std::span<const std::uint8_t> file, ProcessingMode mode) {
  MemorySource source(file);
  return AnalyzeSource(source, mode);
}

}  // namespace ordonna
