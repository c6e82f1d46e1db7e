// Field formatters. Every floating-point step is IEEE double and every rounding goes half to
// even (std::nearbyint in the default rounding mode), so a play time reads the same everywhere.
#include "export/Formatters.h"

#include <array>
#include <cmath>
#include <optional>

#include "core/DayNumber.h"
#include "core/Text.h"

namespace ordonna {
namespace {

// Bitrates of indexes 1..14 of the MPEG-1 Layer III table, in kbps.
constexpr std::array<int, 14> kKbps = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};

// Names of a variable bitrate by VbrStyle; only the first two carry a ".kbps" unit.
constexpr std::array<std::string_view, 4> kVbrNames = {"var", "VAR", "vbr", "VBR"};

constexpr std::array<std::string_view, 4> kStereoShort = {"S", "JS", "DC", "M"};
constexpr std::array<std::string_view, 4> kStereoLong = {"stereo", "joint stereo", "dual channel", "mono"};

constexpr std::array<std::string_view, 5> kSizeUnits = {"", " K", "K", " Kb", "Kb"};

constexpr std::array<std::string_view, 3> kFrequencies = {"44.1", "48.0", "32.0"};

// A visible width counts at most this far; longer texts count as 0.
constexpr std::size_t kVisibleLengthLimit = 32768;

// Flags and modifiers that may stand between "%" and a conversion.
constexpr std::string_view kSkippedFlags = "_-0^#EO";

// A fallback for a locale format that names no part of a date at all.
constexpr std::string_view kFallbackDateFormat = "%m/%d/%Y";

// "", "?" or "-": the text of an undetermined value by ErrorInfoStyle.
std::string_view ErrorMark(const FieldStyle& style) {
  switch (style.ErrorInfoStyle) {
    case 0: return "";
    case 2: return "-";
    default: return "?";
  }
}

std::string TwoDigits(std::int64_t value) {
  std::string digits = std::to_string(value);
  return value < 10 ? "0" + digits : digits;
}

bool ConstantBitrate(std::uint8_t code) { return code >= 1 && code <= kKbps.size(); }

std::string_view VbrName(const FieldStyle& style) { return kVbrNames[style.VbrStyle & 3u]; }

// Writes `date` by a strftime-like format. Only numeric day, month and year conversions are
// written, and every year in full, %y too: the import reads dates back and cannot tell the
// century of a two-digit year. Time, weekday and other conversions are left out.
// Returns false when the format holds no date conversion at all.
bool WriteLocaleDate(std::string_view format, const CivilDate& date, std::string& out) {
  bool wroteDate = false;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    // Padding flags and the E and O modifiers (alternative eras and digits) are skipped:
    // the plain conversion serves.
    do {
      ++i;
    } while (i < format.size() && kSkippedFlags.find(format[i]) != std::string_view::npos);
    if (i == format.size()) break;
    switch (format[i]) {
      case 'd': out += TwoDigits(date.Day); break;
      case 'e': out += (date.Day < 10 ? " " : "") + std::to_string(date.Day); break;
      case 'm': out += TwoDigits(date.Month); break;
      case 'y':
      case 'Y': out += std::to_string(date.Year); break;
      case 'D': out += TwoDigits(date.Month) + "/" + TwoDigits(date.Day) + "/" + std::to_string(date.Year); break;
      case 'F': out += std::to_string(date.Year) + "-" + TwoDigits(date.Month) + "-" + TwoDigits(date.Day); break;
      case '%': out += '%'; continue;
      default: continue;
    }
    wroteDate = true;
  }
  return wroteDate;
}

std::string LocaleDate(std::string_view format, const CivilDate& date) {
  std::string out;
  if (!WriteLocaleDate(format, date, out)) {
    out.clear();
    WriteLocaleDate(kFallbackDateFormat, date, out);
  }
  return std::string(CutToCapacity(out, kNameCapacity));
}

std::string DottedDate(int first, int second, int third, bool yearFirst) {
  if (yearFirst) return std::to_string(first) + "." + TwoDigits(second) + "." + TwoDigits(third) + ".";
  return TwoDigits(first) + "." + TwoDigits(second) + "." + std::to_string(third) + ".";
}

// The number of places where `needle` starts in `text`.
std::size_t Occurrences(std::string_view text, std::string_view needle) {
  std::size_t count = 0;
  for (std::size_t at = text.find(needle); at != std::string_view::npos; at = text.find(needle, at + 1)) {
    ++count;
  }
  return count;
}

