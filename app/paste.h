// The road by which text reaches another application: which window gets it,
// what text a multiple paste makes, and the key strokes that paste it.
#pragma once
#include <string>
#include <vector>

#include "platform/other_windows.h"
#include "platform/text.h"
#include "platform/toolkit.h"

namespace app {

// The window the user worked in, with its title cut at 254 bytes.
struct PasteTarget {
  platform::WindowId window = 0;  // 0: none found
  Text title;
};

// The first top-level window, front to back, that is unowned, visible and
// titled, skipping the program's own application window; the enumeration
// ends there. The paste goes to this window itself: its title may be cut or
// hold characters that Shift-JIS cannot, and so could match another window
// or none.
PasteTarget FindTargetWindow(const platform::OtherWindows& windows);

// Every selected face from first to last, each followed by CR LF when
// `withReturn` is on.
Text SelectedFacesText(const platform::ListBox& faces, bool withReturn);

// Ctrl down, V down, V up, Ctrl up.
const std::vector<platform::KeyEvent>& PasteKeys();

}  // namespace app
