#include "forms/window_place.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace forms {

platform::Rect ReachablePlace(const platform::Toolkit& toolkit, const platform::Rect& bounds, int dpi,
                              platform::Size minimum) {
  // A size of nothing or less still stands somewhere: as one pixel.
  const auto pixels = [dpi](int size) {
    return static_cast<int>(std::clamp<int64_t>(int64_t{size} * dpi / 96, 1, INT_MAX));
  };
  const auto units = [dpi](int size) { return static_cast<int>(int64_t{size} * 96 / dpi); };
  const platform::DisplayArea display =
      toolkit.DisplayFor({bounds.left, bounds.top, pixels(bounds.width), pixels(bounds.height)});
  if (display.overlaps) return bounds;
  const platform::Rect& area = display.workArea;
  const int width = std::min(std::max(bounds.width, minimum.width), units(area.width));
  const int height = std::min(std::max(bounds.height, minimum.height), units(area.height));
  // Within the work area along each axis, as near to the wanted place as that allows.
  const auto within = [](int at, int from, int room, int size) { return std::max(from, std::min(at, from + room - size)); };
  return {within(bounds.left, area.left, area.width, pixels(width)), within(bounds.top, area.top, area.height, pixels(height)),
          width, height};
}

}  // namespace forms
