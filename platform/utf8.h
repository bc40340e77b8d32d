// UTF-8, one code point at a time: the form Text takes inside the program
// once faces are Unicode, and the form of UTF-8 files.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/text.h"

namespace utf8 {

// The code point's UTF-8 bytes at the end of `out` (any value up to
// U+10FFFF; surrogates are written as they come).
void Append(Text& out, char32_t c);
// The code point at `at`, and `at` moved past it; nothing, with `at`
// unmoved, for a sequence that is not shortest-form UTF-8 of a scalar value.
std::optional<char32_t> Next(std::string_view s, size_t& at);

namespace detail {
size_t NextLongChar(std::string_view s, size_t i);
}
// Index of the character after the one at i (never past the end); a byte
// that is no UTF-8 counts as a character of its own. Names are walked with
// it often, so ASCII takes no call.
inline size_t NextChar(std::string_view s, size_t i) {
  if (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80) return i + 1;
  return detail::NextLongChar(s, i);
}
// Characters, counted so: the columns of a line.
size_t CharCount(std::string_view s);
// ASCII letters upper-cased: no byte of a longer character is in that range.
Text UpperAscii(std::string_view s);

// UTF-16 of the text; a byte that is no UTF-8 becomes U+FFFD.
std::u16string ToUtf16(std::string_view s);
// UTF-8 of UTF-16; a lone surrogate becomes U+FFFD.
Text FromUtf16(std::u16string_view s);

// UTF-16 units, as the system counts a path's length; a byte that is no
// UTF-8 counts as one.
size_t Utf16Length(std::string_view s);
// The character's upper case as the system folds names (the simple upper
// case of the Basic Multilingual Plane), or the character itself.
char32_t Upper(char32_t c);
// Every character upper-cased so; bytes that are no UTF-8 stay as they are.
// Two names that fold alike name the same file.
Text FoldCase(std::string_view s);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace utf8
