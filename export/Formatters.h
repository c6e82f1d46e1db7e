// The text of every entry field, as the exports, the viewer and the logs write it: one
// formatter per field, so a field reads the same everywhere and the import reads it back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/ListEntry.h"
#include "export/FieldStyle.h"

namespace ordonna {

// Play time "m:ss" (minutes without hours: 75 minutes are "75:00"), seconds rounded half to
// even; negative frames give "", "??:??" or "--:--" by ErrorInfoStyle.
std::string FormatPlayTime(std::int32_t frames, std::uint8_t frequencyCode, const FieldStyle& style);

// The unrounded play time in seconds; 0 for frames of 0 or less.
double PlaySeconds(std::int32_t frames, std::uint8_t frequencyCode);

// Bitrate right-aligned in three characters (" 32", "128"), the VbrStyle name for a variable
// bitrate, "   ", "  ?" or "  -" when undetermined.
std::string FormatKbpsPadded(std::uint8_t bitrateCode, const FieldStyle& style);

// The padded bitrate and " kbps" (" 32 kbps"); "var.kbps"/"VAR.kbps", or "vbr"/"VBR" without a
// unit; "", "? kbps" or "- kbps" when undetermined.
std::string FormatKbpsUnit(std::uint8_t bitrateCode, const FieldStyle& style);

// The bare number ("32"), the VbrStyle name, or "", "?", "-" when undetermined.
std::string FormatKbpsCompact(std::uint8_t bitrateCode, const FieldStyle& style);

// Sampling frequency: "44.1", "48.0", "32.0", "?" for any other code.
std::string FormatFreqShort(std::uint8_t frequencyCode);
// The same followed by " KHz" ("? KHz").
std::string FormatFreqUnit(std::uint8_t frequencyCode);
// The same framed by spaces (" 44.1 ", " ? ").
std::string FormatFreqPadded(std::uint8_t frequencyCode);

// "S", "JS", "DC", "M" or, with a long StereoStyle, "stereo", "joint stereo", "dual channel",
// "mono"; "", "?" or "-" when undetermined.
std::string FormatStereo(std::uint8_t stereoMode, const FieldStyle& style);

// The decimal size and the SizeStyle unit ("5000 K"); undetermined: "" (no unit), or "?" or
// "-" followed by the unit.
std::string FormatSize(std::int32_t sizeKB, const FieldStyle& style);

// The date of a day number by DateStyle: the locale's short format (years always in full),
// "05.04.2004.", "04.05.2004." or "2004.04.05."; a day number outside 1..2,958,465 gives "",
// "?" or "-".
std::string FormatDate(std::int32_t dayNumber, const FieldStyle& style);

struct ArtistAndTitle {
  std::string Artist;
  std::string Title;
};

// Splits a file name at the first " - ", else " -", else "- ", else "-"; a name of fewer
// than five characters, or one without a hyphen, is all title. Nothing is trimmed.
ArtistAndTitle SplitName(std::string_view fileName);

// Text for an HTML table cell: '"', '&', '<', '>' escaped, then runs of spaces (bytes 0, 32
// and 255) written alternately as " " and "&nbsp;", starting with " ".
std::string HtmlEscapeCell(std::string_view text);

// Text for plain HTML: '&', '"', '<', '>' escaped and a zero byte written as "&nbsp;".
std::string HtmlEscapeText(std::string_view text);

// Keeps runs of spaces visible in HTML: spaces alternate between "&nbsp;" and " ", starting
// with "&nbsp;" at the start of the text and with " " after any other character.
std::string HtmlSpaces(std::string_view text);

// Characters of `text` (UTF-8, an invalid byte counting as one), "&amp;" and "&quot;" each
// counted as one character; a count above 32,768 gives 0.
std::size_t VisibleLength(std::string_view text);

// `text` followed by spaces up to a visible length of PadFilenameTo; a text already that long
// or longer is returned unchanged.
std::string PadName(std::string_view text, const FieldStyle& style);

// The play time of a whole list in seconds: the frames of each frequency are summed (only
// determined frames, 0 or more) and converted together, then rounded half to even.
std::int64_t TotalPlaySeconds(std::span<const ListEntry> entries);

// ", " + the duration in ViewerTotalTimeStyle + ")", the tail of the viewer's caption
// (", 1.01:01:01)", ", 1 day 1 hour 1 minute 1 second )"); ")" alone for a negative total.
std::string FormatTotalDuration(std::int64_t totalSeconds, const FieldStyle& style);

}  // namespace ordonna
