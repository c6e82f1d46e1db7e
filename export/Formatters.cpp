// Field formatters. Every floating-point step is IEEE double and every rounding goes half to
// even (std::nearbyint in the default rounding mode), so a play time reads the same everywhere.
#include "export/Formatters.h"

#include <array>
#include <charconv>
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

// Appends `value` in decimal with a leading zero below 10. Exports write millions of these:
// no temporary strings.
void AppendNumber(std::string& out, std::int64_t value, bool twoDigits = false) {
  char digits[20];
  char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  if (twoDigits && value < 10) out += '0';
  out.append(digits, end);
}

std::string TwoDigits(std::int64_t value) {
  std::string out;
  AppendNumber(out, value, true);
  return out;
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
      case 'd': AppendNumber(out, date.Day, true); break;
      case 'e': out += (date.Day < 10 ? " " : "") + std::to_string(date.Day); break;
      case 'm': AppendNumber(out, date.Month, true); break;
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
  std::string out;
  AppendNumber(out, first, !yearFirst);
  out += '.';
  AppendNumber(out, second, true);
  out += '.';
  AppendNumber(out, third, yearFirst);
  out += '.';
  return out;
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
  std::string out;
  AppendNumber(out, seconds / 60);
  out += ':';
  AppendNumber(out, seconds % 60, true);
  return out;
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

namespace {

// What the HTML writers do with a byte.
enum class ByteKind : std::uint8_t { Plain, Quote, Ampersand, Less, Greater, Space, Nul, Byte255 };

constexpr std::array<ByteKind, 256> kByteKinds = [] {
  std::array<ByteKind, 256> kinds{};
  kinds['"'] = ByteKind::Quote;
  kinds['&'] = ByteKind::Ampersand;
  kinds['<'] = ByteKind::Less;
  kinds['>'] = ByteKind::Greater;
  kinds[' '] = ByteKind::Space;
  kinds[0] = ByteKind::Nul;
  kinds[255] = ByteKind::Byte255;
  return kinds;
}();

std::string_view EntityOf(ByteKind kind) {
  switch (kind) {
    case ByteKind::Quote: return "&quot;";
    case ByteKind::Ampersand: return "&amp;";
    case ByteKind::Less: return "&lt;";
    case ByteKind::Greater: return "&gt;";
    default: return {};
  }
}

// Rewrites `text`: `special(kind, index, out)` handles each byte whose kind is in `handled`;
// runs of other bytes are copied at once.
template <typename Special>
std::string Rewrite(std::string_view text, std::uint32_t handled, Special special) {
  std::string out;
  out.reserve(text.size() + 16);
  std::size_t run = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    ByteKind kind = kByteKinds[static_cast<unsigned char>(text[i])];
    if ((handled & (1u << static_cast<unsigned>(kind))) == 0) continue;
    out.append(text.data() + run, i - run);
    special(kind, i, out);
    run = i + 1;
  }
  out.append(text.data() + run, text.size() - run);
  return out;
}

constexpr std::uint32_t Kinds(std::initializer_list<ByteKind> kinds) {
  std::uint32_t mask = 0;
  for (ByteKind kind : kinds) mask |= 1u << static_cast<unsigned>(kind);
  return mask;
}

// Blanks in a run alternate between a plain space and a no-break space, starting with
// `first` after any other byte and with `atStart` at the start of the text.
class BlankRun {
 public:
  BlankRun(bool atStart, bool first) : first_(first), next_(atStart) {}
  std::string_view Next(std::size_t index) {
    if (index != previous_ + 1) next_ = first_;
    previous_ = index;
    bool nbsp = next_;
    next_ = !next_;
    return nbsp ? "&nbsp;" : " ";
  }

 private:
  bool first_;
  bool next_;
  std::size_t previous_ = static_cast<std::size_t>(-1);  // so that index 0 continues the start
};

}  // namespace

std::string HtmlEscapeCell(std::string_view text) {
  // Byte 255 is the no-break space of the old DOS code pages; it never occurs in UTF-8.
  constexpr std::uint32_t kHandled = Kinds({ByteKind::Quote, ByteKind::Ampersand, ByteKind::Less, ByteKind::Greater,
                                            ByteKind::Space, ByteKind::Nul, ByteKind::Byte255});
  BlankRun blanks(false, false);
  return Rewrite(text, kHandled, [&blanks](ByteKind kind, std::size_t index, std::string& out) {
    std::string_view entity = EntityOf(kind);
    out += entity.empty() ? blanks.Next(index) : entity;
  });
}

std::string HtmlEscapeText(std::string_view text) {
  constexpr std::uint32_t kHandled =
      Kinds({ByteKind::Quote, ByteKind::Ampersand, ByteKind::Less, ByteKind::Greater, ByteKind::Nul});
  return Rewrite(text, kHandled, [](ByteKind kind, std::size_t, std::string& out) {
    out += kind == ByteKind::Nul ? std::string_view("&nbsp;") : EntityOf(kind);
  });
}

std::string HtmlSpaces(std::string_view text) {
  BlankRun blanks(true, false);
  return Rewrite(text, Kinds({ByteKind::Space}),
                 [&blanks](ByteKind, std::size_t index, std::string& out) { out += blanks.Next(index); });
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
