// Code page 932, Shift-JIS as Windows has it, as a file format: its bytes
// decoded into UTF-8 text and encoded back without loss.
//
// Whatever the bytes, Encode(Decode(bytes)) gives them back. A byte that
// starts no character (a lone lead byte, a lead byte before a byte that is
// no trail, an undefined code's lead byte) decodes to the escape U+F0000+b.
// Some characters have two or three codes (the NEC and IBM selections of
// the same kanji, symbols of NEC's row 13); the one Windows writes decodes
// to the character alone, another to the character followed by the escape
// U+F0000+code, which tells Encode which code to write. The escapes lie in
// the private use area of plane 15, where no face's characters are.
#pragma once
#include <optional>
#include <string_view>

#include "platform/text.h"

namespace cp932 {

// The escape of a byte that is no character: U+F0000 + the byte.
inline constexpr char32_t kByteEscape = 0xF0000;
constexpr bool IsByteEscape(char32_t c) { return c >= kByteEscape && c <= kByteEscape + 0xFF; }

Text Decode(std::string_view bytes);
// The bytes of the text, every character by the code Windows writes for it
// unless an escape says otherwise; nothing when a character has no code.
std::optional<Bytes> Encode(std::string_view text);
// The text as a user sees and pastes it: the escape of a second code
// dropped (its character stays), a byte that starts no character shown as
// U+FFFD.
Text Shown(std::string_view text);

}  // namespace cp932
