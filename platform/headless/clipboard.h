// The clipboard in memory; records every write.
#pragma once
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/failure.h"
#include "platform/text.h"

namespace headless {

class Clipboard : public platform::Clipboard {
 public:
  bool SetText(const Text& text) override {
    if (Refuse()) return false;
    text_ = text;
    has_ = true;
    writes_.push_back(text);
    return true;
  }
  Text GetText() const override { return has_ ? text_ : Text(); }
  bool HasText() const override { return has_; }
  bool Clear() override {
    if (Refuse()) return false;
    text_.clear();
    has_ = false;
    return true;
  }

  // Another program puts text on the clipboard.
  void Put(const Text& text) {
    text_ = text;
    has_ = true;
  }

  // Another program holds the clipboard at the next open.
  void FailNextOpen() { failNext_ = true; }
  const std::vector<Text>& Writes() const { return writes_; }

 private:
  bool Refuse() {
    const bool fail = failNext_;
    failNext_ = false;
    return fail;
  }
  Text text_;
  bool has_ = false, failNext_ = false;
  std::vector<Text> writes_;
};

}  // namespace headless
