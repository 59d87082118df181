#pragma once
// Windows-1252 text, the 8-bit code page of every tag text and of the names
// that go into tags. Decoding maps all 256 bytes (the five bytes Windows leaves
// undefined map to the C1 control of the same value); encoding writes '?' for a
// character the code page cannot hold.
#include <cstdint>
#include <string>
#include <string_view>

namespace Ansi {

char16_t DecodeByte(std::uint8_t b);
// The Windows-1252 byte of a character, or '?' when there is none.
char EncodeChar(char32_t c);

std::u16string ToUtf16(std::string_view cp1252);
std::string ToUtf8(std::string_view cp1252);
// A surrogate pair is one character and becomes one '?'; a lone surrogate too.
std::string FromUtf16(std::u16string_view text);
// Malformed UTF-8 bytes each become one '?'.
std::string FromUtf8(std::string_view utf8);

}  // namespace Ansi
