#include "platform/cp932.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <cstdint>
#include <memory>

#include "platform/utf8.h"

namespace cp932 {

namespace {

#include "platform/cp932_table.inc"

constexpr char32_t kEscape = kByteEscape;  // + a byte (< 0x100) or a code (>= 0x8140)

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

// Each double-byte code's character as UTF-8 (always three bytes or
// fewer), with whether the code is another than the one Windows writes.
struct DecodedCode {
  char bytes[4];   // the character's, then padding: copied four at a time
  uint8_t size;    // 0 when the code has no character
  bool secondCode;
};

const std::array<DecodedCode, 60 * 189>& DecodedCodes() {
  static const auto table = [] {
    auto t = std::make_unique<std::array<DecodedCode, 60 * 189>>();
    const auto& codes = Codes();
    for (int row = 0; row < 60; ++row) {
      const unsigned lead = row < 31 ? 0x81 + row : 0xE0 + row - 31;
      for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
        DecodedCode& d = (*t)[row * 189 + trail - 0x40];
        const char16_t c = kDoubleByte[row][trail - 0x40];
        d = DecodedCode{};
        if (!c) continue;
        Text utf8;
        utf8::Append(utf8, c);
        for (size_t i = 0; i < utf8.size(); ++i) d.bytes[i] = utf8[i];
        d.size = static_cast<uint8_t>(utf8.size());
        d.secondCode = codes[c] != (lead << 8 | trail);
      }
    }
    return t;
  }();
  return *table;
}

}  // namespace

namespace {

// Bytes a decoded byte can take at most: a double-byte code that is not the
// one Windows writes gives its character and an escape, 3 + 4 for 2; and
// a character is copied with a byte of padding.
constexpr size_t kMostPerByte = 4;
constexpr size_t kSlack = 8;

char* PutUtf8(char* p, char32_t c) {
  if (c < 0x800) {
    *p++ = static_cast<char>(0xC0 | (c >> 6));
  } else {
    if (c < 0x10000) {
      *p++ = static_cast<char>(0xE0 | (c >> 12));
    } else {
      *p++ = static_cast<char>(0xF0 | (c >> 18));
      *p++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    }
    *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  }
  *p++ = static_cast<char>(0x80 | (c & 0x3F));
  return p;
}

// Decodes from i until at least `stop` (a character is never cut) into
// room for kMostPerByte bytes a byte and kSlack; returns the end.
char* DecodeInto(std::string_view bytes, size_t& i, size_t stop, char* p) {
  const auto& decoded = DecodedCodes();
  const char* const data = bytes.data();
  while (i < stop) {
    // Eight ASCII bytes at once where they come in a run.
    if (i + 8 <= bytes.size()) {
      uint64_t eight;
      std::memcpy(&eight, data + i, 8);
      if (!(eight & 0x8080808080808080ull)) {
        std::memcpy(p, data + i, 8);
        p += 8;
        i += 8;
        continue;
      }
    }
    const auto b = static_cast<unsigned char>(data[i]);
    if (b < 0x80) {
      *p++ = static_cast<char>(b);
      ++i;
      continue;
    }
    if (b >= 0xA1 && b <= 0xDF) {  // half-width katakana
      p = PutUtf8(p, 0xFF61 + (b - 0xA1));
      ++i;
      continue;
    }
    if (const int row = LeadIndex(b); row >= 0 && i + 1 < bytes.size()) {
      const auto trail = static_cast<unsigned char>(bytes[i + 1]);
      if (trail >= 0x40 && trail <= 0xFC) {
        const DecodedCode& d = decoded[row * 189 + trail - 0x40];
        if (d.size) {
          std::memcpy(p, d.bytes, 4);
          p += d.size;
          if (d.secondCode) p = PutUtf8(p, kEscape + (static_cast<unsigned>(b) << 8 | trail));
          i += 2;
          continue;
        }
      }
    }
    p = b == 0x80 ? PutUtf8(p, 0x80) : PutUtf8(p, kEscape + b);
    ++i;
  }
  return p;
}

}  // namespace

// A piece at a time into a buffer with room for the worst case, appended
// to the text, which is made with room for the usual one.
Text Decode(std::string_view bytes) {
  constexpr size_t kPiece = 4096;
  // A piece may run on by an ASCII run of eight or a character's second byte.
  char buffer[(kPiece + 8) * kMostPerByte + kSlack];
  if (bytes.size() <= kPiece) {
    size_t i = 0;
    return Text(buffer, DecodeInto(bytes, i, bytes.size(), buffer));
  }
  Text out;
  out.reserve(bytes.size() + bytes.size() / 2);
  for (size_t i = 0; i < bytes.size();)
    out.append(buffer, DecodeInto(bytes, i, std::min(bytes.size(), i + kPiece), buffer));
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
    if (const auto escape = utf8::Next(text, next); escape && IsCodeEscape(*escape)) {
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
  if (IsCodeEscape(c)) return 0;
  if (c > 0xFFFF || !Codes()[c]) return -1;
  return Codes()[c] > 0xFF ? 2 : 1;
}

size_t FittingPrefix(std::string_view text, size_t limit) {
  size_t bytes = 0, at = 0;
  while (at < text.size()) {
    size_t next = at;
    const auto c = utf8::Next(text, next);
    if (!c) next = at + 1;
    const int width = c ? Width(*c) : 1;
    bytes += width < 0 ? 1 : static_cast<size_t>(width);
    if (bytes > limit) break;
    at = next;
  }
  return at;
}

namespace {

// The text with each character put through map(out, c, piece), which
// appends what stands for it; c is nothing for a byte that is no UTF-8.
template <typename Map>
Text EachChar(std::string_view text, Map&& map) {
  Text out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const size_t from = at;
    const auto c = utf8::Next(text, at);
    if (!c) ++at;
    map(out, c, text.substr(from, at - from));
  }
  return out;
}

}  // namespace

Text Fitting(std::string_view text) {
  char32_t previous = 0;
  return EachChar(text, [&previous](Text& out, std::optional<char32_t> c, std::string_view piece) {
    if (c && IsCodeEscape(*c)) {
      // A second code's escape stays only after its own character; it is a
      // mark, not a character, so nothing stands for it otherwise.
      const unsigned code = *c - kEscape;
      if (DoubleByte(code >> 8, code & 0xFF) == previous && previous != 0) out += piece;
    } else if (c && Width(*c) >= 0) {
      out += piece;
    } else {
      out += '?';
    }
    previous = c.value_or(0);
  });
}

Text WithoutSecondCodes(std::string_view text) {
  return EachChar(text, [](Text& out, std::optional<char32_t> c, std::string_view piece) {
    if (!c || Width(*c) != 0) out += piece;
  });
}

Text Shown(std::string_view text) {
  return EachChar(text, [](Text& out, std::optional<char32_t> c, std::string_view piece) {
    if (!c || IsByteEscape(*c))
      utf8::Append(out, 0xFFFD);
    else if (Width(*c) != 0)
      out += piece;
  });
}

}  // namespace cp932