// Visible characters without the upper limit.
std::size_t VisibleCharacters(std::string_view text) {
  return CharacterCount(text) - 4 * Occurrences(text, "&amp;") - 5 * Occurrences(text, "&quot;");
}

std::string CountedWord(std::int64_t count, std::string_view singular, std::string_view plural) {
  return std::to_string(count) + std::string(count == 1 ? singular : plural);
}

std::string Days(std::int64_t n) { return CountedWord(n, " day ", " days "); }
std::string Hours(std::int64_t n) { return CountedWord(n, " hour ", " hours "); }
std::string Minutes(std::int64_t n) { return CountedWord(n, " minute ", " minutes "); }
std::string Seconds(std::int64_t n) { return CountedWord(n, " second ", " seconds "); }

std::string DurationText(std::int64_t totalSeconds, unsigned style) {
  const std::int64_t s = totalSeconds % 60;
  const std::int64_t totalMinutes = totalSeconds / 60;
  const std::int64_t m = totalMinutes % 60;
  const std::int64_t hours = totalMinutes / 60;
  const std::int64_t h = hours % 24;
  const std::int64_t d = hours / 24;
  const std::string clock = TwoDigits(m) + ":" + TwoDigits(s);
  std::string out;
  switch (style) {
    case 0:
      if (d != 0) out += std::to_string(d) + ".";
      if (d != 0 || h != 0) out += TwoDigits(h) + ":";
      return out + clock;
    case 1:
      if (hours != 0) out += std::to_string(hours) + ":";
      return out + clock;
    case 2:
      if (d != 0) out += Days(d);
      if (d != 0 || h != 0) out += Hours(h);
      if (d == 0 && h == 0 && m == 0) return out + Seconds(s);
      out += Minutes(m);
      if (s != 0) out += Seconds(s);
      return out;
    default:
      if (hours != 0) out += Hours(hours);
      if (hours != 0 || m != 0) out += Minutes(m);
      if (s != 0 || (hours == 0 && m == 0)) out += Seconds(s);
      return out;
  }
}

}  // namespace

std::string FormatPlayTime(std::int32_t frames, std::uint8_t frequencyCode, const FieldStyle& style) {
  if (frames < 0) {
    const std::string mark(ErrorMark(style));
    return mark.empty() ? "" : mark + mark + ":" + mark + mark;
  }
  const auto seconds = static_cast<std::int64_t>(std::nearbyint(frames * SecondsPerFrame(frequencyCode)));
  return std::to_string(seconds / 60) + ":" + TwoDigits(seconds % 60);
}

double PlaySeconds(std::int32_t frames, std::uint8_t frequencyCode) {
  return frames > 0 ? frames * SecondsPerFrame(frequencyCode) : 0.0;
}

std::string FormatKbpsPadded(std::uint8_t bitrateCode, const FieldStyle& style) {
  if (ConstantBitrate(bitrateCode)) {
    std::string number = std::to_string(kKbps[bitrateCode - 1u]);
    return std::string(3 - number.size(), ' ') + number;
  }
  if (bitrateCode == kBitrateVariable) return std::string(VbrName(style));
  std::string_view mark = ErrorMark(style);
  return std::string(3 - mark.size(), ' ') + std::string(mark);
}

std::string FormatKbpsUnit(std::uint8_t bitrateCode, const FieldStyle& style) {
  if (ConstantBitrate(bitrateCode)) return FormatKbpsPadded(bitrateCode, style) + " kbps";
  if (bitrateCode == kBitrateVariable) {
    std::string name(VbrName(style));
    return (style.VbrStyle & 3u) < 2 ? name + ".kbps" : name;
  }
  std::string_view mark = ErrorMark(style);
  return mark.empty() ? "" : std::string(mark) + " kbps";
}

std::string FormatKbpsCompact(std::uint8_t bitrateCode, const FieldStyle& style) {
  if (ConstantBitrate(bitrateCode)) return std::to_string(kKbps[bitrateCode - 1u]);
  if (bitrateCode == kBitrateVariable) return std::string(VbrName(style));
  return std::string(ErrorMark(style));
}

std::string FormatFreqShort(std::uint8_t frequencyCode) {
  return frequencyCode < kFrequencies.size() ? std::string(kFrequencies[frequencyCode]) : "?";
}

std::string FormatFreqUnit(std::uint8_t frequencyCode) { return FormatFreqShort(frequencyCode) + " KHz"; }

std::string FormatFreqPadded(std::uint8_t frequencyCode) { return " " + FormatFreqShort(frequencyCode) + " "; }

