// Other applications' top-level windows, and key strokes by SendInput.
#pragma once
#include "platform/other_windows.h"
#include "platform/text.h"

namespace platform::win32 {

class OtherWindows : public platform::OtherWindows {
 public:
  WindowId FirstTopLevel(const std::function<bool(const TopWindow&)>& visit) const override;
  WindowId FindByTitle(const Text& title) const override;
  // Waits, bounded, until the window is in front with a focused control:
  // keys sent before the target's thread takes the focus back are lost.
  bool BringToFront(WindowId id) override;
  void SendKeys(const std::vector<KeyEvent>& events) override;
  TypingPlace FindTypingPlace() const override;
};

}  // namespace platform::win32
