// Line reading with a length limit, the name cut, the signature of the attributes and the
// number tokens with their units.
#include "import/ForeignList.h"

#include <array>
#include <cmath>
#include <exception>
#include <limits>
#include <vector>

#include "core/Text.h"
#include "platform/InputFile.h"

namespace ordonna {
namespace {

constexpr std::size_t kMaxNumberLength = 31;
constexpr double kSecondsPerFrame44 = 0.0261224489795918;
constexpr std::array<int, 14> kBitrates = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Removes the first occurrence of `word` from `text` (both already in upper case in `upper`).
bool DeleteWord(std::string& text, std::string& upper, std::string_view word) {
  std::size_t at = upper.find(word);
  if (at == std::string::npos) return false;
  text.erase(at, word.size());
  upper.erase(at, word.size());
  return true;
}

// Letters in upper case, digits, a point between digits, "MIN" for a ":" between a digit and
// two digits and "SEC" at the first non-digit after such minutes; all else is dropped.
std::string Signature(std::string_view remainder) {
  std::string signature;
  bool secondsPending = false;
  for (std::size_t i = 0; i < remainder.size(); ++i) {
    char c = remainder[i];
    if (secondsPending && !IsDigit(c)) {
      signature += "SEC";
      secondsPending = false;
    }
    if (IsLetter(c)) {
      signature.push_back(AsciiUpper(c));
    } else if (IsDigit(c)) {
      signature.push_back(c);
    } else if (c == '.' && i > 0 && i + 1 < remainder.size() && IsDigit(remainder[i - 1]) &&
               IsDigit(remainder[i + 1])) {
      signature.push_back(c);
    } else if (c == ':' && i > 0 && i + 2 < remainder.size() && IsDigit(remainder[i - 1]) &&
               IsDigit(remainder[i + 1]) && IsDigit(remainder[i + 2])) {
      signature += "MIN";
      secondsPending = true;
    }
  }
  if (secondsPending) signature += "SEC";
  return signature;
}

// Digits with at most one point; anything else does not read as a decimal value.
std::optional<double> DecimalValue(std::string_view text) {
  double value = 0;
  double scale = 0;
  bool digits = false;
  for (char c : text) {
    if (c == '.') {
      if (scale != 0) return std::nullopt;
      scale = 1;
    } else {
      digits = true;
      if (scale != 0) {
        scale /= 10;
        value += (c - '0') * scale;
      } else {
        value = value * 10 + (c - '0');
      }
    }
  }
  if (!digits) return std::nullopt;
  return value;
}

// Nearest integer (halves to even), or nothing when it does not fit a 32-bit field.
std::optional<std::int32_t> Rounded(double value) {
  double r = std::nearbyint(value);
  if (!(r >= 0 && r <= std::numeric_limits<std::int32_t>::max())) return std::nullopt;
  return static_cast<std::int32_t>(r);
}

struct LineValues {
  std::optional<std::int32_t> Minutes;
  std::optional<std::int32_t> Seconds;
  std::uint8_t Frequency = kFrequencyNotRead;
};

void ApplyToken(double value, std::string_view unit, ListEntry& entry, LineValues& values) {
  if (unit == "MB") {
    if (value < 2097152) {
      if (auto kb = Rounded(value * 1024)) entry.SizeKB = *kb;
    }
  } else if (unit == "GB") {
    if (value < 2048) {
      if (auto kb = Rounded(value * 1048576)) entry.SizeKB = *kb;
    }
  } else if (unit == "KB") {
    if (auto kb = Rounded(value)) entry.SizeKB = *kb;
  } else if (unit == "MIN") {
    if (auto minutes = Rounded(value)) values.Minutes = *minutes;
  } else if (unit == "SEC") {
    if (auto seconds = Rounded(value)) values.Seconds = *seconds;
  } else if (unit == "KHZ") {
    double khz = std::nearbyint(value);
    values.Frequency = khz == 32 ? 2 : khz == 44 ? 0 : khz == 48 ? 1 : kFrequencyNotRead;
  } else if (unit == "KBPS") {
    if (entry.BitrateCode != kBitrateUnknown) return;
    double kbps = std::nearbyint(value);
    for (std::size_t i = 0; i < kBitrates.size(); ++i) {
      if (kbps == kBitrates[i]) entry.BitrateCode = static_cast<std::uint8_t>(i + 1);
    }
  }
}

void ReadTokens(std::string_view signature, ListEntry& entry, LineValues& values) {
  if (signature.size() < 2) return;
  std::size_t i = 0;
  for (;;) {
    while (i < signature.size() && !IsDigit(signature[i])) ++i;
    if (i >= signature.size()) return;
    std::size_t start = i;
    while (i < signature.size() && (IsDigit(signature[i]) || signature[i] == '.')) ++i;
    if (i - start > kMaxNumberLength || i >= signature.size()) return;
    std::string_view number = signature.substr(start, i - start);
    std::size_t unitStart = i;
    while (i < signature.size() && !IsDigit(signature[i])) ++i;
    std::optional<double> value = DecimalValue(number);
    if (value) ApplyToken(*value, signature.substr(unitStart, i - unitStart), entry, values);
  }
}

void FinishLine(ListEntry& entry, const LineValues& values) {
  entry.FrequencyCode = values.Frequency;
  if (!values.Minutes && !values.Seconds) return;
  double seconds = values.Minutes.value_or(0) * 60.0 + values.Seconds.value_or(0);
  double perFrame = values.Frequency == 1 ? 0.024 : values.Frequency == 2 ? 0.036 : kSecondsPerFrame44;
  // A time too long for the frame count leaves it undetermined.
  if (auto frames = Rounded(seconds / perFrame)) entry.Frames = *frames;
}

ListEntry NewForeignEntry() {
  return UndeterminedEntry({.FrequencyCode = kFrequencyNotRead, .FileDate = kDayNotRead, .DateAdded = kDayNotRead});
}

// Reads lines of at most a limit of bytes, never a whole line into memory.
class LineSource {
 public:
  explicit LineSource(InputSource& source) : source_(source), buffer_(1 << 16) {}

