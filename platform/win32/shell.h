// The shell's "open" verb.
#pragma once
#include "platform/shell.h"

namespace platform::win32 {

class Shell : public platform::Shell {
 public:
  void Open(const std::string& target) override;
};

}  // namespace platform::win32
