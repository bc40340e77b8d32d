// The face library on disk shown in the palette's three lists: classes are
// subdirectories of the face folder, groups are .txt files in a class, faces
// are the lines of a group file. The lists are the working copy; these
// operations move data between them and the disk.
#pragma once
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/toolkit.h"

namespace library {

using Text = std::string;

// The controls the library fills.
struct LibraryViews {
  platform::ListBox& classes;  // single selection
  platform::ListBox& groups;   // single selection
  platform::ListBox& faces;    // multiple selection, caret = current face
  platform::StatusBar& status;
  platform::EditBox& editBox;  // edit mode is on exactly while it is shown
};

class FaceLibrary {
 public:
  FaceLibrary(platform::FileSystem& files, LibraryViews views) : files_(files), v_(views) {}

  // Fills the class list from the face folder and selects the default class.
  void ListClasses();
  // Fills the group list from the selected class (deleting empty group
  // files) and selects the default group.
  void ListGroups();
  // Reads the selected group into the face list.
  void LoadGroup();
  // Writes the face list back to the current group's file.
  void SaveGroup();
  // Puts the face list's faces into the edit box, one line each.
  void LoadEditBox();
  // Replaces the face list's faces with these (the edit box's lines).
  void StoreEditBox(std::vector<Text> faces);

  Text GroupPath(const Text& group) const { return currentClassFolder + "\\" + group + ".txt"; }

  Text faceFolder;
  Text defaultClass, defaultGroup;
  int currentClass = -1;
  Text currentClassFolder;
  int currentGroup = -1;

 private:
  // The caret on the first face and the count in the status bar.
  void ShowNewFaces();
  platform::FileSystem& files_;
  LibraryViews v_;
};

}  // namespace library
