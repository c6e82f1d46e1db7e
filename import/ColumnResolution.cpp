// Sampling of the first lines, the delimiter count, and the content tests of every column.
#include "import/ColumnResolution.h"

#include <algorithm>
#include <array>
#include <functional>
#include <optional>

#include "core/Text.h"
#include "import/DateResolution.h"
#include "import/ImportMessages.h"
#include "import/LineParser.h"

namespace ordonna {
namespace {

constexpr std::size_t kSampleLines = 1024;
constexpr std::size_t kClassifiedLines = 8;
constexpr std::size_t kMinimumText = 256;
constexpr std::size_t kEventEvery = 512;

enum class ColumnType { Free, Path, ShortStereo, LongStereo, Frequency, Bitrate, Time, Number, Size, Date };

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool Undetermined(std::string_view text) { return text.empty() || text == "?" || text == "-"; }

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

bool IsStandardBitrate(std::string_view text) {
  static constexpr std::array<std::string_view, 14> kBitrates = {"32",  "40",  "48",  "56",  "64",  "80",  "96",
                                                                 "112", "128", "160", "192", "224", "256", "320"};
  return std::find(kBitrates.begin(), kBitrates.end(), text) != kBitrates.end();
}

// Each test tells whether a field is a real value of its type (Real), a form of an
// undetermined value (Unknown) or something else.
enum class Verdict { No, Unknown, Real };

Verdict PathTest(std::string_view f) {
  return f.find('\\') != std::string_view::npos || StartsWith(f, "/") ? Verdict::Real : Verdict::No;
}

Verdict ShortStereoTest(std::string_view f) {
  if (f == "S" || f == "JS" || f == "M" || f == "DC") return Verdict::Real;
  return Undetermined(f) ? Verdict::Unknown : Verdict::No;
}

Verdict LongStereoTest(std::string_view f) {
  if (f == "stereo" || f == "joint stereo" || f == "mono" || f == "dual channel") return Verdict::Real;
  return Undetermined(f) ? Verdict::Unknown : Verdict::No;
}

Verdict FrequencyTest(std::string_view f) {
  if (f == "44.1 KHz" || f == "48.0 KHz" || f == "32.0 KHz") return Verdict::Real;
  return f == "? KHz" ? Verdict::Unknown : Verdict::No;
}

Verdict BitrateTest(std::string_view f) {
  const bool unit = f.size() >= 4 && EqualIgnoringAsciiCase(f.substr(f.size() - 4), "kbps");
  std::string_view rest = unit ? f.substr(0, f.size() - 4) : f;
  if (f == "vbr" || f == "VBR") return Verdict::Real;
  if (!unit) return f.empty() ? Verdict::Unknown : Verdict::No;
  if (rest == "var." || rest == "VAR.") return Verdict::Real;
  while (!rest.empty() && rest.back() == ' ') rest.remove_suffix(1);
  rest = TrimLeft(rest);
  if (IsStandardBitrate(rest)) return Verdict::Real;
  return Undetermined(rest) ? Verdict::Unknown : Verdict::No;
}

Verdict TimeTest(std::string_view f) {
  if (std::count(f.begin(), f.end(), ':') == 1) return IsDigit(f.front()) ? Verdict::Real : Verdict::Unknown;
  return Undetermined(f) ? Verdict::Unknown : Verdict::No;
}

Verdict SizeTest(std::string_view f) {
  for (std::string_view unit : {" Kb", "Kb", " K", "K"}) {
    if (f.size() >= unit.size() && f.substr(f.size() - unit.size()) == unit) {
      f.remove_suffix(unit.size());
      break;
    }
  }
  if (Undetermined(f)) return Verdict::Unknown;
  return ParseDecimal(f) ? Verdict::Real : Verdict::No;
}

// The sample fields read "1.", "2.", ... in order.
bool IsNumberColumn(const std::vector<std::string>& fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (fields[i] != std::to_string(i + 1) + ".") return false;
  }
  return true;
}

// The characters other than digits, "." and space that the locale's short date holds.
std::string DateSeparators(std::string_view format) {
  std::string separators;
  for (std::size_t i = 0; i < format.size() && separators.size() < 2; ++i) {
    if (format[i] == '%') {
      ++i;
      continue;
    }
    if (!IsDigit(format[i]) && format[i] != '.' && format[i] != ' ') separators += format[i];
  }
  return separators;
}

Verdict DateTest(std::string_view f, std::string_view separators) {
  if (Undetermined(f)) return Verdict::Unknown;
  std::size_t digits = 0;
  for (char c : f) {
    if (IsDigit(c)) {
      ++digits;
    } else if (c != '.' && c != ' ' && separators.find(c) == std::string_view::npos) {
      return Verdict::No;
    }
  }
  return digits >= 4 && digits <= 8 ? Verdict::Real : Verdict::No;
}

// All sample fields pass, at least two with a real value (one for the path, which has no
// undetermined form).
bool ColumnPasses(const std::vector<std::string>& fields, const std::function<Verdict(std::string_view)>& test) {
  std::size_t real = 0;
  for (const std::string& field : fields) {
    const Verdict verdict = test(field);
    if (verdict == Verdict::No) return false;
    real += verdict == Verdict::Real;
  }
  return real >= 2;
}

// The lines of the converted text, without line ends; empty lines are left out.
std::vector<std::string_view> SampleLines(std::string_view text, std::size_t limit) {
  std::vector<std::string_view> lines;
  std::size_t pos = 0;
  while (pos < text.size() && lines.size() < limit) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) lines.push_back(line);
    pos = end + 1;
  }
  return lines;
}