  enum class Result { Line, TooLong, End, Error };

  // Text mode: a line ends at LF, a CR before it is dropped, a longer line is TooLong.
  // Unix mode: a line ends at LF and is kept as it is; a line that reaches the limit
  // without an LF is skipped through its LF.
  Result Next(bool unixMode, std::string& line) {
    for (;;) {
      line.clear();
      bool overlong = false;
      int c;
      while ((c = NextByte()) != kEnd && c != '\n') {
        if (overlong) continue;
        line.push_back(static_cast<char>(c));
        // Text mode keeps room for the CR of a CR LF end.
        if (!unixMode && line.size() > kForeignLineLimit + 1) return Result::TooLong;
        if (unixMode && line.size() > kForeignLineLimit) overlong = true;
      }
      if (failed_) return Result::Error;
      if (c == kEnd && line.empty() && !overlong) return Result::End;
      if (overlong) {
        if (c == kEnd) return Result::End;
        continue;
      }
      if (!unixMode && !line.empty() && line.back() == '\r') line.pop_back();
      if (!unixMode && line.size() > kForeignLineLimit) return Result::TooLong;
      return Result::Line;
    }
  }

  // Starts again at the first line.
  void Rewind() {
    offset_ = 0;
    begin_ = end_ = 0;
  }

 private:
  static constexpr int kEnd = -1;

  // The next byte, or kEnd at the end or after a failure.
  int NextByte() {
    if (begin_ == end_) {
      std::size_t got = 0;
      if (failed_ || !source_.ReadAt(offset_, buffer_.data(), buffer_.size(), got).ok()) {
        failed_ = true;
        return kEnd;
      }
      offset_ += got;
      begin_ = 0;
      end_ = got;
      if (got == 0) return kEnd;
    }
    return static_cast<unsigned char>(buffer_[begin_++]);
  }

