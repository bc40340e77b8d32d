#include "platform/utf8.h"

namespace utf8 {

void Append(Text& out, char32_t c) {
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

std::optional<char32_t> Next(std::string_view s, size_t& at) {
  if (at >= s.size()) return std::nullopt;
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char first = byte(at);
  if (first < 0x80) return s[at++];
  int length = 0;
  char32_t c = 0, least = 0;
  if ((first & 0xE0) == 0xC0) {
    length = 2, c = first & 0x1F, least = 0x80;
  } else if ((first & 0xF0) == 0xE0) {
    length = 3, c = first & 0x0F, least = 0x800;
  } else if ((first & 0xF8) == 0xF0) {
    length = 4, c = first & 0x07, least = 0x10000;
  } else {
    return std::nullopt;
  }
  if (at + length > s.size()) return std::nullopt;
  for (int i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (byte(at + i) & 0x3F);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  at += length;
  return c;
}

}  // namespace utf8
