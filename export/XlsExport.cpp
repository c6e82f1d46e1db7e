// The XLS export. Records are a u16 record number, a u16 data length and the data, all
// little-endian; each cell is a LABEL record with row, column, format index 0 and the text.
#include "export/XlsExport.h"

#include <array>
#include <cassert>
#include <optional>
#include <vector>

#include "config/AppOptions.h"
#include "core/ListStore.h"
#include "core/Text.h"
#include "export/ExportMessages.h"
#include "export/Formatters.h"
#include "platform/OutputFile.h"

namespace ordonna {
namespace {

// Beginning of file: record 0x0809, 8 bytes: version 0, sheet type 0x0010 (worksheet), four zeros.
constexpr std::array<std::uint8_t, 12> kBeginningOfFile = {0x09, 0x08, 0x08, 0x00, 0x00, 0x00,
                                                           0x10, 0x00, 0x00, 0x00, 0x00, 0x00};
// End of file: record 0x000A without data.
constexpr std::array<std::uint8_t, 4> kEndOfFile = {0x0A, 0x00, 0x00, 0x00};
constexpr std::uint16_t kLabelRecord = 0x0204;
constexpr std::size_t kCellCapacity = 255;
// The records go to the file in blocks of about this size.
constexpr std::size_t kBlockSize = 64 * 1024;

void AppendU16(std::string& out, std::uint16_t value) {
  out += static_cast<char>(value & 0xFFu);
  out += static_cast<char>(value >> 8);
}

void AppendLabel(std::string& out, std::uint16_t row, std::uint16_t column, std::string_view text) {
  const std::string cell = XlsCellText(text);
  const auto length = static_cast<std::uint16_t>(cell.size());
  AppendU16(out, kLabelRecord);
  AppendU16(out, static_cast<std::uint16_t>(8 + length));
  AppendU16(out, row);
  AppendU16(out, column);
  AppendU16(out, 0);
  AppendU16(out, length);
  out += cell;
}

// A folder or label made of the single character 0 stands for "none".
std::string_view UnlessZero(std::string_view text) { return text == std::string_view("\0", 1) ? "" : text; }

std::string CellText(std::optional<InfoColumn> column, const ListEntry& e, const FieldStyle& style) {
  if (!column) return std::string(e.FileName.View());
  switch (*column) {
    case InfoColumn::Time: return FormatPlayTime(e.Frames, e.FrequencyCode, style);
    case InfoColumn::Kbps: return FormatKbpsPadded(e.BitrateCode, style);
    case InfoColumn::Size: return std::to_string(e.SizeKB);
    case InfoColumn::Stereo: return FormatStereo(e.StereoMode, style);
    case InfoColumn::Frequency: return FormatFreqShort(e.FrequencyCode);
    case InfoColumn::DateCreated: return FormatDate(e.FileDate, style);
    case InfoColumn::Path: return std::string(UnlessZero(e.Folder.View()));
    case InfoColumn::DateAdded: return FormatDate(e.DateAdded, style);
    case InfoColumn::VolumeLabel: return std::string(UnlessZero(e.VolumeLabel.View()));
  }
  return {};
}

}  // namespace

std::string XlsCellText(std::string_view text) {
  std::string out;
  while (!text.empty() && out.size() < kCellCapacity) {
    TextCharacter character = NextCharacter(text);
    int byte = UnicodeToWindows1252(character.CodePoint);
    out += byte < 0 ? '?' : static_cast<char>(byte);
    text.remove_prefix(character.Bytes);
  }
  return out;
}

Status WriteXlsFile(const ExportJob& job, OutputSink& sink) {
  const EntryList& list = job.List.Working();
  assert(list.ItemCount() < kXlsEntryLimit);
  std::vector<std::optional<InfoColumn>> columns = {std::nullopt};
  for (InfoColumn column : SelectedColumns(job.Options.Main)) columns.emplace_back(column);

  std::string block(kBeginningOfFile.begin(), kBeginningOfFile.end());
  for (std::size_t column = 0; column < columns.size(); ++column) {
    for (std::uint32_t row = 0; row < list.ItemCount(); ++row) {
      AppendLabel(block, static_cast<std::uint16_t>(row), static_cast<std::uint16_t>(column),
                  CellText(columns[column], list.Entry(row), job.Style));
      if (block.size() >= kBlockSize) {
        if (Status status = sink.Write(block); !status.ok()) return status;
        block.clear();
      }
    }
  }
  block.append(kEndOfFile.begin(), kEndOfFile.end());
  return sink.Write(block);
}

Status ExportXls(const ExportJob& job, const std::string& path) {
  const std::uint32_t count = job.List.ItemCount();
  if (count >= kXlsEntryLimit) return Status::Invalid(export_text::kXlsTooLarge);
  if (count == 0) return Status::Invalid(export_text::kXlsEmpty);

  ExportProgress progress(job);
  OutputFile file;
  Status status = file.Open(path);
  if (status.ok()) status = WriteXlsFile(job, file);
  if (status.ok()) status = file.Commit();
  if (!status.ok()) return Status::IoError(export_text::kXlsError, status.detail());
  return status;
}

}  // namespace ordonna
