// One row of a list drawn so that a face of any script shows: the system's
// font linking finds the glyphs of the Basic Multilingual Plane that the
// list's font lacks; characters beyond it (emoji, mathematical letters,
// historic scripts) come from the first font of a fallback chain whose
// character map holds them.
#pragma once
#include <windows.h>

#include <string>

namespace platform::win32 {

// The text from x on the row's top, clipped to the row, in the font and
// colours selected into dc.
void DrawRowText(HDC dc, const RECT& row, int x, const std::wstring& text);

}  // namespace platform::win32
