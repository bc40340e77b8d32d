// The road by which text reaches another application: which window gets it,
// what text a multiple paste makes, and the key strokes that paste it.
#pragma once
#include <optional>
#include <vector>

#include "platform/clipboard.h"
#include "platform/locale.h"
#include "platform/other_windows.h"
#include "platform/text.h"
#include "platform/toolkit.h"
#include "settings/settings.h"

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

// Text into the user's application as the settings say: onto the
// clipboard, then Ctrl+V into the target window unless the text stays on
// the clipboard; the palette hides afterwards when it should.
class Paster {
 public:
  struct Services {
    platform::Clipboard& clipboard;
    platform::OtherWindows& windows;
    const platform::Locale& locale;
  };
  Paster(Services services, platform::Window& palette, const settings::Settings& settings)
      : s_(services), palette_(palette), settings_(settings) {}

  // Into the window the palette was called to, while it is set; else into
  // the fixed window when the settings name one, else the one found.
  void Paste(const Text& text);
  // The window the user typed in when the hotkey called the palette: every
  // paste goes there until it is cleared (0).
  void SetCalledFrom(platform::WindowId window) { calledFrom_ = window; }
  platform::WindowId CalledFrom() const { return calledFrom_; }
  // Ctrl+V into the window the user worked in before the palette.
  void IntoFoundWindow();
  // The date stamp in the settings' format, pasted as a face but always
  // into the window found (or called from); the stamp, when it went into one.
  std::optional<Text> PasteStamp();
  void ClearClipboard();

 private:
  // The window to the front and Ctrl+V; nothing for no window.
  void SendTo(platform::WindowId target);
  void PutOnClipboard(const Text& text);

  Services s_;
  platform::Window& palette_;
  const settings::Settings& settings_;
  platform::WindowId calledFrom_ = 0;
};

}  // namespace app
