#include "Ansi.h"

#include <array>

namespace {

// 0x80..0x9F; the five bytes Windows leaves undefined keep their own value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

namespace Ansi {

char16_t DecodeByte(std::uint8_t b) {
  if (b >= 0x80 && b <= 0x9F) return kHigh[b - 0x80];
  return static_cast<char16_t>(b);
}

char EncodeChar(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (std::size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == c) return static_cast<char>(0x80 + i);
  return '?';
}

std::u16string ToUtf16(std::string_view cp1252) {
  std::u16string out;
  out.reserve(cp1252.size());
  for (char ch : cp1252) out += DecodeByte(static_cast<std::uint8_t>(ch));
  return out;
}

std::string ToUtf8(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size());
  for (char ch : cp1252) AppendUtf8(out, DecodeByte(static_cast<std::uint8_t>(ch)));
  return out;
}

std::string FromUtf16(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      ++i;  // a pair is one character outside the code page
      out += '?';
    } else {
      out += EncodeChar(u);
    }
  }
  return out;
}

std::string FromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto b = static_cast<std::uint8_t>(utf8[i]);
    std::size_t len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    char32_t c = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
    bool ok = len != 0 && len <= utf8.size() - i;
    for (std::size_t k = 1; ok && k < len; ++k) {
      const auto cb = static_cast<std::uint8_t>(utf8[i + k]);
      if ((cb & 0xC0) != 0x80) ok = false;
      else c = (c << 6) | (cb & 0x3F);
    }
    if (!ok) {
      out += '?';
      ++i;
      continue;
    }
    out += EncodeChar(c);
    i += len;
  }
  return out;
}

}  // namespace Ansi
