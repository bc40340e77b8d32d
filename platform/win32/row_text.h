// One row of a list drawn so that a face of any script shows: the system's
// font linking finds the glyphs of the Basic Multilingual Plane that the
// list's font lacks; characters beyond it (emoji, mathematical letters,
// historic scripts) come from the first font of a fallback chain whose
// character map holds them.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace platform::win32 {

// Thai, which Wine shapes with the selected font alone (see DrawRowText).
constexpr bool IsThai(char32_t c) { return c >= 0x0E00 && c <= 0x0E7F; }

// Whether a row needs DrawRowText to show: it holds Thai or characters
// beyond the Basic Multilingual Plane. Read on the UTF-8 bytes, so that a
// list of 200,000 rows is checked without converting them.
bool NeedsRowDrawing(std::string_view utf8);

// The text from x on the row's top, clipped to the row, in the font and
// colours selected into dc.
void DrawRowText(HDC dc, const RECT& row, int x, const std::wstring& text);

}  // namespace platform::win32
