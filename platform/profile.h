// Profile (INI) files: keys of a section, read and written at once.
#pragma once
#include <vector>

#include "platform/text.h"

namespace platform {

class Profile {
 public:
  virtual ~Profile() = default;
  virtual Text ReadString(const Text& section, const Text& key, const Text& fallback) const = 0;
  virtual void WriteString(const Text& section, const Text& key, const Text& value) = 0;  // throws
  virtual std::vector<Text> Sections() const = 0;
  virtual std::vector<Text> Keys(const Text& section) const = 0;
};

}  // namespace platform
