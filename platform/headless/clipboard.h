// The clipboard in memory; records every write.
#pragma once
#include <string>
#include <vector>

#include "platform/clipboard.h"

namespace headless {

class Clipboard : public platform::Clipboard {
 public:
  bool SetText(const std::string& text) override {
    if (Refuse()) return false;
    text_ = text;
    has_ = true;
    writes_.push_back(text);
    return true;
  }
  std::string GetText() const override { return has_ ? text_ : std::string(); }
  bool HasText() const override { return has_; }
  bool Clear() override {
    if (Refuse()) return false;
    text_.clear();
    has_ = false;
    return true;
  }

  // Another program holds the clipboard at the next open.
  void FailNextOpen() { failNext_ = true; }
  const std::vector<std::string>& Writes() const { return writes_; }

 private:
  bool Refuse() {
    const bool fail = failNext_;
    failNext_ = false;
    return fail;
  }
  std::string text_;
  bool has_ = false, failNext_ = false;
  std::vector<std::string> writes_;
};

}  // namespace headless
