// The whole list file is in memory, so every search runs over the bytes actually read and an
// end tag is found wherever it lies; only the tag itself must sit in the first 65,535 bytes.
#include "import/ListRecognition.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "import/ImportMessages.h"

namespace ordonna {
namespace {

constexpr std::string_view kPlainPrefix = "<oRdONNATAG LABEL=\"S";
constexpr std::string_view kTablePrefix = "<OrdONNAtaG LABEL=\"s";
constexpr std::string_view kPlainEnd = "<oRdONNATAG LABEL=\"ENd\">";
constexpr std::string_view kCaptionRowEnd = "</tR>";
constexpr std::string_view kTableEnd = "</TaBLE></CENTER>";
constexpr std::string_view kTableSeparator = "</TaBLE></CENTER><BR><CENTER><TABLE";
constexpr std::string_view kCaptionAttribute = "ordcsp=";
constexpr std::string_view kTitleCell = "<TD ALign=";
constexpr std::size_t kTagSize = 40;

// The caption row is looked for this far after its start.
constexpr std::size_t kCaptionSearch = 512;
// A title row is at most this long (eleven title cells are about 500 bytes).
constexpr std::size_t kTitleRowLimit = 1023;
// From the end of one table to the title cell of the next: the caption row between them may
// hold a caption of 255 characters written as entities (six bytes each).
constexpr std::size_t kNextTableLimit = 4096;

// The first `pattern` in bytes[from, limit), or npos.
std::size_t FindIn(std::string_view bytes, std::string_view pattern, std::size_t from, std::size_t limit) {
  limit = std::min(limit, bytes.size());
  if (from >= limit) return std::string_view::npos;
  const std::size_t at = bytes.substr(from, limit - from).find(pattern);
  return at == std::string_view::npos ? at : from + at;
}

bool At(std::string_view bytes, std::size_t i, std::string_view pattern) {
  return bytes.size() - i >= pattern.size() && std::memcmp(bytes.data() + i, pattern.data(), pattern.size()) == 0;
}

// Appends the text of `raw` with entities decoded, in one pass.
void AppendDecoded(std::string_view raw, std::string& out) {
  std::size_t i = 0;
  while (i < raw.size()) {
    const std::size_t amp = raw.find('&', i);
    if (amp == std::string_view::npos) break;
    out.append(raw.substr(i, amp - i));
    if (At(raw, amp, "&nbsp;")) {
      out += ' ';
      i = amp + 6;
    } else if (At(raw, amp, "&amp;")) {
      out += '&';
      i = amp + 5;
    } else if (At(raw, amp, "&quot;")) {
      out += '"';
      i = amp + 6;
    } else if (At(raw, amp, "&lt;")) {
      out += '<';
      i = amp + 4;
    } else if (At(raw, amp, "&gt;")) {
      out += '>';
      i = amp + 4;
    } else {
      out += '&';
      i = amp + 1;
    }
  }
  out.append(raw.substr(i));
}

// One line of a plain HTML list: "<NOBR>" and "</NOBR>" dropped, entities decoded.
void AppendPlainLine(std::string_view raw, std::string& out) {
  std::size_t i = 0;
  while (i < raw.size()) {
    const std::size_t lt = raw.find('<', i);
    if (lt == std::string_view::npos) break;
    AppendDecoded(raw.substr(i, lt - i), out);
    if (At(raw, lt, "<NOBR>")) {
      i = lt + 6;
    } else if (At(raw, lt, "</NOBR>")) {
      i = lt + 7;
    } else {
      out += '<';
      i = lt + 1;
    }
  }
  AppendDecoded(raw.substr(i), out);
}

void ConvertPlain(std::string_view region, std::uint8_t delimiter, std::size_t delimiters, std::string& out) {
  // The space and tab styles separate fields by "&nbsp;" and "&nbsp; &nbsp; ", which the
  // fields themselves never hold (only the name, leftmost, keeps its spaces that way), so the
  // rightmost separators of a line are its delimiters.
  const std::string_view separator = delimiter == 4 ? "&nbsp;" : delimiter == 5 ? "&nbsp; &nbsp; " : "";
  std::string line;
  std::vector<std::size_t> cuts;
  std::size_t pos = 0;
  while (pos <= region.size()) {
    std::size_t br = region.find("<BR>", pos);
    if (br == std::string_view::npos) br = region.size();
    std::string_view raw = region.substr(pos, br - pos);
    if (separator.empty()) {
      AppendPlainLine(raw, out);
    } else {
      cuts.clear();
      std::size_t limit = raw.size();
      while (cuts.size() < delimiters && limit >= separator.size()) {
        const std::size_t at = raw.substr(0, limit).rfind(separator);
        if (at == std::string_view::npos) break;
        cuts.push_back(at);
        limit = at;
      }
      std::size_t from = 0;
      for (auto it = cuts.rbegin(); it != cuts.rend(); ++it) {
        AppendPlainLine(raw.substr(from, *it - from), out);
        out += '\t';
        from = *it + separator.size();
      }
      AppendPlainLine(raw.substr(from), out);
    }
    out += '\n';
    pos = br + 4;
  }
}

[[nodiscard]] Status ConvertTable(std::string_view bytes, const RecognizedList& list, bool captionColumn,
                                  std::string& out) {
  const std::string_view region = bytes.substr(0, list.End);
  char style = list.CaptionStyle;
  std::string caption = list.FirstCaption;
  bool firstCell = true;
  std::size_t i = list.Start;
  while (i < region.size()) {
    std::size_t next = i;
    while (next < region.size() && region[next] != '<' && region[next] != '&') ++next;
    out.append(region.substr(i, next - i));
    i = next;
    if (i >= region.size()) break;
    if (region[i] == '&') {
      if (At(region, i, "&nbsp;")) {
        i += 6;
      } else if (At(region, i, "&amp;")) {
        out += '&';
        i += 5;
      } else if (At(region, i, "&quot;")) {
        out += '"';
        i += 6;
      } else if (At(region, i, "&lt;")) {
        out += '<';
        i += 4;
      } else if (At(region, i, "&gt;")) {
        out += '>';
        i += 4;
      } else {
        out += '&';
        i += 1;
      }
      continue;
    }
    // Most tags are told apart by their second character before any comparison.
    const char second = i + 1 < region.size() ? region[i + 1] : '\0';
    if (second != 'N' && second != '/' && second != 'T') {
      out += '<';
      ++i;
    } else if (At(region, i, "<NOBR>")) {
      i += 6;
    } else if (At(region, i, "</NOBR>")) {
      i += 7;
    } else if (At(region, i, "</TD>")) {
      i += 5;
    } else if (At(region, i, "<TR>")) {
      firstCell = true;
      i += 4;
    } else if (At(region, i, "<TD ALIGN=RIGHT>") || At(region, i, "<TD ALIGN=LEFT>") ||
               At(region, i, "<TD ALIGN=CENTER>")) {
      if (!firstCell) out += '\t';
      firstCell = false;
      i = region.find('>', i) + 1;
    } else if (At(region, i, "</TR>")) {
      if (captionColumn && !caption.empty()) {
        out += '\t';
        out += caption;
      }
      out += '\n';
      i += 5;
    } else if (At(region, i, kTableSeparator)) {
      if (style == '7' || style == '9') caption = ReadCaption(bytes, i + kTableSeparator.size(), style);
      firstCell = true;
      const std::size_t title = FindIn(region, kTitleCell, i, i + kNextTableLimit);
      if (title == std::string_view::npos) {
        if (region.size() - i <= kNextTableLimit) break;  // the list ends here
        return Status::Invalid(import_text::kBadTableEnd);
      }
      i = title;
    } else if (At(region, i, kTitleCell)) {
      // A title row: its end is the end of the row, never a cell of the first data row.
      const std::size_t end = FindIn(region, kCaptionRowEnd, i, i + kTitleRowLimit);
      if (end == std::string_view::npos) return Status::Invalid(import_text::kTitleRowTooLong);
      i = end + kCaptionRowEnd.size();
    } else {
      out += '<';
      ++i;
    }
  }
  return Status::Ok();
}

bool IsLineBreakPair(std::string_view bytes, std::size_t at) {
  return (bytes[at] == '\r' && bytes[at + 1] == '\n') || (bytes[at] == '\n' && bytes[at + 1] == '\r');
}

}  // namespace

std::string DecodeEntities(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendDecoded(text, out);
  return out;
}

std::string ReadCaption(std::string_view bytes, std::size_t from, char& captionStyle) {
  const std::size_t at = FindIn(bytes, kCaptionAttribute, from, from + kCaptionSearch + kCaptionAttribute.size());
  if (at == std::string_view::npos || at + kCaptionAttribute.size() >= bytes.size()) return {};
  const char style = bytes[at + kCaptionAttribute.size()];
  if (style != '7' && style != '9') {
    if (captionStyle == 0) captionStyle = '2';
    return {};
  }
  if (captionStyle == 0) captionStyle = style;
  std::size_t text = bytes.find('>', at);
  if (text == std::string_view::npos) return {};
  ++text;
  if (At(bytes, text, "<NOBR>")) text += 6;
  if (At(bytes, text, "<em>")) text += 4;
  std::size_t end = bytes.find('<', text);
  if (end == std::string_view::npos) end = bytes.size();
  return DecodeEntities(bytes.substr(text, end - text));
}

Status RecognizeList(std::string_view bytes, RecognizedList& list) {
  list = RecognizedList{};
  const std::string_view window = bytes.substr(0, std::min(bytes.size(), kRecognitionWindow));
  const std::size_t table = window.find(kTablePrefix);
  if (table != std::string_view::npos) {
    list.Kind = ImportKind::HtmlTable;
    const std::optional<ImportedFields> fields =
        bytes.size() - table >= kTagSize ? DecodeListInfoTag(bytes.substr(table, 40)) : std::nullopt;
    if (!fields) return Status::Invalid(import_text::kTableTagUndecodable);
    list.Fields = *fields;
    list.FirstCaption = ReadCaption(bytes, table + 39, list.CaptionStyle);
    const std::size_t rowEnd = FindIn(bytes, kCaptionRowEnd, table + 40, bytes.size());
    if (rowEnd == std::string_view::npos) return Status::Invalid(import_text::kTableRowEndMissing);
    list.Start = rowEnd + kCaptionRowEnd.size();
    const std::size_t end = bytes.rfind(kTableEnd);
    if (end == std::string_view::npos || end < list.Start) return Status::Invalid(import_text::kTableEndMissing);
    list.End = end;
    return Status::Ok();
  }
  const std::size_t plain = window.find(kPlainPrefix);
  if (plain != std::string_view::npos) {
    list.Kind = ImportKind::PlainHtml;
    const std::optional<ImportedFields> fields =
        bytes.size() - plain >= kTagSize ? DecodeListInfoTag(bytes.substr(plain, 40)) : std::nullopt;
    if (!fields) return Status::Invalid(import_text::kPlainTagUndecodable);
    list.Fields = *fields;
    list.Start = plain + 40;
    const std::size_t end = FindIn(bytes, kPlainEnd, list.Start, bytes.size());
    if (end == std::string_view::npos) return Status::Invalid(import_text::kPlainEndMissing);
    list.End = end;
    return Status::Ok();
  }
  list.Kind = ImportKind::Text;
  list.End = bytes.size();
  return Status::Ok();
}

std::string HeaderBytes(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

std::string FooterBytes(const std::vector<std::string>& lines) {
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += "\r\n";
    out += lines[i];
  }
  return out;
}

namespace {

bool FitsWindow(std::string_view bytes, std::string_view part) {
  const std::size_t window = std::min(bytes.size(), kRecognitionWindow);
  return window >= 24 && part.size() <= window - 24;
}

}  // namespace

Status StripHeader(std::string_view bytes, std::string_view header, RecognizedList& list, StripProblem& problem) {
  problem = StripProblem::None;
  if (header.empty()) {
    problem = StripProblem::Missing;
    return Status::Ok();
  }
  if (!FitsWindow(bytes, header)) {
    problem = StripProblem::Ratio;
    return Status::Ok();
  }
  if (bytes.substr(0, header.size()) != header) {
    problem = StripProblem::Mismatch;
    return Status::Ok();
  }
  std::size_t start = header.size();
  while (true) {
    if (start + 2 > bytes.size()) return Status::Invalid(import_text::kNoLineBreakAfterHeader);
    if (!IsLineBreakPair(bytes, start)) break;
    start += 2;
  }
  list.Start = start;
  return Status::Ok();
}

Status StripFooter(std::string_view bytes, std::string_view footer, RecognizedList& list, StripProblem& problem) {
  problem = StripProblem::None;
  if (footer.empty()) {
    problem = StripProblem::Missing;
    return Status::Ok();
  }
  if (!FitsWindow(bytes, footer)) {
    problem = StripProblem::Ratio;
    return Status::Ok();
  }
  if (bytes.substr(bytes.size() - footer.size()) != footer) {
    problem = StripProblem::Mismatch;
    return Status::Ok();
  }
  std::size_t end = bytes.size() - footer.size();
  while (end >= 2 && IsLineBreakPair(bytes, end - 2)) {
    end -= 2;
    if (end < 4) return Status::Invalid(import_text::kNoLineBreakBeforeFooter);
  }
  list.End = end;
  return Status::Ok();
}

Status ConvertList(std::string_view bytes, const RecognizedList& list, bool captionColumn, std::size_t delimiters,
                   std::string& lines) {
  lines.clear();
  const std::string_view region = bytes.substr(list.Start, list.End - list.Start);
  switch (list.Kind) {
    case ImportKind::Text: lines.assign(region); return Status::Ok();
    case ImportKind::PlainHtml:
      lines.reserve(region.size());
      ConvertPlain(region, list.Fields.Delimiter, delimiters, lines);
      return Status::Ok();
    case ImportKind::HtmlTable:
      lines.reserve(region.size() / 2);
      return ConvertTable(bytes, list, captionColumn, lines);
  }
  return Status::Ok();
}

}  // namespace ordonna
