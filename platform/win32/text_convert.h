// The program's UTF-8 text to and from UTF-16 at the boundary of the Win32
// API. Code page 932 never appears here: Shift-JIS is a file format,
// converted by platform/cp932.h where files store it.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/text.h"

namespace platform::win32 {

// Every byte is converted, NULs included; bytes that are no UTF-8 become
// the replacement character.
std::wstring Wide(std::string_view text);
// Like Wide but stops at the first NUL: for window and control texts.
std::wstring WideText(std::string_view text);

// A lone surrogate (which names on disk and edit boxes can hold) becomes
// the replacement character.
Text Narrow(std::wstring_view text);
// Each lone surrogate becomes '?': for naming a thing that cannot be taken.
Text NarrowMarked(std::wstring_view text);
// The UTF-8 of text, or nothing when it holds a lone surrogate, which has
// no UTF-8 form and so could not name the same file again.
std::optional<Text> NarrowExact(std::wstring_view text);

}  // namespace platform::win32
