// The system clipboard's text as CF_UNICODETEXT, converted to UTF-8.
#pragma once
#include <optional>
#include <string>

#include "platform/clipboard.h"
#include "platform/text.h"

namespace platform::win32 {

// The clipboard's text as it stands; nothing when it cannot be opened.
std::optional<std::wstring> ClipboardWideText();

class Clipboard : public platform::Clipboard {
 public:
  bool SetText(const Text& text) override;
  Text GetText() const override;  // throws while another program holds it open
  bool HasText() const override;
  bool Clear() override;
};

}  // namespace platform::win32
