// The parts both HTML exports share: style sheet, list tag, colours, the table's title row.
#include "export/HtmlExport.h"

#include <array>
#include <cstdio>

#include "config/AppOptions.h"
#include "export/Formatters.h"

namespace ordonna {
namespace {

constexpr std::string_view kDefaultTableFont = "Courier New";

// `colorRule` is the style sheet's colour line, or empty when the text keeps its colour.
std::string FontStyleText(std::uint8_t fontStyle, std::string_view colorRule) {
  std::string out = (fontStyle & kFontItalic) != 0 ? "font-style:italic;\r\n" : "font-style:normal;\r\n";
  if ((fontStyle & kFontBold) != 0) out += "font-weight:bold;\r\n";
  if ((fontStyle & kFontUnderline) != 0) out += "text-decoration:underline;\r\n";
  out += colorRule;
  return out;
}

std::string FontBlock(std::string_view selector, std::uint8_t fontStyle, std::string_view colorRule,
                      std::string_view fontName, std::uint8_t fontSize) {
  return std::string(selector) + "\r\n{\r\n" + FontStyleText(fontStyle, colorRule) + "font-family:'" +
         SafeFontName(fontName) + "';\r\nfont-size:" + std::to_string(fontSize) + "pt;\r\n}\r\n";
}

char Flag(std::uint8_t option, char letter) { return option != 0 ? letter : '0'; }

bool IsAsciiLetterOrDigit(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

}  // namespace

bool NeedsHtmlEscape(std::string_view text) {
  for (char c : text) {
    if (c == '&' || c == '"' || c == '<' || c == '>' || c == '\0') return true;
  }
  return false;
}

void AppendHtmlText(std::string_view text, ExportBuffer& out) {
  if (NeedsHtmlEscape(text)) {
    out.Append(HtmlEscapeText(text));
  } else {
    out.Append(text);
  }
}

std::string ColorHex(std::int32_t color) {
  const auto value = static_cast<std::uint32_t>(color);
  char digits[8];
  std::snprintf(digits, sizeof digits, "%02X%02X%02X", value & 0xFFu, (value >> 8) & 0xFFu, (value >> 16) & 0xFFu);
  return digits;
}

std::string SafeFontName(std::string_view name) {
  std::string out;
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 || IsAsciiLetterOrDigit(byte) || c == ' ' || c == '.' || c == '-' || c == '_') out += c;
  }
  return out;
}

std::string StyleBlock(MainOptions& options, bool forTable, CaptionKind caption) {
  if (options.TableFontName.Empty()) options.TableFontName.Set(kDefaultTableFont);
  if (options.TableFontSize == 0) options.TableFontSize = 1;
  const bool textColor = options.UseTextColor != 0;
  const std::string colorRule = textColor ? "color:#" + ColorHex(options.TableTextColor) + ";\r\n" : "";
  const bool tableColor = textColor && options.PlainHtmlStyled != 0;
  std::string out = "<STYLE TYPE=\"text/css\"><!--\r\n";
  out += FontBlock(forTable ? "table" : "body", options.TableFontStyle, tableColor ? colorRule : "",
                   options.TableFontName.View(), options.TableFontSize);
  if (forTable && caption != CaptionKind::None) {
    out +=
        FontBlock("em", options.CaptionFontStyle, colorRule, options.CaptionFontName.View(), options.CaptionFontSize);
  }
  return out + "--></STYLE>";
}

std::string TableHeaderRow(const MainOptions& options) {
  const std::string_view nameCell = options.CenterArtistTitle != 0 ? "<TD ALign=CENTER>" : "<TD ALign=LEFT>";
  std::string out = "<TR>";
  if (options.Enumerate != 0) out += "<TD ALign=LEFT><B>No.</B></TD>";
  if (options.SplitArtistTitle != 0) {
    out += std::string(nameCell) + "<B>artist</B></TD>" + std::string(nameCell) + "<B>title</B></TD>";
  } else {
    out += std::string(nameCell) + "<B>filename</B></TD>";
  }
  for (InfoColumn column : SelectedColumns(options)) {
    switch (column) {
      case InfoColumn::Time: out += "<TD ALign=LEFT><B>time</B></TD>"; break;
      case InfoColumn::Kbps: out += "<TD ALign=LEFT><B>kbps</B></TD>"; break;
      case InfoColumn::Size: out += "<TD ALign=LEFT><B>size</B></TD>"; break;
      case InfoColumn::Stereo:
        out += options.StereoStyle == 0 ? "<TD ALign=LEFT><B>m.</B></TD>" : "<TD ALign=LEFT><B>mode</B></TD>";
        break;
      case InfoColumn::Frequency: out += "<TD ALign=LEFT><B>KHz</B></TD>"; break;
      case InfoColumn::DateCreated: out += "<TD ALign=LEFT><B>created</B></TD>"; break;
      case InfoColumn::Path: out += "<TD ALign=LEFT><B>path</B></TD>"; break;
      case InfoColumn::DateAdded: out += "<TD ALign=LEFT><B>added</B></TD>"; break;
      case InfoColumn::VolumeLabel: out += "<TD ALign=LEFT><NOBR><B>volume label</B></NOBR></TD>"; break;
    }
  }
  return out + "</tR>";
}

std::string ListInfoTag(const MainOptions& options, std::uint8_t sortState, bool forTable) {
  std::string tag(forTable ? kTableTagOpening : kPlainTagOpening);
  for (char flag :
       {Flag(options.Enumerate, 'E'), Flag(options.InfoTime, 'T'), Flag(options.InfoKbps, 'B'),
        Flag(options.InfoSize, 'S'), Flag(options.InfoStereo, 'M'), Flag(options.InfoFrequency, 'F'),
        Flag(options.InfoDateCreated, 'C'), Flag(options.InfoPath, 'P'), Flag(options.InfoDateAdded, 'A'),
        Flag(options.InfoVolumeLabel, 'V'), Flag(options.StereoStyle, '7'), Flag(options.SplitArtistTitle, 'S')}) {
    tag += flag;
  }
  char digits[4];
  std::snprintf(digits, sizeof digits, "%03u", static_cast<unsigned>(sortState));
  tag += digits;
  // Each style is one digit; a value out of range is written as the style the formatters
  // used for it, which is also what loading the options repairs it to.
  tag += static_cast<char>('0' + (options.DateStyle <= 3 ? options.DateStyle : 0));
  tag += static_cast<char>('0' + (options.SizeStyle <= 4 ? options.SizeStyle : 1));
  tag += static_cast<char>('0' + (options.Delimiter <= 5 ? options.Delimiter : 0));
  return tag + "\">";
}

}  // namespace ordonna
