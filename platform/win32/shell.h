// The shell's "open" verb.
#pragma once
#include "platform/shell.h"
#include "platform/text.h"

namespace platform::win32 {

class Shell : public platform::Shell {
 public:
  void Open(const Path& target) override;
};

}  // namespace platform::win32
