// The clipboard's plain text (CF_UNICODETEXT on Windows, as UTF-8 text).
#pragma once
#include <string>

#include "platform/text.h"

namespace platform {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // False when the clipboard cannot be opened.
  virtual bool SetText(const Text& text) = 0;
  virtual Text GetText() const = 0;
  virtual bool HasText() const = 0;
  virtual bool Clear() = 0;
};

}  // namespace platform
