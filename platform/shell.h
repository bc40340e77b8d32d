// The shell: open with the verb "open", and whole-tree copies and deletes.
#pragma once
#include <string>
#include <vector>

namespace platform {

class Shell {
 public:
  virtual ~Shell() = default;
  virtual void Open(const std::string& target) = 0;
  // Copies or deletes directory trees without questions; false on failure.
  virtual bool CopyTree(const std::string& from, const std::string& to) = 0;
  virtual bool DeleteTree(const std::string& path) = 0;
};

}  // namespace platform
