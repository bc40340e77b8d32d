// Files and folders dropped on the palette: a folder becomes a class; text
// files and LZH archives come in the program's own format (a group, a
// class) or as text dictionaries, as the format chooser answers once per
// drop.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "library/face_library.h"
#include "platform/platform.h"
#include "platform/text.h"
#include "settings/settings.h"

namespace app {

class DropIntake {
 public:
  // The imports a drop shares with the palette's file menu.
  class Imports {
   public:
    // The current class, made when there is none.
    virtual void EnsureClass() = 0;
    // A text file as a new group of the current class; false when the
    // group exists.
    virtual bool CopyInGroup(const Path& source, const Text& name) = 0;
    virtual bool CanUnpack() const = 0;
    // A class from an archive; what went wrong, when something did.
    virtual std::optional<Text> UnpackNewClass(const Path& archive, const Text& name) = 0;
    virtual int Unpack(const Path& archive, const Path& folder) = 0;
    // False when the file holds no dictionary line.
    virtual bool ReadDictionaryFile(const Path& path) = 0;

   protected:
    ~Imports() = default;
  };
  // The lists are the library's; the settings say whether to ask for the
  // format.
  DropIntake(platform::Platform& services, platform::Window& window, library::FaceLibrary& library,
             const library::LibraryViews& lists, const settings::Settings& settings, Imports& imports)
      : p_(services), window_(window), library_(library), lists_(lists), settings_(settings), imports_(imports) {}
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
  void TakeFolder(const Path& path, const Text& name);
  void TakeFile(const Path& path, const Text& name, Formats& formats);
  void TakeArchiveAsDictionaries(const Path& path);
  // A text file read as a dictionary into the class of that name.
  void TakeDictionary(const Path& path, const Text& name);
  // A class or group name that cannot be used: said, and the path skipped.
  bool Refused(const Path& path, const Path& folder, const Text& name, const char* extension);
  void Skip(const Path& path, const Text& reason);
  // A new class folder made from `path` by `make`, listed and selected.
  template <class F>
  void AddClass(const Text& name, F&& make);
  platform::Platform& p_;
  platform::Window& window_;
  library::FaceLibrary& library_;
  library::LibraryViews lists_;
  const settings::Settings& settings_;
  Imports& imports_;
};

}  // namespace app
