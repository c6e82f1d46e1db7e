// The analysis steps written out literally, for comparison with the fast implementation.
#include "ReferenceAnalysis.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace ordonna::testing {
namespace {

constexpr int kBitrates[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};

struct FrameRecord {
  std::int64_t Position;
  std::int32_t Length;
};

class Reference {
 public:
  Reference(const std::string& file, ProcessingMode mode)
      : file_(file), size_(static_cast<std::int64_t>(file.size())), mode_(mode) {}

  AnalysisResult Run() {
    result_.FileSizeBytes = size_;
    result_.SizeKB = static_cast<std::int32_t>(std::nearbyint(static_cast<double>(size_) / 1024.0));

    // Steps 2, 3 and 6: trailing tags give the audio end.
    std::int64_t lyricsStart = -1;
    for (std::int64_t offset : {9, 137}) {
      if (lyricsStart >= 0 || size_ <= offset) continue;
      std::string marker = file_.substr(static_cast<std::size_t>(size_ - offset), 9);
      std::int64_t window = marker == "LYRICS200" ? 301000 : marker == "LYRICSEND" ? 5100 : 0;
      if (window == 0) continue;
      std::int64_t start = size_ - window < 0 ? 0 : size_ - window;
      std::string read =
          file_.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(size_ - offset - start));
      std::size_t found = read.find("LYRICSBEGIN");
      if (found != std::string::npos) lyricsStart = start + static_cast<std::int64_t>(found);
    }
    std::int64_t id3v1Start = -1;
    if (size_ > 130) {
      for (std::int64_t back : {129, 128, 127, 126, 125}) {
        if (file_.compare(static_cast<std::size_t>(size_ - back), 3, "TAG") == 0) {
          id3v1Start = size_ - back;
          break;
        }
      }
    }
    audioEnd_ = size_;
    if (id3v1Start >= 0 && id3v1Start < audioEnd_) audioEnd_ = id3v1Start;
    if (lyricsStart >= 0 && lyricsStart < audioEnd_) audioEnd_ = lyricsStart;

    // Step 4: the head, zeros behind it.
    std::vector<std::uint8_t> head(1049601 + 16, 0);
    std::size_t headBytes = size_ < 1049601 ? static_cast<std::size_t>(size_) : 1049601;
    std::memcpy(head.data(), file_.data(), headBytes);

    // Step 5: ID3v2 and RIFF.
    std::int64_t audioStart = 0;
    bool id3 = false;
    auto tryId3 = [&]() {
      std::size_t s = static_cast<std::size_t>(audioStart);
      if (s + 10 > head.size() || std::memcmp(&head[s], "ID3", 3) != 0) return true;
      std::int64_t tagSize = (head[s + 6] & 0x7F) * 2097152 + (head[s + 7] & 0x7F) * 16384 +
                             (head[s + 8] & 0x7F) * 128 + (head[s + 9] & 0x7F) + 10;
      if (tagSize > 1048576) return false;
      audioStart += tagSize;
      id3 = true;
      return true;
    };
    if (!tryId3()) return Fail(AnalysisError::Id3v2TooLarge);
    std::size_t s = static_cast<std::size_t>(audioStart);
    if (std::memcmp(&head[s], "RIFF", 4) == 0) {
      std::size_t p = s + 4;
      int searched = 0;
      bool found = false;
      while (searched < 516) {
        if (std::memcmp(&head[p], "data", 4) == 0) {
          found = true;
          break;
        }
        ++p;
        ++searched;
      }
      audioStart = static_cast<std::int64_t>(found ? p + 8 : p);
      if (found && !id3 && !tryId3()) return Fail(AnalysisError::Id3v2TooLarge);
    }

