// Records what the program asks the shell to open.
#pragma once
#include <string>
#include <vector>

#include "platform/shell.h"

namespace headless {

class Shell : public platform::Shell {
 public:
  void Open(const std::string& target) override { opened_.push_back(target); }
  const std::vector<std::string>& Opened() const { return opened_; }

 private:
  std::vector<std::string> opened_;
};

}  // namespace headless
