// Text made of code points, for tests that walk ranges of characters.
#pragma once
#include <string>

#include "platform/utf8.h"

inline std::string U8(char32_t c) {
  std::string out;
  utf8::Append(out, c);
  return out;
}