  InputSource& source_;
  std::vector<char> buffer_;
  std::uint64_t offset_ = 0;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool failed_ = false;
};

}  // namespace

bool ParseForeignLine(std::string_view line, const ForeignTextOptions& options, ListEntry& entry) {
  if (line.empty()) return false;
  entry = NewForeignEntry();
  if (options.KeepSourceLine) entry.Folder.Set(line);
  std::string_view text = line;
  if (options.MircLines) {
    if (text.front() != '!') return false;
    if (text.size() > 3) {
      // "!nick file name": drop the trigger and its space.
      std::size_t space = text.find(' ', 2);
      if (space != std::string_view::npos && space < text.size() - 1) text.remove_prefix(space + 1);
    }
  }

  std::string remainder;
  bool hasRemainder = false;
  if (text.size() < 8) {
    entry.FileName.Set(text);
  } else {
    std::size_t cut = std::string_view::npos;
    std::size_t skip = 0;
    for (std::size_t p = 0; p + 2 < text.size(); ++p) {
      if (text[p] == ':') {
        cut = p, skip = 1;
        break;
      }
      // The extension test looks only at bytes inside the line.
      if (p + 4 <= text.size() && text[p] == '.' && AsciiUpper(text[p + 1]) == 'M' && AsciiUpper(text[p + 2]) == 'P' &&
          text[p + 3] == '3') {
        cut = p, skip = 4;
        break;
      }
    }
    if (cut == std::string_view::npos) {
      entry.FileName.Set(text);
    } else {
      entry.FileName.Set(text.substr(0, cut));
      remainder = std::string(text.substr(cut + skip));
      hasRemainder = true;
    }
  }

  LineValues values;
  if (hasRemainder) {
    std::string upper = AsciiUpperCopy(remainder);
    static constexpr std::pair<std::string_view, std::uint8_t> kStereoWords[] = {
        {"JOINT STEREO", 1}, {"STEREO", 0}, {"DUAL CHANNEL", 2}, {"MONO", 3}};
    for (const auto& [word, mode] : kStereoWords) {
      if (DeleteWord(remainder, upper, word)) {
        entry.StereoMode = mode;
        break;
      }
    }
    if (remainder.size() >= 3) {
      std::string signature = Signature(remainder);
      std::string signatureCopy = signature;
      // A variable bitrate is written "var kbps" (one word in the signature) or "vbr".
      if (DeleteWord(signature, signatureCopy, "VARKBPS") || DeleteWord(remainder, upper, "VBR")) {
        entry.BitrateCode = kBitrateVariable;
      }
      ReadTokens(signature, entry, values);
    }
  }
  FinishLine(entry, values);
  return true;
}

ForeignTextResult ImportForeignText(const std::string& path, const ForeignTextOptions& options, EntryList& into,
                                    Caller& caller) {
  InputFile file;
  if (!file.Open(path).ok()) {
    caller.SetStatus(options.Messages.Reading);
    into.Clear();
    caller.ShowMessage(options.Messages.CantOpen, kWarningTitle, MessageKind::Warning);
    return {};
  }
  return ImportForeignText(file, options, into, caller);
}

ForeignTextResult ImportForeignText(InputSource& input, const ForeignTextOptions& options, EntryList& into,
                                    Caller& caller) {
  ForeignTextResult result;
  const ForeignTextMessages& texts = options.Messages;
  caller.SetStatus(texts.Reading);
  into.Clear();
  into.SetCapacity(kGrowthStep);
  try {
    LineSource source(input);
    bool unixMode = false;
    std::string line;
    for (;;) {
      LineSource::Result read = source.Next(unixMode, line);
      if (read == LineSource::Result::End) break;
      if (read == LineSource::Result::Error) {
        caller.ShowMessage(texts.CantRead, kWarningTitle, MessageKind::Warning);
        into.Clear();
        return result;
      }
      if (read == LineSource::Result::TooLong) {
        if (caller.AskYesNo(texts.LongLine, texts.LongLineTitle, Answer::No) != Answer::Yes) {
          into.Clear();
          return {false, result.Lines, 0};
        }
        unixMode = true;
        source.Rewind();
        into.Clear();
        into.SetCapacity(kGrowthStep);
        result.Lines = 0;
        continue;
      }
      if (result.Lines == 0) line.erase(0, line.size() - WithoutLeadingMarks(line).size());
      ++result.Lines;
      if (result.Lines % 256 == 0) {
        caller.ProcessEvents();
        if (!caller.Running()) {
          into.Clear();
          return {false, result.Lines, 0};
        }
        caller.SetStatus("Read " + std::to_string(result.Lines) + " lines.");
      }
      ListEntry entry;
      if (ParseForeignLine(line, options, entry)) into.AppendEntry(entry);
    }
    into.Trim();
    result.Ok = true;
    result.Imported = into.ItemCount();
    if (options.TotalBase) {
      caller.SetStatus("Read " + std::to_string(result.Lines) + ", imported " + std::to_string(result.Imported) +
                       ", total " + std::to_string(*options.TotalBase + std::uint64_t{result.Imported}) + " items.");
    } else {
      caller.SetStatus("Read " + std::to_string(result.Lines) + " lines. Imported " + std::to_string(result.Imported) +
                       " items.");
    }
    return result;
  } catch (const std::exception&) {
    into.Clear();
    caller.ShowMessage(texts.UnknownError, kWarningTitle, MessageKind::Warning);
    return {false, result.Lines, 0};
  }
}

}  // namespace ordonna
