// SplitFromRight in its phases, and the field rules of every column.
#include "import/LineParser.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/Text.h"
#include "import/ImportMessages.h"

namespace ordonna {
namespace {

constexpr std::size_t kMaxDelimiters = 127;
constexpr std::size_t kMaxField = 255;
constexpr int kMaxMinutes = 1023;

constexpr std::array<std::string_view, 14> kBitrates = {"32",  "40",  "48",  "56",  "64",  "80",  "96",
                                                        "112", "128", "160", "192", "224", "256", "320"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string Number(std::uint32_t n) { return std::to_string(n); }

// Messages are at most 255 bytes, cut on a character boundary.
Status Error(std::string text) { return Status::Invalid(CutToCapacity(text, kMaxField)); }

std::string_view First(std::string_view text, std::size_t count) { return CutToCapacity(text, count); }

// The message, the line number, `tail` and the start of `shown`.
Status LineError(std::string_view what, std::uint32_t line, std::string_view tail, std::string_view shown) {
  return Error(std::string(what) + Number(line) + std::string(tail) + std::string(shown));
}

// "<what> (line n). Displaying [some of] it:" CR LF and the start of the field.
Status FieldError(std::string_view what, std::uint32_t line, std::string_view field, std::size_t shown) {
  return LineError(what, line, import_text::kFieldShowSomeOf, First(field, shown));
}

Status LongFieldError(std::string_view what, std::uint32_t line, std::string_view field) {
  return LineError(what, line, import_text::kFieldShowFirst64, First(field, 64));
}

bool Undetermined(std::string_view text) { return text.empty() || text == "?" || text == "-"; }

std::string_view TrimLeftSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

std::string_view TrimRightSpaces(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::uint8_t ReadBitrate(std::string_view field) {
  if (field.size() >= 4 && EqualIgnoringAsciiCase(field.substr(field.size() - 4), "kbps")) {
    field.remove_suffix(4);
  }
  field = TrimRightSpaces(field);
  if (field == "var." || field == "var" || field == "VAR." || field == "VAR" || field == "vbr" || field == "VBR") {
    return kBitrateVariable;
  }
  for (std::size_t i = 0; i < kBitrates.size(); ++i) {
    if (field == kBitrates[i]) return static_cast<std::uint8_t>(i + 1);
  }
  return kBitrateUnknown;
}

// The size without its unit (" Kb", "Kb", " K", "K").
std::string_view WithoutSizeUnit(std::string_view field) {
  for (std::string_view unit : {" Kb", "Kb", " K", "K"}) {
    if (field.size() >= unit.size() && field.substr(field.size() - unit.size()) == unit) {
      return field.substr(0, field.size() - unit.size());
    }
  }
  return field;
}

std::optional<std::uint8_t> ReadStereo(std::string_view field) {
  if (field == "stereo" || field == "S") return 0;
  if (field == "joint stereo" || field == "JS") return 1;
  if (field == "dual channel" || field == "DC") return 2;
  if (field == "mono" || field == "M") return 3;
  if (field == "?" || field == "??" || field == "-" || field == "--" || field.empty() || field == " " ||
      field == "  ") {
    return kStereoUnknown;
  }
  return std::nullopt;
}

std::optional<std::uint8_t> ReadFrequency(std::string_view field) {
  if (field == "44.1 KHz" || field == "44.1") return 0;
  if (field == "48.0 KHz" || field == "48.0") return 1;
  if (field == "32.0 KHz" || field == "32.0") return 2;
  if (field == "? KHz" || field == "- KHz" || field == "?" || field == "-" || field == " " || field.empty()) {
    return kFrequencyUnknown;
  }
  return std::nullopt;
}

// "minutes:seconds"; undetermined minutes leave the time absent (kNumberUnknown).
Status ReadPlayTime(std::string_view field, std::uint32_t lineNumber, std::int32_t& seconds) {
  if (Undetermined(field)) return Status::Ok();
  const std::size_t colon = field.find(':');
  if (colon == std::string_view::npos) {
    return FieldError(import_text::kNoTimeColon, lineNumber, field, 32);
  }
  const std::string_view minutesText = field.substr(0, colon);
  const std::string_view secondsText = field.substr(colon + 1);
  if (minutesText.empty() || minutesText == "?" || minutesText == "-" || minutesText == "??" || minutesText == "--") {
    return Status::Ok();
  }
  const std::optional<std::int32_t> minutes = ParseDecimal(minutesText);
  if (!minutes || *minutes > kMaxMinutes) return FieldError(import_text::kBadMinutes, lineNumber, minutesText, 16);
  const std::optional<std::int32_t> secs = ParseDecimal(secondsText);
  if (!secs || *secs > 59) return FieldError(import_text::kBadSeconds, lineNumber, secondsText, 16);
  seconds = *minutes * 60 + *secs;
  return Status::Ok();
}

// The digits before any unit; an undetermined size leaves `sizeKB` as it is.
Status ReadSize(std::string_view field, std::uint32_t lineNumber, std::int32_t& sizeKB) {
  if (Undetermined(WithoutSizeUnit(field))) return Status::Ok();
  std::string_view digits = field;
  while (!digits.empty() && !IsDigit(digits.back())) digits.remove_suffix(1);
  const std::optional<std::int32_t> size = ParseDecimal(digits);
  if (!size) return FieldError(import_text::kBadSize, lineNumber, field, 32);
  sizeKB = *size;
  return Status::Ok();
}

void SetFramesFromPlayTime(std::int32_t seconds, ListEntry& entry) {
  if (seconds > 0) {
    entry.Frames = static_cast<std::int32_t>(std::lround(seconds / SecondsPerFrame(entry.FrequencyCode)));
  } else if (seconds == 0) {
    entry.Frames = 0;
  }
}

}  // namespace

std::optional<std::int32_t> ParseDecimal(std::string_view text) {
  // Nine digits always fit the record's 32-bit fields.
  if (text.empty() || text.size() > 9) return std::nullopt;
  std::int32_t value = 0;
  for (char c : text) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

LineParser::LineParser(LineLayout layout, DateTable& dates) : layout_(std::move(layout)), dates_(dates) {
  // A table's cells are always separated by tabs, whatever its tag says.
  const std::uint8_t code = layout_.HtmlTable ? kDelimiterTab : layout_.DelimiterCode;
  switch (code) {
    case 0: delimiter_ = ','; break;
    case 1: delimiter_ = ')'; break;
    case 2: delimiter_ = ']'; break;
    case 3: delimiter_ = '}'; break;
    case kDelimiterTab: delimiter_ = '\t'; break;
    default: delimiter_ = ' '; break;
  }
  switch (code) {
    case 1: opening_ = '('; break;
    case 2: opening_ = '['; break;
    case 3: opening_ = '{'; break;
    default: opening_ = ' '; break;
  }
  positions_.reserve(kMaxDelimiters + 1);
}

Status LineParser::SplitFromRight(std::string_view line, std::uint32_t lineNumber) {
  if (Status status = CheckLength(line, lineNumber); !status.ok()) return status;
  if (Status status = FindDelimiters(line, lineNumber); !status.ok()) return status;
  if (Status status = CutFields(line, lineNumber); !status.ok()) return status;
  return ReadNameField(lineNumber);
}

Status LineParser::CheckLength(std::string_view line, std::uint32_t lineNumber) const {
  if (line.size() > kMaxLineLength) {
    return Error(std::string(import_text::kLine) + Number(lineNumber) + std::string(import_text::kTooLongLength) +
                 Number(static_cast<std::uint32_t>(line.size())) + std::string(import_text::kBytesFound) +
                 std::string(import_text::kShowFirst64) + std::string(First(line, 64)));
  }
  std::size_t lead = line.find_first_not_of(' ');
  if (lead == std::string_view::npos) lead = line.size();
  if (line.size() < 4 || line.size() - lead < 4) {
    return Error(std::string(import_text::kTooShortLine) + std::string(line));
  }
  return Status::Ok();
}

Status LineParser::FindDelimiters(std::string_view& line, std::uint32_t lineNumber) {
  positions_.clear();
  // A closing character at the very end closes the last field ("(a) (b)"). A tab or comma
  // there is the delimiter before an empty last field and stays.
  const bool trailing = ClosesFields() && line.back() == delimiter_;
  for (std::size_t i = line.size(); i-- > 1;) {
    if (line[i] != delimiter_) continue;
    if (positions_.size() == kMaxDelimiters + (trailing ? 1 : 0)) {
      return LineError(import_text::kTooManyDelimiters, lineNumber, import_text::kShowSomeOfLine, First(line, 64));
    }
    positions_.push_back(i);
  }
  if (trailing) {
    positions_.erase(positions_.begin());
    line.remove_suffix(1);
  }
  if (positions_.size() < NeededDelimiters()) {
    return LineError(import_text::kTooFewDelimiters, lineNumber, import_text::kShowSomeOfLine, First(line, 64));
  }
  return Status::Ok();
}

Status LineParser::CutFields(std::string_view line, std::uint32_t lineNumber) {
  const std::size_t needed = NeededDelimiters();
  for (std::size_t i = 0; i <= needed; ++i) {
    const std::size_t begin = i == needed ? 0 : positions_[i] + 1;
    const std::size_t end = i == 0 ? line.size() : positions_[i - 1];
    std::string_view field = line.substr(begin, end - begin);
    if (i == 0 && ClosesFields() && !field.empty() && field.back() == delimiter_) field.remove_suffix(1);
    field = WithoutOpening(field);
    if (i < needed && field.size() > kMaxField) {
      return LineError(import_text::kFieldTooLong, lineNumber, import_text::kShowFirst64, First(field, 64));
    }
    fields_[i].assign(field);
  }
  return Status::Ok();
}

// Leading spaces, then the one opening character the export wrote before the field and the
// spaces that pad a number after it: a name that itself starts with "(", "[" or "{" keeps it.
std::string_view LineParser::WithoutOpening(std::string_view field) const {
  field = TrimLeftSpaces(field);
  if (field.starts_with(opening_)) field = TrimLeftSpaces(field.substr(1));
  return field;
}

// The leftmost field carries the number of an enumerated list and, in a table split into
// artist and title, the tab between the two cells.
Status LineParser::ReadNameField(std::uint32_t lineNumber) {
  std::string& name = fields_[NeededDelimiters()];
  if (layout_.HtmlTable && layout_.Enumerated) {
    const std::size_t tab = name.find('\t');
    if (tab == std::string::npos) return Error(std::string(import_text::kTableEnumeration));
    name.erase(tab, 1);
  }
  if (layout_.Enumerated) {
    const std::size_t period = name.find('.');
    if (period == std::string::npos) return Error(std::string(import_text::kPeriodMissing));
    name.erase(0, period + 1);
    // A tab list puts a tab after the number.
    const std::size_t start = std::min(name.find_first_not_of(" \t"), name.size());
    name = std::string(WithoutOpening(std::string_view(name).substr(start)));
  }
  if (layout_.HtmlTable && layout_.SplitArtistTitle) {
    const std::size_t tab = name.find('\t');
    if (tab == std::string::npos) {
      return LineError(import_text::kNotSplit, lineNumber, import_text::kShowSomeOfField, First(name, 64));
    }
    // A name without an artist was written with an empty artist cell.
    if (tab == 0) {
      name.erase(0, 1);
    } else {
      name.replace(tab, 1, " - ");
    }
  }
  // Names padded to a width end in spaces that are not part of the name.
  while (!name.empty() && name.back() == ' ') name.pop_back();
  if (name.size() > kMaxField) {
    return LineError(import_text::kFieldTooLong, lineNumber, import_text::kShowFirst64, First(name, 64));
  }
  return Status::Ok();
}

Status LineParser::ParseImportLine(std::string_view line, std::uint32_t lineNumber, std::uint32_t entryIndex,
                                   ListEntry& entry) {
  if (Status status = SplitFromRight(line, lineNumber); !status.ok()) return status;
  entry = UndeterminedEntry({.FrequencyCode = kFrequencyNotRead,
                             .DateAdded = layout_.DateAddedFallback == 0 ? layout_.Today : kNumberUnknown});
  std::int32_t seconds = kNumberUnknown;
  for (std::size_t i = 0; i < layout_.Order.size(); ++i) {
    if (Status status = ReadField(layout_.Order[i], fields_[i], lineNumber, entryIndex, entry, seconds); !status.ok()) {
      return status;
    }
  }
  SetFramesFromPlayTime(seconds, entry);
  return Status::Ok();
}

Status LineParser::ReadField(ColumnCode column, const std::string& field, std::uint32_t lineNumber,
                             std::uint32_t entryIndex, ListEntry& entry, std::int32_t& seconds) {
  switch (column) {
    case ColumnCode::FileName:
      if (field.size() > kMaxField) return LongFieldError(import_text::kFileNameTooLong, lineNumber, field);
      entry.FileName.Set(field);
      return Status::Ok();
    case ColumnCode::PlayTime: return ReadPlayTime(field, lineNumber, seconds);
    case ColumnCode::Bitrate: entry.BitrateCode = ReadBitrate(field); return Status::Ok();
    case ColumnCode::Size: {
      // The record is packed: the size is read into a local, never bound by reference.
      std::int32_t sizeKB = entry.SizeKB;
      const Status status = ReadSize(field, lineNumber, sizeKB);
      entry.SizeKB = sizeKB;
      return status;
    }
    case ColumnCode::StereoMode: {
      const std::optional<std::uint8_t> mode = ReadStereo(field);
      if (!mode) return FieldError(import_text::kBadStereo, lineNumber, field, 32);
      entry.StereoMode = *mode;
      return Status::Ok();
    }
    case ColumnCode::Frequency: {
      const std::optional<std::uint8_t> code = ReadFrequency(field);
      if (!code) return FieldError(import_text::kBadFrequency, lineNumber, field, 32);
      entry.FrequencyCode = *code;
      return Status::Ok();
    }
    case ColumnCode::DateCreated:
      if (!dates_.ParseDate(field, DateSlot::Created, entryIndex, lineNumber)) {
        return FieldError(import_text::kInvalidDate, lineNumber, field, 48);
      }
      return Status::Ok();
    case ColumnCode::Path:
      if (field.size() > kMaxField) return LongFieldError(import_text::kPathTooLong, lineNumber, field);
      entry.Folder.Set(field);
      return Status::Ok();
    case ColumnCode::DateAdded:
      entry.DateAdded = kNumberUnknown;
      if (!dates_.ParseDate(field, DateSlot::Added, entryIndex, lineNumber)) {
        return FieldError(import_text::kInvalidDate, lineNumber, field, 48);
      }
      return Status::Ok();
    case ColumnCode::VolumeLabel:
      if (field.size() > kMaxField) {
        return LineError(import_text::kLabelTooLong, lineNumber, import_text::kLabelShowFirst64, First(field, 64));
      }
      entry.VolumeLabel.Set(field);
      return Status::Ok();
    case ColumnCode::Number: return Status::Ok();
    default: return Error(std::string(import_text::kUnknownError2));
  }
}

}  // namespace ordonna
