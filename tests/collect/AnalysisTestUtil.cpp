// Running the analysis two ways.
#include "AnalysisTestUtil.h"

#include <algorithm>
#include <cstring>

namespace ordonna {

void PrintTo(const AnalysisResult& r, std::ostream* out) {
  *out << "{error \"" << r.ErrorText() << "\", size " << r.FileSizeBytes << ", kb " << r.SizeKB << ", bitrate "
       << int{r.BitrateCode} << ", frames " << r.Frames << ", stereo " << int{r.StereoMode} << ", frequency "
       << int{r.FrequencyCode} << "}";
}

namespace testing {

bool ExactSource::Fetch(std::int64_t pos, std::size_t need, std::span<const std::uint8_t>& out) {
  requests.emplace_back(pos, need);
  copy_.assign(need, 0);
  std::int64_t size = Size();
  if (pos < size) {
    std::size_t n = std::min<std::size_t>(need, static_cast<std::size_t>(size - pos));
    std::memcpy(copy_.data(), file_.data() + pos, n);
  }
  out = copy_;
  return true;
}

std::span<const std::uint8_t> AsBytes(const std::string& file) {
  return {reinterpret_cast<const std::uint8_t*>(file.data()), file.size()};
}

AnalysisResult Analyze(const std::string& file, ProcessingMode mode) {
  AnalysisResult result = AnalyzeMemory(AsBytes(file), mode);
  ExactSource exact(file);
  EXPECT_EQ(result, AnalyzeSource(exact, mode)) << "small reads disagree with one span";
  return result;
}

}  // namespace testing
}  // namespace ordonna
