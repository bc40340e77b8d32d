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
    outside_ = false;
    writes_.push_back(text);
    return true;
  }
  Text GetText() const override {
    if (OutsideShiftJis()) throw platform::Failure(platform::kClipboardNotShiftJis);
    return has_ ? text_ : Text();
  }
  bool HasText() const override { return has_; }
  bool Clear() override {
    if (Refuse()) return false;
    text_.clear();
    has_ = outside_ = false;
    return true;
  }

  // Another program puts text with characters Shift-JIS lacks (an emoji);
  // `marked` is that text with '?' for each of them. Reading it fails as
  // it does on Windows, while an edit box's own paste takes it whole.
  void PutOutsideShiftJis(const Text& marked) {
    text_ = marked;
    has_ = outside_ = true;
  }
  bool OutsideShiftJis() const { return has_ && outside_; }
  const Text& HeldText() const { return text_; }

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
  bool has_ = false, outside_ = false, failNext_ = false;
  std::vector<Text> writes_;
};

}  // namespace headless
