// Profile (INI) files: keys of a section, read and written at once.
#pragma once
#include <string>
#include <vector>

namespace platform {

class Profile {
 public:
  virtual ~Profile() = default;
  virtual std::string ReadString(const std::string& section, const std::string& key, const std::string& fallback) const = 0;
  virtual void WriteString(const std::string& section, const std::string& key, const std::string& value) = 0;  // throws
  virtual std::vector<std::string> Sections() const = 0;
  virtual std::vector<std::string> Keys(const std::string& section) const = 0;
};

}  // namespace platform