// A title row of a tab list: optional "No.", "Filename", then the titles of the columns.
std::optional<ResolvedColumns> ReadTitleRow(std::string_view line) {
  static constexpr std::array<std::pair<std::string_view, ColumnCode>, 10> kTitles = {{
      {"Time", ColumnCode::PlayTime},
      {"Bitrate", ColumnCode::Bitrate},
      {"Kbps", ColumnCode::Bitrate},
      {"Size", ColumnCode::Size},
      {"Mode", ColumnCode::StereoMode},
      {"Frequency", ColumnCode::Frequency},
      {"Date created", ColumnCode::DateCreated},
      {"Path", ColumnCode::Path},
      {"Date added", ColumnCode::DateAdded},
      {"Volume label", ColumnCode::VolumeLabel},
  }};
  ResolvedColumns result;
  line = TrimLeft(line);
  if (StartsWith(line, "No.\t")) {
    result.Fields.Enumerate = true;
    line.remove_prefix(4);
  }
  if (!StartsWith(line, "Filename")) return std::nullopt;
  line.remove_prefix(8);
  std::vector<ColumnCode> leftToRight = {ColumnCode::FileName};
  while (!line.empty()) {
    if (line.front() != '\t') return std::nullopt;
    line.remove_prefix(1);
    const std::size_t end = std::min(line.find('\t'), line.size());
    const std::string_view title = line.substr(0, end);
    auto it = std::find_if(kTitles.begin(), kTitles.end(), [&](const auto& t) { return t.first == title; });
    if (it == kTitles.end() || std::find(leftToRight.begin(), leftToRight.end(), it->second) != leftToRight.end()) {
      return std::nullopt;
    }
    leftToRight.push_back(it->second);
    line.remove_prefix(end);
  }
  for (ColumnCode code : leftToRight) {
    ImportedFields& f = result.Fields;
    switch (code) {
      case ColumnCode::PlayTime: f.Time = true; break;
      case ColumnCode::Bitrate: f.Kbps = true; break;
      case ColumnCode::Size: f.Size = true; break;
      case ColumnCode::StereoMode: f.Stereo = true; break;
      case ColumnCode::Frequency: f.Frequency = true; break;
      case ColumnCode::DateCreated: f.DateCreated = true; break;
      case ColumnCode::Path: f.Path = true; break;
      case ColumnCode::DateAdded: f.DateAdded = true; break;
      case ColumnCode::VolumeLabel: f.VolumeLabel = true; break;
      default: break;
    }
  }
  result.Order.assign(leftToRight.rbegin(), leftToRight.rend());
  result.DelimiterCode = kDelimiterTab;
  result.TitleRow = true;
  return result;
}

