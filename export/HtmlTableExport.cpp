// The HTML table export: one row per entry, a title row, and caption rows above the table
// or above each group of entries that share a folder or volume label.
#include <string>
#include <string_view>

#include "config/AppOptions.h"
#include "core/ListStore.h"
#include "core/Sort.h"
#include "core/Text.h"
#include "export/ExportMessages.h"
#include "export/Formatters.h"
#include "export/HtmlExport.h"

namespace ordonna {
namespace {

constexpr std::uint32_t kCancelPhase = 37;

// The sort field of a SortState byte lives in its low six bits.
constexpr std::uint8_t kSortFieldMask = 63;

constexpr std::string_view kRight = "<TD ALIGN=RIGHT><NOBR>&nbsp;";
constexpr std::string_view kLeft = "<TD ALIGN=LEFT><NOBR>&nbsp;";
constexpr std::string_view kCenter = "<TD ALIGN=CENTER><NOBR>&nbsp;";
constexpr std::string_view kCellEnd = "&nbsp;</NOBR></TD>";

std::string TableStart(const MainOptions& options) {
  std::string out = "<TABLE CELLSPACING=\"" + std::to_string(options.CellSpacing) + "\" CELLPADDING=\"" +
                    std::to_string(options.CellPadding) + "\" BORDER=\"" + std::to_string(options.Border) + "\"";
  if (options.UseBgColor != 0) out += " BGCOLOR=#" + ColorHex(options.TableBgColor);
  return out + ">";
}

std::string CaptionRow(std::size_t columns, char style, std::string_view text) {
  return "<Tr><tD CoLsPaN=" + std::to_string(columns) + " ALign=CENTER ordcsp=" + style + "><NOBR><em>" +
         HtmlEscapeCell(text) + "</em></NObR></tD></tR>";
}

void AppendCell(std::string_view opening, std::string_view text, std::string_view closing, ExportBuffer& out) {
  out.Append(opening);
  out.Append(text);
  out.Append(closing);
}

// A cell of user data, escaped.
void AppendTextCell(std::string_view opening, std::string_view text, ExportBuffer& out) {
  out.Append(opening);
  AppendHtmlText(text, out);
  out.Append(kCellEnd);
}

void AppendColumn(InfoColumn column, const ListEntry& e, const FieldStyle& style, ExportBuffer& out) {
  switch (column) {
    case InfoColumn::Time: AppendCell(kRight, FormatPlayTime(e.Frames, e.FrequencyCode, style), kCellEnd, out); break;
    case InfoColumn::Kbps:
      AppendCell("<TD ALIGN=CENTER><NOBR>&nbsp; ", FormatKbpsCompact(e.BitrateCode, style), " &nbsp;</NOBR></TD>", out);
      break;
    case InfoColumn::Size: AppendCell(kRight, FormatSize(e.SizeKB, style), kCellEnd, out); break;
    case InfoColumn::Stereo: AppendCell(kRight, FormatStereo(e.StereoMode, style), kCellEnd, out); break;
    case InfoColumn::Frequency: AppendCell(kCenter, FormatFreqShort(e.FrequencyCode), kCellEnd, out); break;
    case InfoColumn::DateCreated: AppendCell(kRight, FormatDate(e.FileDate, style), kCellEnd, out); break;
    case InfoColumn::Path: AppendTextCell(kLeft, e.Folder.View(), out); break;
    case InfoColumn::DateAdded: AppendCell(kRight, FormatDate(e.DateAdded, style), kCellEnd, out); break;
    case InfoColumn::VolumeLabel: AppendTextCell(kLeft, e.VolumeLabel.View(), out); break;
  }
}

}  // namespace

Status ExportHtmlTable(const ExportJob& job, const TableCaption& caption, OutputSink& sink) {
  MainOptions& options = job.Options.Main;
  const std::uint8_t sortField = job.List.SortState & kSortFieldMask;
  const bool groupable = sortField == kSortPath || sortField == kSortVolumeLabel;
  // Grouped captions without the order they group by would leave the table without a
  // title row, which the import needs: such a table gets no captions instead.
  const CaptionKind kind = caption.Kind == CaptionKind::Grouped && !groupable ? CaptionKind::None : caption.Kind;
  const bool ownHeader = options.HeaderFromFile != 0 && options.UseOwnHtmlTags != 0;
  const bool ownFooter = options.FooterFromFile != 0 && options.UseOwnHtmlTags != 0;
  const std::vector<InfoColumn> columns = SelectedColumns(options);
  const std::size_t columnCount = 1 + (options.Enumerate != 0) + (options.SplitArtistTitle != 0) + columns.size();
  const std::string_view nameCell = options.CenterArtistTitle != 0 ? kCenter : kLeft;

  ExportProgress progress(job);
  ExportBuffer out(sink);
  if (!ownHeader) {
    out.Append("<HTmL><HEAD><TITLE>my mp3 list</TITLE>");
    out.Append(StyleBlock(options, true, kind));
    out.Append("</HEAD><BODY>");
  }
  if (options.HeaderFromFile != 0) {
    AppendMessageFile(std::string(options.HtmlHeaderFile.View()), false, export_text::kHeaderMissing, job.Runner, out);
  }
  out.Append(ListInfoTag(options, job.List.SortState, true));
  const std::string tableStart = TableStart(options);
  const std::string headerRow = TableHeaderRow(options);
  out.Append("<CENTER>");
  out.Append(tableStart);
  if (kind == CaptionKind::Typed) out.Append(CaptionRow(columnCount, '2', caption.Text));
  if (kind != CaptionKind::Grouped) out.Append(headerRow);

  const EntryList& list = job.List.Working();
  const std::uint32_t count = list.ItemCount();
  std::string groupCaption;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (progress.CancelledAt(i, kCancelPhase)) return Status::Cancelled();
    const ListEntry& entry = list.Entry(i);
    if (kind == CaptionKind::Grouped) {
      std::string_view value = sortField == kSortPath ? entry.Folder.View() : entry.VolumeLabel.View();
      if (i == 0 || !EqualIgnoringAsciiCase(value, groupCaption)) {
        groupCaption = value;
        if (i > 0) {
          out.Append("</TaBLE></CENTER><BR><CENTER>");
          out.Append(tableStart);
        }
        out.Append(CaptionRow(columnCount, static_cast<char>('0' + sortField), groupCaption));
        out.Append(headerRow);
      }
    }
    out.Append("<TR>");
    if (options.Enumerate != 0) {
      out.Append("<TD ALIGN=RIGHT><NOBR>&nbsp;");
      out.Append(std::to_string(i + 1));
      out.Append(".</NOBR></TD>");
    }
    if (options.SplitArtistTitle != 0) {
      ArtistAndTitle parts = SplitName(entry.FileName.View());
      AppendTextCell(nameCell, parts.Artist, out);
      AppendTextCell(nameCell, parts.Title, out);
    } else {
      AppendTextCell(nameCell, entry.FileName.View(), out);
    }
    for (InfoColumn column : columns) AppendColumn(column, entry, job.Style, out);
    out.Append("</TR>");
    if (Status status = out.FlushIfFull(); !status.ok()) return status;
  }
  out.Append("</TaBLE></CENTER>");

  if (options.FooterFromFile != 0) {
    AppendMessageFile(std::string(options.HtmlFooterFile.View()), false, export_text::kFooterMissing, job.Runner, out);
  }
  if (!ownFooter) out.Append("</BODY></HTmL>");
  return out.Flush();
}

}  // namespace ordonna
