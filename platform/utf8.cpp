#include "platform/utf8.h"

#include <algorithm>
#include <cstdint>

namespace utf8 {

namespace {

struct CaseRun {
  char16_t first, last;
  uint8_t step;
  int32_t delta;
};

#include "platform/case_table.inc"

}  // namespace

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

std::u16string ToUtf16(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  for (size_t at = 0; at < s.size();) {
    auto c = Next(s, at);
    if (!c) {
      ++at;
      c = 0xFFFD;
    }
    if (*c >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((*c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((*c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(*c);
    }
  }
  return out;
}

Text FromUtf16(std::u16string_view s) {
  Text out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    Append(out, c);
  }
  return out;
}

size_t Utf16Length(std::string_view s) {
  size_t units = 0;
  for (size_t at = 0; at < s.size();) {
    const auto c = Next(s, at);
    if (!c) ++at;
    units += c && *c >= 0x10000 ? 2 : 1;
  }
  return units;
}

char32_t Upper(char32_t c) {
  if (c >= 0x10000) return c;
  const auto run = std::upper_bound(std::begin(kUpperRuns), std::end(kUpperRuns), c,
                                    [](char32_t code, const CaseRun& r) { return code < r.first; });
  if (run == std::begin(kUpperRuns)) return c;
  const CaseRun& r = *(run - 1);
  if (c > r.last || (c - r.first) % r.step != 0) return c;
  return static_cast<char32_t>(static_cast<int32_t>(c) + r.delta);
}

Text FoldCase(std::string_view s) {
  Text out;
  out.reserve(s.size());
  for (size_t at = 0; at < s.size();) {
    if (const auto b = static_cast<unsigned char>(s[at]); b < 0x80) {
      out += static_cast<char>(b >= 'a' && b <= 'z' ? b - 32 : b);
      ++at;
      continue;
    }
    const size_t from = at;
    const auto c = Next(s, at);
    if (!c)
      out += s[at++];
    else if (*c < 0x80)
      out += static_cast<char>(*c >= 'a' && *c <= 'z' ? *c - 32 : *c);
    else if (const char32_t upper = Upper(*c); upper != *c)
      Append(out, upper);
    else
      out.append(s.substr(from, at - from));
  }
  return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) { return FoldCase(a) == FoldCase(b); }

size_t detail::NextLongChar(std::string_view s, size_t i) {
  if (i >= s.size()) return s.size();
  size_t at = i;
  return Next(s, at) ? at : i + 1;
}

size_t CharCount(std::string_view s) {
  size_t n = 0;
  for (size_t i = 0; i < s.size(); i = NextChar(s, i)) ++n;
  return n;
}

Text UpperAscii(std::string_view s) {
  Text out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

}  // namespace utf8
