#include "app/summon_place.h"

#include <algorithm>

namespace app {

namespace {

// From `from` as far as needed to fit [low, high), the low end winning.
int Fit(int from, int length, int low, int high) { return std::max(low, std::min(from, high - length)); }

}  // namespace

platform::Rect PlaceBeside(const platform::Rect& anchor, platform::Size size, const platform::Rect& workArea, int gap) {
  const int waRight = workArea.left + workArea.width, waBottom = workArea.top + workArea.height;
  const int anchorRight = anchor.left + anchor.width, anchorBottom = anchor.top + anchor.height;
  platform::Rect r{anchor.left, anchorBottom + gap, size.width, size.height};
  if (r.top + size.height <= waBottom) {
    r.left = Fit(r.left, size.width, workArea.left, waRight);
    return r;
  }
  if (anchor.top - gap - size.height >= workArea.top) {
    r.top = anchor.top - gap - size.height;
    r.left = Fit(r.left, size.width, workArea.left, waRight);
    return r;
  }
  // Taller than the room above and below: to the right of the anchor, else
  // to its left, at the height that fits.
  r.top = Fit(anchor.top, size.height, workArea.top, waBottom);
  if (anchorRight + gap + size.width <= waRight)
    r.left = anchorRight + gap;
  else
    r.left = Fit(anchor.left - gap - size.width, size.width, workArea.left, waRight);
  return r;
}

}  // namespace app
