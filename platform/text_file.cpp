#include "platform/text_file.h"

#include "platform/cp932.h"
#include "platform/utf8.h"

namespace textfile {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF", kUtf16LeMark = "\xFF\xFE", kUtf16BeMark = "\xFE\xFF";
void AppendEscapes(Text& out, std::string_view bytes) {
  for (char b : bytes) utf8::Append(out, cp932::kByteEscape + static_cast<unsigned char>(b));
}

Text DecodeUtf8(std::string_view bytes) {
  if (IsPlainUtf8(bytes)) return Text(bytes);
  Text out;
  out.reserve(bytes.size());
  for (size_t at = 0; at < bytes.size();) {
    const size_t from = at;
    const auto c = utf8::Next(bytes, at);
    if (!c) {
      AppendEscapes(out, bytes.substr(at++, 1));
    } else if (cp932::IsByteEscape(*c)) {
      AppendEscapes(out, bytes.substr(from, at - from));
    } else {
      out.append(bytes.substr(from, at - from));
    }
  }
  return out;
}

Text DecodeUtf16(std::string_view bytes, bool bigEndian) {
  const auto unit = [&](size_t i) -> char32_t {
    const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? (a << 8 | b) : (b << 8 | a);
  };
  Text out;
  out.reserve(bytes.size() * 3 / 2);
  size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    char32_t c = unit(i);
    size_t length = 2;
    if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        length = 4;
      }
    }
    if ((c >= 0xD800 && c <= 0xDFFF) || cp932::IsByteEscape(c))
      AppendEscapes(out, bytes.substr(i, length));
    else
      utf8::Append(out, c);
    i += length - 2;
  }
  AppendEscapes(out, bytes.substr(i));  // an odd last byte
  return out;
}

void AppendUnit(Bytes& out, char32_t unit, bool bigEndian) {
  const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
  out += bigEndian ? high : low;
  out += bigEndian ? low : high;
}

Bytes EncodeUnicode(std::string_view text, Encoding encoding) {
  const bool bigEndian = encoding == Encoding::Utf16Be;
  Bytes out(encoding == Encoding::Utf8 ? kUtf8Mark : bigEndian ? kUtf16BeMark : kUtf16LeMark);
  out.reserve(out.size() + text.size() * 2);
  for (size_t at = 0; at < text.size();) {
    const size_t from = at;
    const auto c = utf8::Next(text, at);
    if (!c) {
      out += text[at++];  // not UTF-8: the byte as it is
    } else if (cp932::IsByteEscape(*c)) {
      out += static_cast<char>(*c - cp932::kByteEscape);
    } else if (encoding == Encoding::Utf8) {
      out.append(text.substr(from, at - from));
    } else if (*c < 0x10000) {
      AppendUnit(out, *c, bigEndian);
    } else {
      AppendUnit(out, 0xD800 + ((*c - 0x10000) >> 10), bigEndian);
      AppendUnit(out, 0xDC00 + ((*c - 0x10000) & 0x3FF), bigEndian);
    }
  }
  return out;
}

}  // namespace

bool IsPlainUtf8(std::string_view bytes) {
  for (size_t at = 0; at < bytes.size();) {
    if (static_cast<unsigned char>(bytes[at]) < 0x80) {
      ++at;
      continue;
    }
    const auto c = utf8::Next(bytes, at);
    if (!c || cp932::IsByteEscape(*c)) return false;
  }
  return true;
}

Encoding EncodingOf(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) return Encoding::Utf8;
  if (bytes.starts_with(kUtf16LeMark)) return Encoding::Utf16Le;
  if (bytes.starts_with(kUtf16BeMark)) return Encoding::Utf16Be;
  return Encoding::ShiftJis;
}

Decoded Decode(std::string_view bytes) {
  switch (const Encoding encoding = EncodingOf(bytes)) {
    case Encoding::Utf8: return {encoding, DecodeUtf8(bytes.substr(kUtf8Mark.size()))};
    case Encoding::Utf16Le: return {encoding, DecodeUtf16(bytes.substr(2), false)};
    case Encoding::Utf16Be: return {encoding, DecodeUtf16(bytes.substr(2), true)};
    case Encoding::ShiftJis: break;
  }
  return {Encoding::ShiftJis, cp932::Decode(bytes)};
}

std::optional<Bytes> Encode(std::string_view text, Encoding encoding) {
  if (encoding == Encoding::ShiftJis) return cp932::Encode(text);
  return EncodeUnicode(text, encoding);
}

Bytes EncodeKeeping(std::string_view text, Encoding& encoding) {
  if (auto bytes = Encode(text, encoding)) return *bytes;
  // Which Shift-JIS code a character had means nothing in UTF-8; a stray
  // byte stays the byte it was.
  encoding = Encoding::Utf8;
  return EncodeUnicode(cp932::WithoutSecondCodes(text), encoding);
}

}  // namespace textfile
