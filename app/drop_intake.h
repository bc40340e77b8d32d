// Files and folders dropped on the palette: a folder becomes a class; text
// files and LZH archives come in the program's own format (a group, a
// class) or as text dictionaries, as the format chooser answers once per
// drop.
#pragma once
#include <string>
#include <vector>

#include "platform/toolkit.h"

namespace app {

class TFKao;

class DropIntake {
 public:
  explicit DropIntake(TFKao& palette) : palette_(palette) {}
  // Each path in the order given; a failure ends the drop, and what was
  // taken in before it stays.
  void Drop(const std::vector<platform::DroppedPath>& paths);

 private:
  // The format question, settled once per drop.
  struct Formats {
    bool asked = false;
    bool dictionary = false;
    bool own = true;
  };
  void TakeFolder(const std::string& path, const std::string& name);
  void TakeFile(const std::string& path, const std::string& name, Formats& formats);
  void TakeArchiveAsDictionaries(const std::string& path);
  // A text file read as a dictionary into the class of that name.
  void TakeDictionary(const std::string& path, const std::string& name);
  // A class or group name that cannot be used: said, and the path skipped.
  bool Refused(const std::string& path, const std::string& folder, const std::string& name, const char* extension);
  void Skip(const std::string& path, const std::string& reason);
  // A new class folder made from `path` by `make`, listed and selected.
  template <class F>
  void AddClass(const std::string& name, F&& make);
  TFKao& palette_;
};

}  // namespace app
