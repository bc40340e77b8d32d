// Shift-JIS (code page 932) byte-string helpers. Text in this program is
// always CP932 bytes; nothing else re-implements these rules.
#pragma once
#include <string>
#include <string_view>

#include "platform/text.h"

namespace sjis {

// Lead bytes of CP932 double-byte characters.
constexpr bool IsLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Index of the character after the one at i (never past the end).
size_t NextChar(std::string_view s, size_t i);
// Characters, a double-byte one counting once, as the system counts a
// path's length.
size_t CharCount(std::string_view s);

// Upper-cases ASCII letters only, leaving trail bytes of double-byte
// characters alone (they overlap the ASCII letter range).
Text UpperAscii(std::string_view s);

// The upper-case form of a double-byte character's trail byte, its lead
// byte unchanged: full-width Latin, Greek and Cyrillic letters have case,
// and Windows folds them in names as it folds ASCII ones.
unsigned char FoldTrail(unsigned char lead, unsigned char trail);

// Every letter upper-cased, ASCII and double-byte, as Windows compares
// names: two names that fold alike name the same file.
Text FoldCase(std::string_view s);

// Comparison with letter case folded, as Windows name lookups do.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// printf-style substitution of each "%s" in order; other text is copied.
Text Format(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace sjis