    // Step 7: the frame walk in blocks.
    std::vector<std::uint8_t> block(50000 + 200);
    std::int64_t blockStart = audioStart;
    while (true) {
      std::int64_t remaining = size_ - blockStart;
      if (remaining <= 0) break;
      std::int64_t blockLength = remaining < 50000 ? remaining : 50000;
      std::fill(block.begin(), block.end(), 0);
      std::memcpy(block.data(), file_.data() + blockStart, static_cast<std::size_t>(blockLength));
      std::int64_t limit = blockLength < 49360 ? blockLength : 49360;
      std::int64_t pos = 0;
      while (pos < limit) {
        const std::uint8_t* b = &block[static_cast<std::size_t>(pos)];
        if (!(b[0] == 0xFF && b[1] >= 0xE0)) {
          ++pos;
          continue;
        }
        int step = 0;
        AnalysisError error = Frame(b, blockStart + pos, step);
        if (error != AnalysisError::None) return Fail(error);
        if (done_) return result_;
        pos += step;
      }
      if (blockLength <= 49360) break;
      blockStart += pos;
      if (blockStart >= size_) break;
    }

    // Step 10.
    if (frames_.empty()) return Fail(AnalysisError::NoAudio);
    result_.Frames = static_cast<std::int32_t>(frames_.size());
    result_.BitrateCode = BitrateRule();
    result_.StereoMode = channels_;
    result_.FrequencyCode = sampling_;
    return result_;
  }

 private:
  // One position holding a sync. `step` 0 means: skip by one byte.
  AnalysisError Frame(const std::uint8_t* b, std::int64_t position, int& step) {
    int version = (b[1] >> 3) & 3;
    int layer = (b[1] >> 1) & 3;
    bool crc = (b[1] & 1) == 0;
    int bitrate = b[2] >> 4;
    int samplingIndex = (b[2] >> 2) & 3;
    bool padding = (b[2] & 2) != 0;
    int channelMode = b[3] >> 6;
    std::size_t k = frames_.size();

    AnalysisError formatError = AnalysisError::None;
    if (layer == 0) formatError = AnalysisError::UnknownLayer;
    else if (layer == 2) formatError = AnalysisError::Layer2;
    else if (layer == 3) formatError = AnalysisError::Layer1;
    else if (version == 0) formatError = AnalysisError::Mpeg25;
    else if (version == 1) formatError = AnalysisError::UnknownVersion;
    else if (version == 2) formatError = AnalysisError::Mpeg2;
    if (formatError != AnalysisError::None) {
      if (k < 2) return formatError;
      step = 1;
      return AnalysisError::None;
    }
    if (bitrate == 15) return AnalysisError::InvalidBitrate;
    if (samplingIndex == 3) return AnalysisError::InvalidSamplingRate;
    if (k == 0) {
      factor_ = samplingIndex == 0 ? 3.2653061224489797 : samplingIndex == 1 ? 3.0 : 4.5;
      sampling_ = static_cast<std::uint8_t>(samplingIndex);
      channels_ = static_cast<std::uint8_t>(channelMode);
      int from = (channelMode == 3 ? 18 : 33) + (crc ? 2 : 0);
      for (int i = from; i < from + 40; ++i) {
        std::string tag(reinterpret_cast<const char*>(b + i), 4);
        if (tag == "Xing" || tag == "Info") {
          vbrKind_ = tag == "Xing" ? 1 : 2;
          if (b[i + 7] & 1) vbrFrames_ = BigEndian(b + i + 8);
          break;
        }
        if (tag == "VBRI" || tag == "FBRI") {
          vbrKind_ = tag == "VBRI" ? 3 : 4;
          vbrFrames_ = BigEndian(b + i + 14);
          break;
        }
      }
    } else {
      if (samplingIndex != sampling_) {
        if (!(k == 1 && vbrKind_ != 0)) return AnalysisError::VariableSamplingRate;
        sampling_ = static_cast<std::uint8_t>(samplingIndex);
        factor_ = samplingIndex == 0 ? 3.2653061224489797 : samplingIndex == 1 ? 3.0 : 4.5;
      }
      if (channelMode != channels_) {
        if (!(k == 1 && vbrKind_ != 0)) return AnalysisError::VariableStereoMode;
        channels_ = static_cast<std::uint8_t>(channelMode);
      }
    }
    int length = bitrate != 0 ? static_cast<int>(kBitrates[bitrate] * factor_) + (padding ? 1 : 0)
                              : (channelMode == 3 ? 14 : 29) + (crc ? 2 : 0);
    frames_.push_back({position, length});
    ++histogram_[bitrate];
    step = length;
    if (frames_.size() > 262143) return AnalysisError::TooManyFrames;
    if (frames_.size() == 200 && mode_ == ProcessingMode::Fast) FastDecision();
    return AnalysisError::None;
  }

