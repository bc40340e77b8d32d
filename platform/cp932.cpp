#include "platform/cp932.h"

#include <array>
#include <cstdint>
#include <memory>

#include "platform/utf8.h"

namespace cp932 {

namespace {

#include "platform/cp932_table.inc"

constexpr char32_t kEscape = kByteEscape;  // + a byte (< 0x100) or a code (>= 0x8140)
constexpr char32_t kLastEscape = kEscape + 0xFCFC;

int LeadIndex(unsigned lead) {
  if (lead >= 0x81 && lead <= 0x9F) return static_cast<int>(lead - 0x81);
  if (lead >= 0xE0 && lead <= 0xFC) return static_cast<int>(lead - 0xE0 + 31);
  return -1;
}

// The character of a double-byte code; 0 for none.
char16_t DoubleByte(unsigned lead, unsigned trail) {
  const int row = LeadIndex(lead);
  if (row < 0 || trail < 0x40 || trail > 0xFC) return 0;
  return kDoubleByte[row][trail - 0x40];
}

// The character of a byte that stands alone; 0 for a lead byte and for
// 0xA0 and 0xFD to 0xFF, which the system's table leaves without one.
char16_t SingleByte(unsigned b) {
  if (b <= 0x80) return static_cast<char16_t>(b);
  if (b >= 0xA1 && b <= 0xDF) return static_cast<char16_t>(0xFF61 + (b - 0xA1));
  return 0;
}

// Which of a character's codes Windows writes: JIS X 0208 first, then NEC's
// row 13, then the IBM extensions, then NEC's selection of them.
int Rank(unsigned code) {
  const unsigned lead = code >> 8;
  if (lead == 0x87) return 1;
  if (lead >= 0xFA) return 2;
  if (lead == 0xED || lead == 0xEE) return 3;
  return 0;
}

// The code Windows writes for each UTF-16 unit: one byte below 0x100, two
// above; 0 for none (U+0000 is written as the byte 0 by the caller).
const std::array<uint16_t, 0x10000>& Codes() {
  static const auto codes = [] {
    auto table = std::make_unique<std::array<uint16_t, 0x10000>>();
    table->fill(0);
    for (unsigned b = 1; b < 0x100; ++b)
      if (const char16_t c = SingleByte(b)) (*table)[c] = static_cast<uint16_t>(b);
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
      for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
        const char16_t c = DoubleByte(lead, trail);
        if (!c) continue;
        const unsigned code = lead << 8 | trail;
        uint16_t& best = (*table)[c];
        if (!best || Rank(code) < Rank(best)) best = static_cast<uint16_t>(code);
      }
    }
    return table;
  }();
  return *codes;
}

void AppendCode(Bytes& out, unsigned code) {
  if (code > 0xFF) out += static_cast<char>(code >> 8);
  out += static_cast<char>(code & 0xFF);
}

}  // namespace

Text Decode(std::string_view bytes) {
  Text out;
  out.reserve(bytes.size() * 3 / 2);
  const auto& codes = Codes();
  for (size_t i = 0; i < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      ++i;
      continue;
    }
    if (const char16_t c = SingleByte(b)) {
      utf8::Append(out, c);
      ++i;
      continue;
    }
    if (i + 1 < bytes.size()) {
      const auto trail = static_cast<unsigned char>(bytes[i + 1]);
      if (const char16_t c = DoubleByte(b, trail)) {
        const unsigned code = static_cast<unsigned>(b) << 8 | trail;
        utf8::Append(out, c);
        if (codes[c] != code) utf8::Append(out, kEscape + code);
        i += 2;
        continue;
      }
    }
    utf8::Append(out, kEscape + b);
    ++i;
  }
  return out;
}

std::optional<Bytes> Encode(std::string_view text) {
  Bytes out;
  out.reserve(text.size());
  const auto& codes = Codes();
  for (size_t at = 0; at < text.size();) {
    const auto c = utf8::Next(text, at);
    if (!c) return std::nullopt;
    if (IsByteEscape(*c)) {
      out += static_cast<char>(*c - kEscape);
      continue;
    }
    if (*c == 0) {
      out += '\0';
      continue;
    }
    if (*c > 0xFFFF || !codes[*c]) return std::nullopt;
    unsigned code = codes[*c];
    // A second code of this character, as the escape after it says.
    size_t next = at;
    if (const auto escape = utf8::Next(text, next); escape && *escape >= kEscape + 0x8140 && *escape <= kLastEscape) {
      const unsigned alternative = *escape - kEscape;
      if (DoubleByte(alternative >> 8, alternative & 0xFF) == *c) {
        code = alternative;
        at = next;
      }
    }
    AppendCode(out, code);
  }
  return out;
}

int Width(char32_t c) {
  if (IsByteEscape(c) || c == 0) return 1;
  if (c > kEscape + 0xFF && c <= kLastEscape) return 0;
  if (c > 0xFFFF || !Codes()[c]) return -1;
  return Codes()[c] > 0xFF ? 2 : 1;
}

Text Fitting(std::string_view text) {
  Text out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const size_t from = at;
    const auto c = utf8::Next(text, at);
    if (!c) ++at;
    if (c && Width(*c) >= 0)
      out.append(text.substr(from, at - from));
    else
      out += '?';
  }
  return out;
}

Text WithoutSecondCodes(std::string_view text) {
  Text out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const size_t from = at;
    const auto c = utf8::Next(text, at);
    if (!c) ++at;
    if (!c || Width(*c) != 0) out.append(text.substr(from, at - from));
  }
  return out;
}

Text Shown(std::string_view text) {
  Text out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const size_t from = at;
    const auto c = utf8::Next(text, at);
    if (!c) {
      utf8::Append(out, 0xFFFD);
      ++at;
    } else if (IsByteEscape(*c)) {
      utf8::Append(out, 0xFFFD);
    } else if (!(*c >= kEscape + 0x8140 && *c <= kLastEscape)) {
      out.append(text.substr(from, at - from));
    }
  }
  return out;
}

}  // namespace cp932
