// A plain, slow second implementation of the MP3 analysis: the whole file in memory, the
// steps taken one by one in 50,000-byte blocks, byte by byte. The real analysis must agree.
#pragma once

#include <string>

#include "collect/Analysis.h"

namespace ordonna::testing {

AnalysisResult ReferenceAnalyze(const std::string& file, ProcessingMode mode);

}  // namespace ordonna::testing
