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
// The escape that follows a character to say which of its codes it had.
constexpr bool IsCodeEscape(char32_t c) { return c >= kByteEscape + 0x8140 && c <= kByteEscape + 0xFCFC; }

// The bytes that open and close a double-byte character: a stored path's
// 0x5C is a separator only where it closes none.
constexpr bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
constexpr bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

Text Decode(std::string_view bytes);
// The bytes of the text, every character by the code Windows writes for it
// unless an escape says otherwise; nothing when a character has no code.
std::optional<Bytes> Encode(std::string_view text);
// Bytes the character takes in Shift-JIS: 1 or 2; 0 for the escape of a
// second code, whose character counts both; -1 when it has no code.
int Width(char32_t c);
// Where to cut the text so that its Shift-JIS form takes at most `limit`
// bytes, never inside a character (nor between a character and the escape
// of its second code); a character without a code counts as its "?".
size_t FittingPrefix(std::string_view text, size_t limit);
// The text with each character Shift-JIS has no code for (and each byte
// that is no UTF-8) made '?': what an earlier version can be given.
Text Fitting(std::string_view text);

// The text without the escapes of second codes, the characters kept.
Text WithoutSecondCodes(std::string_view text);
// The text as a user sees and pastes it: the escape of a second code
// dropped (its character stays), a byte that starts no character shown as
// U+FFFD.
Text Shown(std::string_view text);

}  // namespace cp932
