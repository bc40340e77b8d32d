// Other applications' top-level windows and synthesized key strokes.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/geometry.h"
#include "platform/text.h"

namespace platform {

using WindowId = std::uintptr_t;  // 0: no window

struct TopWindow {
  WindowId id = 0;
  WindowId owner = 0;
  bool visible = false;
  Text title;  // Shift-JIS
};

struct KeyEvent {
  int key = 0;
  bool up = false;
};

// Where the user is typing: the window that has the keyboard and, where it
// shows one, its text caret.
struct TypingPlace {
  WindowId window = 0;        // the foreground top-level window; 0: none
  std::optional<Rect> caret;  // in screen pixels
};

class OtherWindows {
 public:
  virtual ~OtherWindows() = default;
  // Shows `visit` the top-level windows front to back until it returns
  // true, and returns that window; 0 when it took none. Stopping early
  // matters: under Wine every window looked at costs a server round trip.
  virtual WindowId FirstTopLevel(const std::function<bool(const TopWindow&)>& visit) const = 0;
  std::vector<TopWindow> TopLevelFrontToBack() const {
    std::vector<TopWindow> all;
    FirstTopLevel([&](const TopWindow& w) {
      all.push_back(w);
      return false;
    });
    return all;
  }
  virtual WindowId FindByTitle(const Text& title) const = 0;
  // Waits, bounded, until the window has the keyboard. Nothing of the
  // program's own runs meanwhile: its input, timers and posted messages wait
  // until this returns. False when the window is gone or did not come.
  virtual bool BringToFront(WindowId) = 0;
  // The window with the keyboard now, and its caret: the system's, or else
  // the one it tells accessibility tools of. No caret where it shows none.
  virtual TypingPlace FindTypingPlace() const = 0;
  // Sends the events in one batch, with no pause between them.
  virtual void SendKeys(const std::vector<KeyEvent>& events) = 0;
};

}  // namespace platform