std::string FormatStereo(std::uint8_t stereoMode, const FieldStyle& style) {
  if (stereoMode >= kStereoShort.size()) return std::string(ErrorMark(style));
  return std::string(style.StereoStyle == 0 ? kStereoShort[stereoMode] : kStereoLong[stereoMode]);
}

std::string FormatSize(std::int32_t sizeKB, const FieldStyle& style) {
  std::string number;
  if (sizeKB < 0) {
    number = ErrorMark(style);
    if (number.empty()) return "";
  } else {
    number = std::to_string(sizeKB);
  }
  const std::size_t unit = style.SizeStyle < kSizeUnits.size() ? style.SizeStyle : 1;
  return number + std::string(kSizeUnits[unit]);
}

std::string FormatDate(std::int32_t dayNumber, const FieldStyle& style) {
  std::optional<CivilDate> date = DecodeDayNumber(dayNumber);
  if (!date) return std::string(ErrorMark(style));
  switch (style.DateStyle) {
    case 1: return DottedDate(date->Day, date->Month, date->Year, false);
    case 2: return DottedDate(date->Month, date->Day, date->Year, false);
    case 3: return DottedDate(date->Year, date->Month, date->Day, true);
    default: return LocaleDate(style.LocaleDateFormat, *date);
  }
}

ArtistAndTitle SplitName(std::string_view fileName) {
  if (CharacterCount(fileName) < 5) return {"", std::string(fileName)};
  for (std::string_view separator : {" - ", " -", "- ", "-"}) {
    std::size_t at = fileName.find(separator);
    if (at != std::string_view::npos) {
      return {std::string(fileName.substr(0, at)), std::string(fileName.substr(at + separator.size()))};
    }
  }
  return {"", std::string(fileName)};
}

std::string HtmlEscapeCell(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '"': escaped += "&quot;"; break;
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      default: escaped += c;
    }
  }
  std::string out;
  bool nextIsNbsp = false;
  for (char c : escaped) {
    // Byte 255 is the no-break space of the old DOS code pages; it never occurs in UTF-8.
    if (c == '\0' || c == ' ' || static_cast<unsigned char>(c) == 255) {
      out += nextIsNbsp ? "&nbsp;" : " ";
      nextIsNbsp = !nextIsNbsp;
    } else {
      out += c;
      nextIsNbsp = false;
    }
  }
  return out;
}

std::string HtmlEscapeText(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '"': out += "&quot;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '\0': out += "&nbsp;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string HtmlSpaces(std::string_view text) {
  std::string out;
  bool nextIsNbsp = true;
  for (char c : text) {
    if (c == ' ') {
      out += nextIsNbsp ? "&nbsp;" : " ";
      nextIsNbsp = !nextIsNbsp;
    } else {
      out += c;
      nextIsNbsp = false;
    }
  }
  return out;
}

std::size_t VisibleLength(std::string_view text) {
  std::size_t length = VisibleCharacters(text);
  return length > kVisibleLengthLimit ? 0 : length;
}

std::string PadName(std::string_view text, const FieldStyle& style) {
  // The uncapped count: a very long text is wider than any width, not of width 0.
  std::size_t length = VisibleCharacters(text);
  std::string out(text);
  if (length < style.PadFilenameTo) out.append(style.PadFilenameTo - length, ' ');
  return out;
}

std::int64_t TotalPlaySeconds(std::span<const ListEntry> entries) {
  // 262,143 frames times a million entries still fits easily in 64 bits, and far below 2^53,
  // so the products in double are exact up to the seconds-per-frame factor.
  std::array<std::int64_t, 3> framesByFrequency{};
  for (const ListEntry& entry : entries) {
    const std::int32_t frames = entry.Frames;
    if (frames < 0) continue;
    const std::uint8_t code = entry.FrequencyCode;
    framesByFrequency[code < 3 ? code : 0] += frames;
  }
  double seconds = 0.0;
  for (std::uint8_t code = 0; code < 3; ++code) {
    seconds += static_cast<double>(framesByFrequency[code]) * SecondsPerFrame(code);
  }
  return static_cast<std::int64_t>(std::nearbyint(seconds));
}

std::string FormatTotalDuration(std::int64_t totalSeconds, const FieldStyle& style) {
  if (totalSeconds < 0) return ")";
  return ", " + DurationText(totalSeconds, style.ViewerTotalTimeStyle & 3u) + ")";
}

}  // namespace ordonna
