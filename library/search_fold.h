// The form in which faces, group names and what the user types are
// compared when finding faces: letters in one case, full-width Latin and
// half-width katakana in their usual width, katakana as hiragana. "ｶﾞ",
// "ガ" and "が" find each other, as do "Ａ", "a" and "A".
#pragma once
#include <string_view>

#include "platform/text.h"

namespace library {

// The folded text appended to `out`; bytes that are no UTF-8 are kept.
void AppendSearchFold(std::string_view text, Text& out);
inline Text SearchFold(std::string_view text) {
  Text out;
  AppendSearchFold(text, out);
  return out;
}

}  // namespace library
