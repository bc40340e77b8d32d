// A stack of other applications' top-level windows, front to back; records
// the key strokes sent and which window was in front when they were.
#pragma once
#include <string>
#include <vector>

#include "platform/other_windows.h"

namespace headless {

class OtherWindows : public platform::OtherWindows {
 public:
  struct Sent {
    platform::WindowId target;  // the foreground window at the time
    std::vector<platform::KeyEvent> keys;
  };

  std::vector<platform::TopWindow> TopLevelFrontToBack() const override { return stack_; }
  platform::WindowId FindByTitle(const std::string& title) const override {
    for (const auto& w : stack_)
      if (w.title == title) return w.id;  // hidden windows too, like the real lookup
    return 0;
  }
  bool BringToFront(platform::WindowId id) override {
    for (size_t i = 0; i < stack_.size(); ++i) {
      if (stack_[i].id != id) continue;
      const platform::TopWindow w = stack_[i];
      stack_.erase(stack_.begin() + static_cast<long>(i));
      stack_.insert(stack_.begin(), w);
      return true;
    }
    return false;
  }
  void SendKeys(const std::vector<platform::KeyEvent>& events) override {
    sent_.push_back({stack_.empty() ? 0 : stack_.front().id, events});
  }

  // A new window in front of the others.
  platform::WindowId AddWindow(const std::string& title, platform::WindowId owner = 0, bool visible = true) {
    stack_.insert(stack_.begin(), {++lastId_, owner, visible, title});
    return lastId_;
  }
  const std::vector<Sent>& SentKeys() const { return sent_; }

 private:
  std::vector<platform::TopWindow> stack_;
  std::vector<Sent> sent_;
  platform::WindowId lastId_ = 100;
};

}  // namespace headless
