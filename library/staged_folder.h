// A new folder filled out of sight: its files go with plain creates into a
// hidden sibling whose name has as many characters, and one rename puts the
// sibling in place. Nothing guards a file no one relies on yet, so the safe
// writer's temporaries, flushes and look-ups are spared, a listing never
// shows the folder half made, and a crash leaves no half class behind.
// Where the folder exists, or every sibling name is taken, the files go
// straight into the folder through the safe writer.
#pragma once
#include <string>

#include "platform/file_system.h"
#include "platform/text.h"

namespace library {

class StagedFolder {
 public:
  StagedFolder(platform::FileSystem& files, Path folder);
  // Without Commit, the sibling goes with everything in it.
  ~StagedFolder();
  StagedFolder(const StagedFolder&) = delete;
  StagedFolder& operator=(const StagedFolder&) = delete;

  // Writes the file of this name, making the folder first; a failure is a
  // platform::Failure naming the folder or the file as it will be.
  void Write(const Text& name, const Bytes& bytes);
  // Puts the folder in place, a plain folder; nothing when nothing was
  // written. A failure names the folder.
  void Commit();

  // Where the files are written now: the sibling or the folder itself.
  const ::Path& Path() const { return path_; }

 private:
  platform::FileSystem& files_;
  const ::Path folder_;
  ::Path path_;
  bool staged_ = false;
  bool made_ = false;
};

}  // namespace library
