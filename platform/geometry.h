// Places and sizes on the screen or in a window.
#pragma once

namespace platform {

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Rect&) const = default;
};
struct Size {
  int width = 0, height = 0;
  bool operator==(const Size&) const = default;
};
struct Point {
  int x = 0, y = 0;
};

}  // namespace platform
