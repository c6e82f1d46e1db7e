// Shared by the analysis tests: runs a generated file through the analysis two ways (one
// whole span, and a source that hands out only the bytes asked for) and checks that they agree.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "collect/Analysis.h"

namespace ordonna::testing {

// Hands out exactly the bytes asked for, in a fresh copy, so that a read outside them is
// caught (by the sanitizers).
class ExactSource final : public ByteSource {
 public:
  explicit ExactSource(const std::string& file) : file_(file) {}
  std::int64_t Size() const override { return static_cast<std::int64_t>(file_.size()); }
  bool Fetch(std::int64_t pos, std::size_t need, std::span<const std::uint8_t>& out) override {
    copy_.assign(need, 0);
    if (pos < Size())
      std::memcpy(copy_.data(), file_.data() + pos,
                  std::min<std::size_t>(need, file_.size() - static_cast<std::size_t>(pos)));
    out = copy_;
    return true;
  }

 private:
  const std::string& file_;
  std::vector<std::uint8_t> copy_;
};

inline std::span<const std::uint8_t> AsBytes(const std::string& file) {
  return {reinterpret_cast<const std::uint8_t*>(file.data()), file.size()};
}

// The analysis of `file` in `mode`; fails the test when the two ways disagree.
inline AnalysisResult Analyze(const std::string& file, ProcessingMode mode) {
  AnalysisResult result = AnalyzeMemory(AsBytes(file), mode);
  ExactSource exact(file);
  EXPECT_EQ(result, AnalyzeSource(exact, mode)) << "small reads disagree with one span";
  return result;
}

}  // namespace ordonna::testing
