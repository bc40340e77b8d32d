// UTF-8 text written in tests as UTF-32 literals: U(U"顔") is the text's
// UTF-8 bytes whatever the narrow literals are compiled to. A literal with
// a character Shift-JIS lacks must stay out of gtest's macros, which
// quote their arguments as narrow strings.
#pragma once
#include <string>
#include <string_view>

#include "platform/utf8.h"

inline std::string U(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) utf8::Append(out, c);
  return out;
}
