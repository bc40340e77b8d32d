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
  // Paste modes.
  bool linkMode = false;   // "linl1"
  bool clipOnly = false;   // "clip1"
  bool withReturn = false; // "return"
  bool oneClick = false;   // "one"
  bool hideAfter = false;  // "after"
  bool fixedWindow = false;  // "window"
  std::string windowName;    // "wname"
  // History.
  int32_t historyColor = platform::colour::kButtonFace;  // "usercolor1"
  std::string history1, history2;                        // "text1", "text2"
  bool historyLock = false;                              // "favorit"
};

}  // namespace app
