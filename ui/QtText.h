// The one crossing between the library's byte strings and Qt's strings: stored bytes are
// UTF-8, or Windows-1252 where they are not valid UTF-8 (lists made on Windows).
#pragma once

#include <string>
#include <string_view>

#include <QString>

namespace ordonna {

// Stored bytes for display (invalid UTF-8 bytes read as Windows-1252 characters).
QString ToQString(std::string_view bytes);

// Text typed or chosen in a window (names, paths) as the library's bytes: UTF-8.
std::string ToBytes(const QString& text);

// The program's texts break lines with "\r\n"; a message box wants "\n" alone.
QString DisplayLines(QString text);

}  // namespace ordonna
