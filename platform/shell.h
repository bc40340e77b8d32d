// The shell's "open" action for a path, an address or a mail link.
#pragma once
#include <string>

#include "platform/text.h"

namespace platform {

class Shell {
 public:
  virtual ~Shell() = default;
  // Links that the shell cannot open are ignored.
  virtual void Open(const Path& target) = 0;
};

}  // namespace platform
