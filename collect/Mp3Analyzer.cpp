// Opening the file and choosing how much to read at a time.
#include "collect/Mp3Analyzer.h"

#include <string_view>

#include "core/Text.h"
#include "platform/MappedFile.h"

namespace ordonna {
namespace {

// Fast mode looks at the first 200 frames and the last few kilobytes: copying more than that
// costs more than the analysis itself, so its reads are small unless the walk asks for more.
// Slow mode maps the file, since the walk touches only a few bytes of each frame; where a file
// cannot be mapped it reads everything, in chunks that stay in the processor's cache.
constexpr std::size_t kFastReadSize = 16 * 1024;
constexpr std::size_t kSlowReadSize = 128 * 1024;

AnalysisResult ReadError() {
  AnalysisResult result;
  result.Error = AnalysisError::IoError;
  return result;
}

}  // namespace

Mp3Analyzer::Mp3Analyzer() : buffer_(ByteSource::kMaxFetch + FileSource::kReadSlack) {}

std::string StatusTextOf(const std::string& path) {
  std::size_t characters = CharacterCount(path);
  std::string_view rest = path;
  std::size_t keep = characters > 4 ? characters - 4 : 0;
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < keep; ++i) {
    std::size_t length = NextCharacter(rest).Bytes;
    bytes += length;
    rest.remove_prefix(length);
  }
  return path.substr(0, bytes);
}

AnalysisResult Mp3Analyzer::AnalyzeFile(const std::string& path, ProcessingMode mode, Caller& caller) {
  caller.SetStatus(StatusTextOf(path));
  if (mode == ProcessingMode::Slow) {
    MappedFile mapped;
    if (mapped.Open(path)) {
      MemorySource source(mapped.Bytes(), tail_);
      AnalysisResult result = AnalyzeSource(source, mode);
      // Zeros stood in for bytes of a file cut short while it was read: no result from them.
      return mapped.Vanished() ? ReadError() : result;
    }
  }
  FileSource source(buffer_, mode == ProcessingMode::Fast ? kFastReadSize : kSlowReadSize);
  if (!source.Open(path)) return ReadError();
  return AnalyzeSource(source, mode);
}

}  // namespace ordonna