// The first lines of the text, refused when there are too few or one is too long.
Status TakeSample(std::string_view text, Caller& caller, std::vector<std::string_view>& lines) {
  if (text.size() < kMinimumText) return Status::Invalid(import_text::kFileTooSmall);
  lines = SampleLines(text, kSampleLines);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].size() > kMaxLineLength) {
      const std::string message = std::string(import_text::kSampleLineTooLong) + std::to_string(lines[i].size()) +
                                  std::string(import_text::kBytes) + std::string(import_text::kFieldShowFirst64) +
                                  std::string(CutToCapacity(lines[i], 64));
      return Status::Invalid(CutToCapacity(message, 255));
    }
    if (i % kEventEvery == kEventEvery - 1) {
      caller.ProcessEvents();
      if (!caller.Running()) return Status::Cancelled();
    }
  }
  if (lines.size() < 4) return Status::Invalid(import_text::kFileTooSmall);
  return Status::Ok();
}

// The numbers run on over the second to fifth lines (after a title "No.").
bool IsEnumerated(const std::vector<std::string_view>& lines) {
  const bool numberTitle = StartsWith(TrimLeft(lines[0]), "No.\t");
  bool enumerated = true;
  for (std::size_t k = 1; k < std::min<std::size_t>(lines.size(), 5); ++k) {
    const std::string expected = std::to_string(numberTitle ? k : k + 1) + ".";
    if (!StartsWith(TrimLeft(lines[k]), expected)) enumerated = false;
  }
  return enumerated;
}

// The delimiter candidates, in the order that breaks a tie; the tab wins whenever present.
constexpr std::array<char, 5> kCandidates = {',', ')', ']', '}', '\t'};
constexpr std::size_t kTabCandidate = 4;
using CandidateCounts = std::array<std::size_t, kCandidates.size()>;

// Every candidate counted from the second character on; a closing character at the end
// closes the last field, while a tab or comma there comes before an empty last field.
std::vector<CandidateCounts> CountCandidates(const std::vector<std::string_view>& lines) {
  std::vector<CandidateCounts> counts(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    for (std::size_t k = 1; k < line.size(); ++k) {
      for (std::size_t c = 0; c < kCandidates.size(); ++c) {
        const bool closing = c >= 1 && c <= 3;
        if (line[k] == kCandidates[c] && !(closing && k + 1 == line.size())) ++counts[i][c];
      }
    }
  }
  return counts;
}

// The candidate with the highest total, which must reach one per line.
Status ChooseDelimiter(const std::vector<CandidateCounts>& counts, std::size_t& winner) {
  CandidateCounts totals{};
  for (const CandidateCounts& count : counts) {
    for (std::size_t c = 0; c < kCandidates.size(); ++c) totals[c] += count[c];
  }
  winner = kTabCandidate;
  if (totals[kTabCandidate] != 0) return Status::Ok();
  winner = 0;
  for (std::size_t c = 1; c < kTabCandidate; ++c) {
    if (totals[c] > totals[winner]) winner = c;
  }
  if (totals[winner] < counts.size()) return Status::Invalid(import_text::kPossiblySpaces);
  return Status::Ok();
}

// The delimiters every line holds: the same number of tabs on every line, else the fewest.
Status DelimitersPerLine(const std::vector<CandidateCounts>& counts, std::size_t winner, bool enumerated,
                         std::size_t& delimiters) {
  delimiters = counts[0][winner];
  for (const CandidateCounts& count : counts) {
    if (count[winner] == 0) return Status::Invalid(import_text::kNotOrdl);
    if (winner == kTabCandidate && count[winner] != delimiters) return Status::Invalid(import_text::kVariableTabs);
    delimiters = std::min(delimiters, count[winner]);
  }
  // An enumerated tab list has a tab after every number.
  if (winner == kTabCandidate && enumerated) --delimiters;
  if (delimiters < 1 || delimiters > 9) return Status::Invalid(import_text::kNotOrdl);
  return Status::Ok();
}

// The fields of the classified lines by column, rightmost first.
using SampleColumns = std::vector<std::vector<std::string>>;

