// What every export writer works on, where its bytes go, and the pieces the writers share:
// the selected info columns, the "Exporting..." status with the cancel check, the buffered
// output and the header and footer message files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/InputSource.h"
#include "core/OutputSink.h"
#include "core/Status.h"
#include "export/FieldStyle.h"

namespace ordonna {

struct AppOptions;
struct MainOptions;
class Caller;
class ListStore;

// What stands around and between the fields of a line, by Delimiter.
struct Delimiters {
  std::string_view Opening;
  std::string_view Separator;
  std::string_view Closing;
};

struct ExportJob {
  const ListStore& List;
  // The writers change a few options on purpose: the text export with a header row switches
  // Delimiter to tabs, the HTML style sheet fills in an empty table font name and size.
  AppOptions& Options;
  FieldStyle Style;
  Caller& Runner;
  // The status text shown again when the export ends.
  std::string RestoreStatus;
};

// The optional columns, in the fixed order of every export; the file name always comes first.
enum class InfoColumn : std::uint8_t { Time, Kbps, Size, Stereo, Frequency, DateCreated, Path, DateAdded, VolumeLabel };

// The columns whose Info flags are set, in export order.
std::vector<InfoColumn> SelectedColumns(const MainOptions& options);

// Shows "Exporting..." while it lives and the job's RestoreStatus afterwards, and lets the
// user cancel every 64 entries.
class ExportProgress {
 public:
  explicit ExportProgress(const ExportJob& job);
  ~ExportProgress();
  ExportProgress(const ExportProgress&) = delete;
  ExportProgress& operator=(const ExportProgress&) = delete;

  // On the entries whose index modulo 64 is `phase`: processes pending user input and tells
  // whether the user has cancelled meanwhile. Each writer has its own phase.
  bool CancelledAt(std::uint32_t index, std::uint32_t phase);

 private:
  const ExportJob& job_;
};

// Collects an export's text and hands it to the sink in blocks, so that memory does not grow
// with the list. The first failure is kept.
class ExportBuffer {
 public:
  explicit ExportBuffer(OutputSink& sink) : sink_(sink) {}

  void Append(std::string_view text) { text_ += text; }
  // Hands the text over once a block is full; returns the first failure so far.
  [[nodiscard]] Status FlushIfFull();
  // Hands over whatever is left.
  [[nodiscard]] Status Flush();

 private:
  OutputSink& sink_;
  std::string text_;
  Status status_;
};

// Message files larger than this are not read: nobody writes a header of a megabyte, and a
// file named by a configuration from elsewhere must not exhaust memory.
inline constexpr std::size_t kMessageFileLimit = std::size_t{1} << 20;

// The lines of a header or footer message file, without their line ends (CR LF, LF or a
// lone CR). Nothing when the file is missing, not a regular file, empty, larger than
// kMessageFileLimit, or cannot be read.
std::optional<std::vector<std::string>> ReadMessageFile(const std::string& path);
// The same from a source.
std::optional<std::vector<std::string>> ReadMessageFile(InputSource& source);

// Appends the lines of the message file at `path`, each followed by CR LF (or, with
// `lineEndFirst`, preceded by it). When the file gives no lines, shows `warning` instead
// and appends nothing.
void AppendMessageFile(const std::string& path, bool lineEndFirst, std::string_view warning, Caller& caller,
                       ExportBuffer& out);

// `number` right-aligned with spaces to `width` characters.
std::string AlignedNumber(std::uint32_t number, std::size_t width);

}  // namespace ordonna
