// The values the palette starts with; the settings file supplies them, and
// each has the default that a missing key reads as.
#pragma once
#include <cstdint>
#include <string>

#include "platform/toolkit.h"

namespace app {

struct PaletteSettings {
  std::string faceFolder;  // empty: the executable's folder + "\kao"
  platform::Rect bounds{0, 0, 250, 400};
  bool stayOnTop = true;
  bool hint = true;
  bool small = false;
  int border = 84;    // group list height
  int fontSize = 12;  // points, the lists and the edit box
  int32_t richColor = 0x00BBD7A8;
  std::string defaultClass, defaultGroup;
};

}  // namespace app