  void FastDecision() {
    std::uint8_t code = BitrateRule();
    if (vbrFrames_ != 0) return Succeed(vbrFrames_, code);
    if (code == 16) return;
    std::int64_t lastSync = -1;
    std::int64_t blockEnd = audioEnd_;
    std::int64_t blockStart = audioEnd_ - 8192 < 0 ? 0 : audioEnd_ - 8192;
    while (blockEnd > blockStart) {
      for (std::int64_t p = blockStart; p + 1 < blockEnd; ++p) {
        auto b0 = static_cast<std::uint8_t>(file_[static_cast<std::size_t>(p)]);
        auto b1 = static_cast<std::uint8_t>(file_[static_cast<std::size_t>(p + 1)]);
        if (b0 == 0xFF && b1 >= 0xE0) lastSync = p;
      }
      if (lastSync >= 0 || blockStart == 0) break;
      blockEnd = blockStart;
      blockStart = blockStart - 8192 < 0 ? 0 : blockStart - 8192;
    }
    std::int64_t first = frames_[0].Position;
    std::int64_t last199 = frames_[199].Position;
    if (lastSync <= last199) return;  // no sync behind frame 199: count instead
    double average = static_cast<double>(last199 - first) / 199.0;
    double estimate = std::nearbyint(static_cast<double>(lastSync - first) / average);
    Succeed(estimate > 2147483647.0 ? 2147483647 : static_cast<std::int32_t>(estimate), code);
  }

  std::uint8_t BitrateRule() const {
    std::int64_t n = static_cast<std::int64_t>(frames_.size());
    std::uint8_t code = 16;
    for (int i = 1; i <= 14; ++i) {
      if (histogram_[i] == n || (vbrKind_ != 0 && n > 1 && histogram_[i] == n - 1)) code = static_cast<std::uint8_t>(i);
    }
    return code;
  }

  static std::int32_t BigEndian(const std::uint8_t* b) {
    std::uint32_t v = static_cast<std::uint32_t>(b[0]) << 24 | static_cast<std::uint32_t>(b[1]) << 16 |
                      static_cast<std::uint32_t>(b[2]) << 8 | b[3];
    return v >= 0x80000000u ? 0 : static_cast<std::int32_t>(v);
  }

  void Succeed(std::int32_t frames, std::uint8_t code) {
    result_.Frames = frames;
    result_.BitrateCode = code;
    result_.StereoMode = channels_;
    result_.FrequencyCode = sampling_;
    done_ = true;
  }

  AnalysisResult Fail(AnalysisError error) {
    result_.Error = error;
    result_.Frames = vbrFrames_;
    return result_;
  }

  const std::string& file_;
  const std::int64_t size_;
  const ProcessingMode mode_;
  AnalysisResult result_;
  std::int64_t audioEnd_ = 0;
  std::vector<FrameRecord> frames_;
  std::int64_t histogram_[16] = {};
  double factor_ = 0;
  std::uint8_t sampling_ = 0;
  std::uint8_t channels_ = 0;
  int vbrKind_ = 0;
  std::int32_t vbrFrames_ = 0;
  bool done_ = false;
};

}  // namespace

AnalysisResult ReferenceAnalyze(const std::string& file, ProcessingMode mode) { return Reference(file, mode).Run(); }

}  // namespace ordonna::testing
