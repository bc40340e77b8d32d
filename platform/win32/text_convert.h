// Shift-JIS (code page 932, fixed: never the system's ANSI code page) to and
// from UTF-16 at the boundary of the Win32 API.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/text.h"

namespace platform::win32 {

constexpr unsigned kShiftJis = 932;

// Every byte is converted, NULs included; bytes that are no CP932 character
// become the system's replacement character.
std::wstring Wide(std::string_view sjis);
// Like Wide but stops at the first NUL: for window and control texts.
std::wstring WideText(std::string_view sjis);

// Characters CP932 cannot hold become a look-alike (e for an accented e)
// or '?'.
Text Narrow(std::wstring_view text);
// Each character CP932 cannot hold exactly becomes '?': for naming a
// thing that cannot be taken.
Text NarrowMarked(std::wstring_view text);
// The CP932 bytes of text, or nothing when a character has no exact CP932
// form (no best-fit substitutes such as U+301C for U+FF5E).
std::optional<Text> NarrowExact(std::wstring_view text);
// Whether the text round-trips through CP932 unchanged.
bool FitsShiftJis(std::wstring_view text);

}  // namespace platform::win32
