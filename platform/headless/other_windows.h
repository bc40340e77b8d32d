// A stack of other applications' top-level windows, front to back; records
// the key strokes sent and which window had the keyboard when they were.
// Bringing a window to the front gives it the keyboard without restacking:
// under Wine without a window manager the order stays as it was.
#pragma once
#include <map>
#include <string>
#include <vector>

#include <stdexcept>

#include "platform/other_windows.h"
#include "platform/text.h"

namespace headless {

class OtherWindows : public platform::OtherWindows {
 public:
  struct Sent {
    platform::WindowId target;  // the window with the keyboard at the time
    std::vector<platform::KeyEvent> keys;
  };

  platform::WindowId FirstTopLevel(const std::function<bool(const platform::TopWindow&)>& visit) const override {
    for (const auto& w : stack_)
      if (visit(w)) return w.id;
    return 0;
  }
  platform::WindowId FindByTitle(const Text& title) const override {
    for (const auto& w : stack_)
      if (w.title == title) return w.id;  // hidden windows too, like the real lookup
    return 0;
  }
  bool BringToFront(platform::WindowId id) override {
    for (const auto& w : stack_) {
      if (w.id != id) continue;
      foreground_ = id;
      return true;
    }
    return false;
  }
  void SendKeys(const std::vector<platform::KeyEvent>& events) override { sent_.push_back({foreground_, events}); }
  platform::TypingPlace FindTypingPlace() const override {
    const auto caret = carets_.find(foreground_);
    if (caret == carets_.end()) return {foreground_, std::nullopt};
    return {foreground_, caret->second};
  }

  // A new window in front of the others; a visible one takes the keyboard.
  platform::WindowId AddWindow(const Text& title, platform::WindowId owner = 0, bool visible = true) {
    stack_.insert(stack_.begin(), {++lastId_, owner, visible, title});
    if (visible) foreground_ = lastId_;
    return lastId_;
  }
  // The user clicks one of the program's own windows, which this stack of
  // other applications' windows leaves out: it has the keyboard.
  void FocusOwnWindow(platform::WindowId id) { foreground_ = id; }
  // The user clicks a window: it comes in front of the others and takes the
  // keyboard.
  void Activate(platform::WindowId id) {
    for (size_t i = 0; i < stack_.size(); ++i) {
      if (stack_[i].id != id) continue;
      const platform::TopWindow w = stack_[i];
      stack_.erase(stack_.begin() + static_cast<long>(i));
      stack_.insert(stack_.begin(), w);
      foreground_ = id;
      return;
    }
  }
  const std::vector<Sent>& SentKeys() const { return sent_; }
  // The window shows its caret there (screen pixels); nothing: it shows
  // none. Fails loudly for a window that is not there.
  void SetCaret(platform::WindowId id, std::optional<platform::Rect> caret) {
    bool known = false;
    for (const auto& w : stack_) known |= w.id == id;
    if (!known) throw std::logic_error("a caret in a window that is not there");
    if (caret)
      carets_[id] = *caret;
    else
      carets_.erase(id);
  }

 private:
  std::vector<platform::TopWindow> stack_;
  std::vector<Sent> sent_;
  platform::WindowId lastId_ = 100;
  platform::WindowId foreground_ = 0;
  std::map<platform::WindowId, platform::Rect> carets_;
};

}  // namespace headless
