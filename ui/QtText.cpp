// Byte strings to and from QString, through the library's text rules.
#include "ui/QtText.h"

#include "core/Text.h"

namespace ordonna {

QString ToQString(std::string_view bytes) {
  const std::string display = DecodeForDisplay(bytes);
  return QString::fromUtf8(display.data(), static_cast<qsizetype>(display.size()));
}

std::string ToBytes(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return {utf8.constData(), static_cast<std::size_t>(utf8.size())};
}

QString DisplayLines(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

}  // namespace ordonna
