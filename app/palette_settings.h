// The palette's own copy of the settings it uses between reads of the
// settings file. Everything else lives in the controls or is read from the
// file when it is needed.
#pragma once
#include <string>

namespace app {

struct PaletteSettings {
  std::string stampFormat;  // "time1"
  // Screen edges that show and hide the palette: "vtop", "vleft",
  // "vheight", "vwidth".
  bool edgeTop = false, edgeLeft = false, edgeBottom = false, edgeRight = false;
  bool hideAfter = false;   // "after"
  bool clipOnly = false;    // "clip1"
  bool withReturn = false;  // "return": CR LF after each face of a multi-face paste
  bool oneClick = false;    // "one"
  bool historyLock = false; // "favorit"
  bool dropSkipsChooser = false;  // "dragdrop"
  bool fixedWindow = false;       // "window"
  std::string windowName;         // "wname"
};

}  // namespace app
