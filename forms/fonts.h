// The program's two typefaces: a proportional one for windows and their
// controls, and a fixed-pitch one for lists of faces and for face text.
#pragma once
#include "platform/toolkit.h"

namespace forms {

inline constexpr const char* kWindowFace = "ＭＳ Ｐゴシック";
inline constexpr const char* kListFace = "ＭＳ ゴシック";

// Sizes in pixels at 96 DPI.
inline platform::Font WindowFont(int pixels, bool bold = false) {
  return {.face = kWindowFace, .size = pixels, .bold = bold};
}
inline platform::Font ListFont(int pixels) { return {.face = kListFace, .size = pixels}; }
// The lists' font as the settings give it, in points.
inline platform::Font ListFontInPoints(int points) { return {.face = kListFace, .size = points, .points = true}; }

}  // namespace forms
