// UTF-8, one code point at a time: the form Text takes inside the program
// once faces are Unicode, and the form of UTF-8 files.
#pragma once
#include <optional>
#include <string_view>

#include "platform/text.h"

namespace utf8 {

// The code point's UTF-8 bytes at the end of `out` (any value up to
// U+10FFFF; surrogates are written as they come).
void Append(Text& out, char32_t c);
// The code point at `at`, and `at` moved past it; nothing, with `at`
// unmoved, for a sequence that is not shortest-form UTF-8 of a scalar value.
std::optional<char32_t> Next(std::string_view s, size_t& at);

}  // namespace utf8
