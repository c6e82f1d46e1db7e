// Character boundaries, Windows-1252 fallback and ASCII case rules.
#include "core/Text.h"

#include <array>

namespace ordonna {
namespace {

// Unicode characters of Windows-1252 bytes 0x80-0x9F; the rest of the code page is Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

TextCharacter NextCharacter(std::string_view text) {
  auto lead = static_cast<unsigned char>(text[0]);
  TextCharacter lone{Windows1252ToUnicode(lead), 1, lead < 0x80};
  if (lead < 0x80) return lone;

  std::size_t length;
  char32_t codePoint;
  char32_t minimum;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, codePoint = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, codePoint = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, codePoint = lead & 0x07, minimum = 0x10000;
  } else {
    return lone;
  }
  if (text.size() < length) return lone;
  for (std::size_t i = 1; i < length; ++i) {
    auto byte = static_cast<unsigned char>(text[i]);
    if (!IsContinuation(byte)) return lone;
    codePoint = (codePoint << 6) | (byte & 0x3F);
  }
  // Overlong forms, surrogates and values past U+10FFFF are not valid UTF-8.
  if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    return lone;
  }
  return {codePoint, length, true};
}

std::string_view CutToCapacity(std::string_view text, std::size_t capacity) {
  if (text.size() <= capacity) return text;
  std::size_t kept = 0;
  while (kept < text.size()) {
    std::size_t next = kept + NextCharacter(text.substr(kept)).Bytes;
    if (next > capacity) break;
    kept = next;
  }
  return text.substr(0, kept);
}

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += NextCharacter(text.substr(pos)).Bytes) ++count;
  return count;
}

std::string DecodeForDisplay(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    TextCharacter c = NextCharacter(text.substr(pos));
    if (c.ValidUtf8) {
      out.append(text.substr(pos, c.Bytes));
    } else {
      AppendUtf8(out, c.CodePoint);
    }
    pos += c.Bytes;
  }
  return out;
}

std::string DecodeForTerminal(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    TextCharacter c = NextCharacter(text.substr(pos));
    if (c.CodePoint < 0x20 || (c.CodePoint >= 0x7F && c.CodePoint <= 0x9F)) {
      out.push_back('?');
    } else if (c.ValidUtf8) {
      out.append(text.substr(pos, c.Bytes));
    } else {
      AppendUtf8(out, c.CodePoint);
    }
    pos += c.Bytes;
  }
  return out;
}

std::string MaskControlBytes(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if ((c >= 1 && c <= 31) || c == 127) c = '?';
  }
  return out;
}

char32_t Windows1252ToUnicode(std::uint8_t byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

int UnicodeToWindows1252(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return static_cast<int>(codePoint);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == codePoint) return static_cast<int>(0x80 + i);
  }
  return -1;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
  auto put = [&out](char32_t value) { out.push_back(static_cast<char>(value)); };
  if (codePoint < 0x80) {
    put(codePoint);
  } else if (codePoint < 0x800) {
    put(0xC0 | (codePoint >> 6));
    put(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    put(0xE0 | (codePoint >> 12));
    put(0x80 | ((codePoint >> 6) & 0x3F));
    put(0x80 | (codePoint & 0x3F));
  } else {
    put(0xF0 | (codePoint >> 18));
    put(0x80 | ((codePoint >> 12) & 0x3F));
    put(0x80 | ((codePoint >> 6) & 0x3F));
    put(0x80 | (codePoint & 0x3F));
  }
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

std::string AsciiUpperCopy(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AsciiUpper(c);
  return out;
}

std::string_view WithoutLeadingMarks(std::string_view text) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  for (;;) {
    if (text.starts_with(kByteOrderMark)) {
      text.remove_prefix(kByteOrderMark.size());
    } else if (text.starts_with('\0')) {
      text.remove_prefix(1);
    } else {
      return text;
    }
  }
}

}  // namespace ordonna