// The first eight lines split from the right, the numbers of an enumerated list removed.
Status SplitSample(const std::vector<std::string_view>& lines, const std::vector<CandidateCounts>& counts,
                   std::size_t winner, std::size_t delimiters, std::uint8_t delimiterCode, bool enumerated,
                   SampleColumns& fields) {
  if (lines.size() < kClassifiedLines) return Status::Invalid(import_text::kFileTooSmall);
  const std::size_t columns = delimiters + 1;
  fields.assign(columns, {});
  DateTable unusedDates;
  LineLayout layout;
  layout.Order.assign(columns, ColumnCode::FileName);
  layout.DelimiterCode = delimiterCode;
  LineParser parser(layout, unusedDates);
  for (std::size_t i = 0; i < kClassifiedLines; ++i) {
    if (lines[i].size() < 8 || counts[i][winner] < delimiters) return Status::Invalid(import_text::kNotOrdl);
    if (!parser.SplitFromRight(lines[i], static_cast<std::uint32_t>(i + 1)).ok()) {
      return Status::Invalid(std::string(import_text::kSampleFieldTooLong) + std::string(CutToCapacity(lines[i], 64)));
    }
    for (std::size_t c = 0; c < columns; ++c) fields[c].push_back(parser.Field(c));
    if (enumerated) {
      std::string& name = fields[delimiters].back();
      const std::size_t period = name.find('.');
      if (period == std::string::npos) return Status::Invalid(import_text::kMixedEnumeration);
      name.erase(0, period + 1);
      name.erase(0, std::min(name.find_first_not_of(" \t"), name.size()));
    }
  }
  return Status::Ok();
}

// The type of every column, rightmost first, by the first test all its fields pass. More
// than two date columns cannot be told apart: they are taken as free text.
Status ClassifyColumns(const SampleColumns& fields, std::string_view separators, std::vector<ColumnType>& types,
                       std::size_t& dateColumns) {
  types.assign(fields.size(), ColumnType::Free);
  dateColumns = 0;
  bool sizeFound = false;
  auto already = [&](ColumnType type) { return std::find(types.begin(), types.end(), type) != types.end(); };
  for (std::size_t c = 0; c < fields.size(); ++c) {
    const std::vector<std::string>& column = fields[c];
    ColumnType type = ColumnType::Free;
    if (std::all_of(column.begin(), column.end(), [](const std::string& f) { return PathTest(f) == Verdict::Real; })) {
      if (already(ColumnType::Path)) return Status::Invalid(import_text::kTwoPaths);
      type = ColumnType::Path;
    } else if (ColumnPasses(column, ShortStereoTest)) {
      if (already(ColumnType::ShortStereo)) return Status::Invalid(import_text::kTwoShortStereo);
      type = ColumnType::ShortStereo;
    } else if (ColumnPasses(column, LongStereoTest)) {
      if (already(ColumnType::LongStereo)) return Status::Invalid(import_text::kTwoLongStereo);
      type = ColumnType::LongStereo;
    } else if (ColumnPasses(column, FrequencyTest)) {
      if (already(ColumnType::Frequency)) return Status::Invalid(import_text::kTwoFrequencies);
      type = ColumnType::Frequency;
    } else if (ColumnPasses(column, BitrateTest)) {
      if (already(ColumnType::Bitrate)) return Status::Invalid(import_text::kTwoBitrates);
      type = ColumnType::Bitrate;
    } else if (ColumnPasses(column, TimeTest)) {
      if (already(ColumnType::Time)) return Status::Invalid(import_text::kTwoTimes);
      type = ColumnType::Time;
    } else if (IsNumberColumn(column)) {
      if (already(ColumnType::Number)) return Status::Invalid(import_text::kTwoNumbers);
      type = ColumnType::Number;
    } else if (!sizeFound && ColumnPasses(column, SizeTest)) {
      sizeFound = true;
      type = ColumnType::Size;
    } else if (ColumnPasses(column, [&](std::string_view f) { return DateTest(f, separators); })) {
      type = ColumnType::Date;
      ++dateColumns;
    }
    types[c] = type;
  }
  if (dateColumns > 2) {
    std::replace(types.begin(), types.end(), ColumnType::Date, ColumnType::Free);
    dateColumns = 0;
  }
  const std::size_t free = static_cast<std::size_t>(std::count(types.begin(), types.end(), ColumnType::Free));
  if (free != 1 && free != 2) return Status::Invalid(std::to_string(free) + std::string(import_text::kFreeColumns));
  return Status::Ok();
}

