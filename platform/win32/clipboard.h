// The system clipboard's text as CF_UNICODETEXT, converted from CP932.
#pragma once
#include "platform/clipboard.h"

namespace platform::win32 {

class Clipboard : public platform::Clipboard {
 public:
  bool SetText(const std::string& text) override;
  std::string GetText() const override;  // throws when CP932 cannot hold it
  bool HasText() const override;
  bool Clear() override;
};

}  // namespace platform::win32
