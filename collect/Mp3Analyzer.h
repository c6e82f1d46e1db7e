// The analyser a thread keeps for the program's lifetime: it owns the read buffers, so
// analysing a file allocates nothing. One object per analysing thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "collect/Analysis.h"
#include "core/Caller.h"

namespace ordonna {

class Mp3Analyzer {
 public:
  Mp3Analyzer();

  // Analyses the file at `path` (read only). Shows the path without its last four
  // characters (the extension) as the status text first. A file that cannot be opened or
  // read ends with AnalysisError::IoError.
  AnalysisResult AnalyzeFile(const std::string& path, ProcessingMode mode, Caller& caller);

 private:
  std::vector<std::uint8_t> buffer_;  // reads of files
  std::vector<std::uint8_t> tail_;    // the end of a mapped file followed by zeros
};

// `path` without its last four characters (bytes of invalid UTF-8 count one each).
std::string StatusTextOf(const std::string& path);

}  // namespace ordonna
