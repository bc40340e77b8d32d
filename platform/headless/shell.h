// Records what the program asks the shell to open.
#pragma once
#include <string>
#include <vector>

#include "platform/shell.h"
#include "platform/text.h"

namespace headless {

class Shell : public platform::Shell {
 public:
  void Open(const Path& target) override { opened_.push_back(target); }
  const std::vector<Text>& Opened() const { return opened_; }

 private:
  std::vector<Text> opened_;
};

}  // namespace headless
