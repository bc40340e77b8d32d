// The Shift-JIS bytes files hold, written in tests as the text they hold.
#pragma once
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/cp932.h"

inline std::string Sjis(std::string_view text) {
  auto bytes = cp932::Encode(text);
  if (!bytes) throw std::logic_error("no Shift-JIS form: " + std::string(text));
  return *bytes;
}
