// Keeping a window within the user's reach: a place read from a settings
// file may lie on no display at all, and a window put there could never be
// dragged back.
#pragma once
#include "platform/toolkit.h"

namespace forms {

// `bounds` as Window::Bounds gives them (left and top in screen pixels,
// width and height at 96 DPI) for a window shown at `dpi`. A place that
// overlaps a display stays as it is. One that lies on none moves onto the
// nearest display's work area, at least `minimum` and at most the work area
// large.
platform::Rect ReachablePlace(const platform::Toolkit& toolkit, const platform::Rect& bounds, int dpi,
                              platform::Size minimum);

}  // namespace forms
