// Shared by the analysis tests: runs a generated file through the analysis two ways (one
// whole span, and a source that hands out only the bytes asked for) and checks that they agree.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "collect/Analysis.h"

namespace ordonna {

void PrintTo(const AnalysisResult& result, std::ostream* out);

namespace testing {

// Hands out exactly the bytes asked for, in a fresh copy, and records each request, so
// that a read outside them is caught (by the sanitizers) and the requests can be checked.
class ExactSource final : public ByteSource {
 public:
  explicit ExactSource(const std::string& file) : file_(file) {}
  std::int64_t Size() const override { return static_cast<std::int64_t>(file_.size()); }
  bool Fetch(std::int64_t pos, std::size_t need, std::span<const std::uint8_t>& out) override;

  std::vector<std::pair<std::int64_t, std::size_t>> requests;

 private:
  const std::string& file_;
  std::vector<std::uint8_t> copy_;
};

// The analysis of `file` in `mode`; fails the test when the two ways disagree.
AnalysisResult Analyze(const std::string& file, ProcessingMode mode);

std::span<const std::uint8_t> AsBytes(const std::string& file);

}  // namespace testing
}  // namespace ordonna
