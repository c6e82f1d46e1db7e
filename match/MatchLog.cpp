// Log lines and files.
#include "match/MatchLog.h"

#include <ctime>

#include "export/Formatters.h"
#include "match/TitleMatch.h"
#include "platform/OutputFile.h"

namespace ordonna {
namespace {

std::string Trimmed(std::string text) {
  std::size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace

LogStamp CurrentLogStamp(const std::string& shortDateFormat) {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char date[64];
  char time[32];
  if (std::strftime(date, sizeof date, shortDateFormat.c_str(), &local) == 0) date[0] = '\0';
  std::strftime(time, sizeof time, "%H:%M:%S", &local);
  return {date, time};
}

std::string LogEntryLine(const ListEntry& entry, LogFields fields, const FieldStyle& style) {
  std::string line(entry.FileName.View());
  if (fields == LogFields::NameOnly) return line;
  const bool all = fields == LogFields::ErrorInfoRule && style.ErrorInfoStyle != 0;
  if (all || entry.Frames >= 0) line += ", " + FormatPlayTime(entry.Frames, entry.FrequencyCode, style);
  if (all || BitrateKnown(entry.BitrateCode)) line += ", " + FormatKbpsCompact(entry.BitrateCode, style) + " kbps";
  if (all || entry.SizeKB >= 0) line += ", " + FormatSize(entry.SizeKB, style);
  if (all || entry.StereoMode < 4) line += ", " + FormatStereo(entry.StereoMode, style);
  return line;
}

std::string PairLine(std::string_view prefix, const ListEntry& entry, const FieldStyle& style) {
  std::string line(prefix);
  line += entry.FileName.View();
  line += ", " + FormatPlayTime(entry.Frames, entry.FrequencyCode, style);
  line += ", " + FormatSize(entry.SizeKB, style);
  line += ", " + Trimmed(FormatKbpsUnit(entry.BitrateCode, style));
  line += ", " + FormatStereo(entry.StereoMode, style);
  line += ", ";
  line += entry.VolumeLabel.View();
  return line;
}

Status WriteLogFile(OutputSink& sink, std::string_view firstLine, const LogStamp& stamp, std::string_view secondLine,
                    std::span<const std::string> lines) {
  std::string text(firstLine);
  text += stamp.Date + ", " + stamp.Time + "\r\n";
  text += secondLine;
  text += "\r\n";
  for (const std::string& line : lines) {
    text += "\r\n";
    text += line;
    if (text.size() >= (1 << 16)) {
      if (Status status = sink.Write(text); !status.ok()) return status;
      text.clear();
    }
  }
  return sink.Write(text);
}

Status WriteLogFile(const std::string& path, std::string_view firstLine, const LogStamp& stamp,
                    std::string_view secondLine, std::span<const std::string> lines) {
  return WriteFileWith(path, [&](OutputSink& sink) { return WriteLogFile(sink, firstLine, stamp, secondLine, lines); });
}

}  // namespace ordonna
