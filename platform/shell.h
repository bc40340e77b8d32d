// The shell's "open" action for a path, an address or a mail link.
#pragma once
#include <string>

namespace platform {

class Shell {
 public:
  virtual ~Shell() = default;
  // Links that the shell cannot open are ignored.
  virtual void Open(const std::string& target) = 0;
};

}  // namespace platform
