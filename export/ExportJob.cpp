// The pieces every export writer shares.
#include "export/ExportJob.h"

#include <array>
#include <utility>

#include "config/AppOptions.h"
#include "core/Caller.h"
#include "export/ExportMessages.h"
#include "platform/InputFile.h"

namespace ordonna {
namespace {

// Blocks of about this size go to the sink; the file below buffers again, so this only
// keeps the writers' own text small.
constexpr std::size_t kBlockSize = 64 * 1024;

}  // namespace

std::vector<InfoColumn> SelectedColumns(const MainOptions& options) {
  const std::array<std::pair<std::uint8_t, InfoColumn>, 9> flags = {{
      {options.InfoTime, InfoColumn::Time},
      {options.InfoKbps, InfoColumn::Kbps},
      {options.InfoSize, InfoColumn::Size},
      {options.InfoStereo, InfoColumn::Stereo},
      {options.InfoFrequency, InfoColumn::Frequency},
      {options.InfoDateCreated, InfoColumn::DateCreated},
      {options.InfoPath, InfoColumn::Path},
      {options.InfoDateAdded, InfoColumn::DateAdded},
      {options.InfoVolumeLabel, InfoColumn::VolumeLabel},
  }};
  std::vector<InfoColumn> columns;
  for (const auto& [flag, column] : flags) {
    if (flag != 0) columns.push_back(column);
  }
  return columns;
}

ExportProgress::ExportProgress(const ExportJob& job) : job_(job) { job_.Runner.SetStatus(export_text::kExporting); }

ExportProgress::~ExportProgress() { job_.Runner.SetStatus(job_.RestoreStatus); }

bool ExportProgress::CancelledAt(std::uint32_t index, std::uint32_t phase) {
  if (index % 64 != phase) return false;
  job_.Runner.ProcessEvents();
  return !job_.Runner.Running();
}

Status ExportBuffer::FlushIfFull() { return text_.size() >= kBlockSize ? Flush() : status_; }

Status ExportBuffer::Flush() {
  if (status_.ok() && !text_.empty()) status_ = sink_.Write(text_);
  text_.clear();
  return status_;
}

std::optional<std::vector<std::string>> ReadMessageFile(const std::string& path) {
  InputFile file;
  if (path.empty() || !file.Open(path).ok()) return std::nullopt;
  return ReadMessageFile(file);
}

std::optional<std::vector<std::string>> ReadMessageFile(InputSource& source) {
  std::string bytes(kMessageFileLimit + 1, '\0');
  std::size_t size = 0;
  if (!source.ReadAt(0, bytes.data(), bytes.size(), size).ok() || size == 0 || size > kMessageFileLimit) {
    return std::nullopt;
  }
  bytes.resize(size);

  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

void AppendMessageFile(const std::string& path, bool lineEndFirst, std::string_view warning, Caller& caller,
                       ExportBuffer& out) {
  std::optional<std::vector<std::string>> lines = ReadMessageFile(path);
  if (!lines) {
    caller.ShowMessage(warning, export_text::kWarningTitle, MessageKind::Warning);
    return;
  }
  for (const std::string& line : *lines) {
    if (lineEndFirst) out.Append("\r\n");
    out.Append(line);
    if (!lineEndFirst) out.Append("\r\n");
  }
}

std::string AlignedNumber(std::uint32_t number, std::size_t width) {
  std::string digits = std::to_string(number);
  return digits.size() < width ? std::string(width - digits.size(), ' ') + digits : digits;
}

}  // namespace ordonna
