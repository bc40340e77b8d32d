// Text files by their byte order mark: UTF-8 with its mark, UTF-16 of
// either byte order with its mark, and Shift-JIS (code page 932) for every
// other file. Decoding is lossless in each: bytes that are no character
// become the escapes U+F0000+b of platform/cp932.h (a character of the
// file that is itself one of those escapes too, byte by byte), so a file
// decoded and encoded again in its own encoding is the same bytes.
#pragma once
#include <optional>
#include <string_view>

#include "platform/text.h"

namespace textfile {

enum class Encoding { ShiftJis, Utf8, Utf16Le, Utf16Be };

struct Decoded {
  Encoding encoding;
  Text text;  // without the mark
};

// The encoding the file's mark names: Shift-JIS without one.
Encoding EncodingOf(std::string_view bytes);
// Whether UTF-8 bytes decode to themselves: every sequence shortest-form
// UTF-8 of a character, none of them one of the escapes.
bool IsPlainUtf8(std::string_view bytes);
Decoded Decode(std::string_view bytes);
// The text's bytes in that encoding, the Unicode ones with their mark;
// nothing when Shift-JIS has no code for a character.
std::optional<Bytes> Encode(std::string_view text, Encoding encoding);
// In the encoding given while it can hold the text, else UTF-8 with its
// mark: a Shift-JIS file that takes a character Shift-JIS lacks becomes
// UTF-8 from then on, without the escapes of second codes; the escape of
// a stray byte is written as that byte.
Bytes EncodeKeeping(std::string_view text, Encoding& encoding);

}  // namespace textfile
