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

}  // namespace

Status ResolveColumns(std::string_view text, const std::string& localeDateFormat, Caller& caller,
                      ResolvedColumns& result) {
  result = ResolvedColumns{};
  if (text.size() < kMinimumText) return Status::Invalid(import_text::kFileTooSmall);
  const std::vector<std::string_view> lines = SampleLines(text, kSampleLines);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].size() > kMaxLineLength) {
      return Status::Invalid(CutToCapacity("Line too long (" + std::to_string(lines[i].size()) +
                                               " bytes). Displaying first 64 characters:\r\n" +
                                               std::string(CutToCapacity(lines[i], 64)),
                                           255));
    }
    if (i % kEventEvery == kEventEvery - 1) {
      caller.ProcessEvents();
      if (!caller.Running()) return Status::Cancelled();
    }
  }
  if (lines.size() < 4) return Status::Invalid(import_text::kFileTooSmall);
  if (std::optional<ResolvedColumns> titles = ReadTitleRow(lines.front())) {
    result = *titles;
    return Status::Ok();
  }

  // Enumeration: the numbers run on over the second to fifth lines (after a title "No.").
  const bool numberTitle = StartsWith(TrimLeft(lines[0]), "No.\t");
  bool enumerated = true;
  for (std::size_t k = 1; k < std::min<std::size_t>(lines.size(), 5); ++k) {
    const std::string expected = std::to_string(numberTitle ? k : k + 1) + ".";
    if (!StartsWith(TrimLeft(lines[k]), expected)) enumerated = false;
  }

  // Delimiters: counted from the second character on; a closing character at the end closes
  // the last field, while a tab or comma there comes before an empty last field.
  constexpr std::array<char, 5> kCandidates = {',', ')', ']', '}', '\t'};
  std::vector<std::array<std::size_t, 5>> counts(lines.size());
  std::array<std::size_t, 5> totals{};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    for (std::size_t k = 1; k < line.size(); ++k) {
      for (std::size_t c = 0; c < kCandidates.size(); ++c) {
        const bool closing = c >= 1 && c <= 3;
        if (line[k] == kCandidates[c] && !(closing && k + 1 == line.size())) ++counts[i][c];
      }
    }
    for (std::size_t c = 0; c < kCandidates.size(); ++c) totals[c] += counts[i][c];
  }
  std::size_t winner = 4;
  if (totals[4] == 0) {
    winner = 0;
    for (std::size_t c = 1; c < 4; ++c) {
      if (totals[c] > totals[winner]) winner = c;
    }
    if (totals[winner] < lines.size()) return Status::Invalid(import_text::kPossiblySpaces);
  }
  std::size_t delimiters = counts[0][winner];
  for (const auto& count : counts) {
    if (count[winner] == 0) return Status::Invalid(import_text::kNotOrdl);
    if (winner == 4 && count[winner] != delimiters) return Status::Invalid(import_text::kVariableTabs);
    delimiters = std::min(delimiters, count[winner]);
  }
  if (winner == 4 && enumerated) --delimiters;
  if (delimiters < 1 || delimiters > 9) return Status::Invalid(import_text::kNotOrdl);
  result.DelimiterCode = winner == 4 ? kDelimiterTab : static_cast<std::uint8_t>(winner);

  // The first eight lines, split from the right.
  if (lines.size() < kClassifiedLines) return Status::Invalid(import_text::kFileTooSmall);
  const std::size_t columns = delimiters + 1;
  std::vector<std::vector<std::string>> fields(columns);
  DateTable unusedDates;
  LineLayout layout;
  layout.Order.assign(columns, ColumnCode::FileName);
  layout.DelimiterCode = result.DelimiterCode;
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

  // The type of every column, rightmost first.
  const std::string separators = DateSeparators(localeDateFormat);
  std::vector<ColumnType> types(columns, ColumnType::Free);
  bool sizeFound = false;
  std::size_t dateColumns = 0;
  auto already = [&](ColumnType type) { return std::find(types.begin(), types.end(), type) != types.end(); };
  for (std::size_t c = 0; c < columns; ++c) {
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
  // More than two date columns cannot be told apart: they are taken as free text.
  if (dateColumns > 2) {
    std::replace(types.begin(), types.end(), ColumnType::Date, ColumnType::Free);
    dateColumns = 0;
  }
  const std::size_t free = static_cast<std::size_t>(std::count(types.begin(), types.end(), ColumnType::Free));
  if (free != 1 && free != 2) return Status::Invalid(std::to_string(free) + std::string(import_text::kFreeColumns));

  const auto path = std::find(types.begin(), types.end(), ColumnType::Path);
  bool singleDateCreated = true;
  if (dateColumns == 1) {
    const auto date = std::find(types.begin(), types.end(), ColumnType::Date);
    if (path != types.end()) {
      // Rightmost first: a date left of the path has the higher index.
      singleDateCreated = date > path;
    } else {
      const Answer answer = caller.AskYesNo(import_text::kOneDateQuestion, import_text::kOneDateTitle, Answer::No);
      singleDateCreated = answer == Answer::Yes;
    }
  }

  ImportedFields& f = result.Fields;
  f.Enumerate = enumerated;
  bool nameSeen = false;
  bool rightDateSeen = false;
  // From the left: the first free column is the name, a second one the label.
  std::vector<ColumnCode> order(columns);
  for (std::size_t c = columns; c-- > 0;) {
    switch (types[c]) {
      case ColumnType::Free:
        order[c] = nameSeen ? ColumnCode::VolumeLabel : ColumnCode::FileName;
        if (nameSeen) f.VolumeLabel = true;
        nameSeen = true;
        break;
      case ColumnType::Path:
        order[c] = ColumnCode::Path;
        f.Path = true;
        break;
      case ColumnType::ShortStereo:
        order[c] = ColumnCode::StereoMode;
        f.Stereo = true;
        break;
      case ColumnType::LongStereo:
        order[c] = ColumnCode::StereoMode;
        f.Stereo = true;
        f.LongStereo = true;
        break;
      case ColumnType::Frequency:
        order[c] = ColumnCode::Frequency;
        f.Frequency = true;
        break;
      case ColumnType::Bitrate:
        order[c] = ColumnCode::Bitrate;
        f.Kbps = true;
        break;
      case ColumnType::Time:
        order[c] = ColumnCode::PlayTime;
        f.Time = true;
        break;
      case ColumnType::Size:
        order[c] = ColumnCode::Size;
        f.Size = true;
        break;
      case ColumnType::Number:
        order[c] = ColumnCode::Number;
        f.NumberColumn = true;
        break;
      case ColumnType::Date: {
        const bool created = dateColumns == 2 ? !rightDateSeen : singleDateCreated;
        rightDateSeen = true;
        order[c] = created ? ColumnCode::DateCreated : ColumnCode::DateAdded;
        (created ? f.DateCreated : f.DateAdded) = true;
        break;
      }
    }
  }
  result.Order = order;
  return Status::Ok();
}

}  // namespace ordonna
