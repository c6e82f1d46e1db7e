// Feeds arbitrary bytes to the MP3 analysis as an in-memory file, in both modes: it must
// never crash, never read outside the file, give the same result however the bytes are
// handed out, and report only defined values.
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "collect/Analysis.h"

namespace {

// Hands out exactly the bytes asked for, in a fresh buffer, so that every read past a fetch
// is caught by the address sanitizer.
class ExactSource final : public ordonna::ByteSource {
 public:
  explicit ExactSource(std::span<const std::uint8_t> file) : file_(file) {}
  std::int64_t Size() const override { return static_cast<std::int64_t>(file_.size()); }
  bool Fetch(std::int64_t pos, std::size_t need, std::span<const std::uint8_t>& out) override {
    copy_.assign(need, 0);
    if (pos < Size()) {
      std::size_t n = std::min(need, static_cast<std::size_t>(Size() - pos));
      std::memcpy(copy_.data(), file_.data() + pos, n);
    }
    out = copy_;
    return true;
  }

 private:
  std::span<const std::uint8_t> file_;
  std::vector<std::uint8_t> copy_;
};

void Check(const ordonna::AnalysisResult& r) {
  bool defined = r.Ok() ? (r.BitrateCode == 16 || (r.BitrateCode >= 1 && r.BitrateCode <= 14)) && r.StereoMode <= 3 &&
                              r.FrequencyCode <= 2 && r.Frames > 0
                        : r.BitrateCode == 255 && r.StereoMode == 4 && r.FrequencyCode == 3 && r.Frames >= 0;
  if (!defined) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::span<const std::uint8_t> file(data, size);
  for (auto mode : {ordonna::ProcessingMode::Fast, ordonna::ProcessingMode::Slow}) {
    ordonna::AnalysisResult whole = ordonna::AnalyzeMemory(file, mode);
    Check(whole);
    ExactSource exact(file);
    if (!(ordonna::AnalyzeSource(exact, mode) == whole)) __builtin_trap();
  }
  return 0;
}