// A single date left of the path is the date created, right of it the date added; without
// a path the user says which.
bool SingleDateIsCreated(const std::vector<ColumnType>& types, Caller& caller) {
  const auto path = std::find(types.begin(), types.end(), ColumnType::Path);
  const auto date = std::find(types.begin(), types.end(), ColumnType::Date);
  // Rightmost first: a date left of the path has the higher index.
  if (path != types.end()) return date > path;
  return caller.AskYesNo(import_text::kOneDateQuestion, import_text::kOneDateTitle, Answer::No) == Answer::Yes;
}

// The column codes and field flags of the types. From the left: the first free column is
// the name, a second one the label; of two dates the left one is the date created.
void AssignColumns(const std::vector<ColumnType>& types, std::size_t dateColumns, bool singleDateCreated,
                   ResolvedColumns& result) {
  ImportedFields& f = result.Fields;
  bool nameSeen = false;
  bool rightDateSeen = false;
  result.Order.assign(types.size(), ColumnCode::FileName);
  for (std::size_t c = types.size(); c-- > 0;) {
    ColumnCode& code = result.Order[c];
    switch (types[c]) {
      case ColumnType::Free:
        code = nameSeen ? ColumnCode::VolumeLabel : ColumnCode::FileName;
        if (nameSeen) f.VolumeLabel = true;
        nameSeen = true;
        break;
      case ColumnType::Path:
        code = ColumnCode::Path;
        f.Path = true;
        break;
      case ColumnType::ShortStereo:
        code = ColumnCode::StereoMode;
        f.Stereo = true;
        break;
      case ColumnType::LongStereo:
        code = ColumnCode::StereoMode;
        f.Stereo = true;
        f.LongStereo = true;
        break;
      case ColumnType::Frequency:
        code = ColumnCode::Frequency;
        f.Frequency = true;
        break;
      case ColumnType::Bitrate:
        code = ColumnCode::Bitrate;
        f.Kbps = true;
        break;
      case ColumnType::Time:
        code = ColumnCode::PlayTime;
        f.Time = true;
        break;
      case ColumnType::Size:
        code = ColumnCode::Size;
        f.Size = true;
        break;
      case ColumnType::Number:
        code = ColumnCode::Number;
        f.NumberColumn = true;
        break;
      case ColumnType::Date: {
        const bool created = dateColumns == 2 ? !rightDateSeen : singleDateCreated;
        rightDateSeen = true;
        code = created ? ColumnCode::DateCreated : ColumnCode::DateAdded;
        (created ? f.DateCreated : f.DateAdded) = true;
        break;
      }
    }
  }
}

}  // namespace

Status ResolveColumns(std::string_view text, const std::string& localeDateFormat, Caller& caller,
                      ResolvedColumns& result) {
  result = ResolvedColumns{};
  std::vector<std::string_view> lines;
  if (Status status = TakeSample(text, caller, lines); !status.ok()) return status;
  if (std::optional<ResolvedColumns> titles = ReadTitleRow(lines.front())) {
    result = *titles;
    return Status::Ok();
  }
  const bool enumerated = IsEnumerated(lines);

  const std::vector<CandidateCounts> counts = CountCandidates(lines);
  std::size_t winner = kTabCandidate;
  std::size_t delimiters = 0;
  if (Status status = ChooseDelimiter(counts, winner); !status.ok()) return status;
  if (Status status = DelimitersPerLine(counts, winner, enumerated, delimiters); !status.ok()) return status;
  result.DelimiterCode = winner == kTabCandidate ? kDelimiterTab : static_cast<std::uint8_t>(winner);

  SampleColumns fields;
  if (Status status = SplitSample(lines, counts, winner, delimiters, result.DelimiterCode, enumerated, fields);
      !status.ok()) {
    return status;
  }
  std::vector<ColumnType> types;
  std::size_t dateColumns = 0;
  if (Status status = ClassifyColumns(fields, DateSeparators(localeDateFormat), types, dateColumns); !status.ok()) {
    return status;
  }
  const bool singleDateCreated = dateColumns != 1 || SingleDateIsCreated(types, caller);
  result.Fields.Enumerate = enumerated;
  AssignColumns(types, dateColumns, singleDateCreated, result);
  return Status::Ok();
}

}  // namespace ordonna
