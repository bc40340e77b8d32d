// Every face of the library in memory, for finding faces by typing. It is
// read from the face folder a little at a time (so the palette can build it
// while idle) and kept current by being told which paths changed; a find
// first reads whatever is still unread or changed.
#pragma once
#include <cstddef>
#include <memory>
#include <set>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/text.h"

namespace library {

struct FoundFace {
  Text face;
  Text className;
  Text group;
};

struct FindResult {
  std::vector<FoundFace> shown;  // best first, at most the limit asked for
  size_t total = 0;              // every face that matched
};

class FaceIndex {
 public:
  explicit FaceIndex(const platform::FileSystem& files);
  ~FaceIndex();

  // Starts over on this face folder, with nothing read.
  void Reset(const Path& faceFolder);
  // A file or folder changed: written, created, renamed (both names) or
  // deleted. Paths outside the face folder are ignored; the face folder
  // itself or a folder above it starts over.
  void Changed(const Path& path);
  // Reads one piece of what is unread or changed (a listing or a group
  // file); false when there was nothing left to read.
  bool ReadSome();
  bool UpToDate() const;

  // The faces whose text, group name or class name holds the query, as
  // SearchFold compares them. Ranked: faces among `recent` (newest first)
  // first, then faces of groups whose name holds it, then of classes whose
  // name does, then faces whose text does; the library's order within each.
  // A recent face is shown once, where it is first found. Reads what is
  // unread first.
  FindResult Find(std::string_view query, size_t limit, const std::vector<Text>& recent);

  size_t FaceCount() const;
  const Path& FaceFolder() const { return faceFolder_; }

 private:
  struct Group;
  struct Class;
  void ListClasses();
  void ListGroups(Class& c);
  void Read(Group& g, const Path& classFolder);

  const platform::FileSystem& files_;
  Path faceFolder_;
  std::vector<std::unique_ptr<Class>> classes_;
  bool classesStale_ = false;
};

}  // namespace library
