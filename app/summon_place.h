// Where the palette appears when the hotkey calls it: beside the text caret
// of the window the user types in, whole on that display's work area.
#pragma once
#include "platform/toolkit.h"

namespace app {

// The outer rectangle, in screen pixels, for a window of `size` pixels:
// just below `anchor` (the caret, or the mouse pointer as a small
// rectangle) with its left edge at the anchor's, or just above it when the
// room below is too small; where neither holds it, beside the anchor; always
// moved as little as needed to lie on the work area (its top-left corner
// when it is larger).
platform::Rect PlaceBeside(const platform::Rect& anchor, platform::Size size, const platform::Rect& workArea, int gap);

}  // namespace app
