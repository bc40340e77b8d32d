// The face library on disk shown in the palette's three lists: classes are
// subdirectories of the face folder, groups are .txt files in a class, faces
// are the lines of a group file. The lists are the working copy; these
// operations move data between them and the disk.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/failure.h"
#include "platform/file_system.h"
#include "platform/text.h"
#include "platform/text_file.h"
#include "platform/toolkit.h"

namespace library {

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
  // A failure naming the face folder when it cannot hold classes: it is a
  // file, or neither it nor the folder it would be made in exists (a drive
  // that is gone). A folder not made yet is fine: the first class makes it.
  void CheckFaceFolder() const;
  // Fills the group list from the selected class (deleting empty group
  // files) and selects the default group. The current group stays current
  // only when its class was listed again and still holds it; otherwise there
  // is none and the face list is emptied.
  void ListGroups();
  // Reads the selected group into the face list.
  void LoadGroup();
  // Writes the face list back to the current group's file, except an empty
  // list over a file that could not be read. A file named after a device or
  // holding UTF-16 text is never written: loading it says so and shows no
  // faces, and faces added to it are reported as not saved. A failed write
  // is raised only while faces are at stake: the list is not empty and the
  // file is gone or does not hold what was last read or written, so an
  // unwritable group never keeps the user in it for nothing.
  void SaveGroup();
  // Puts the face list's faces into the edit box, one line each.
  void LoadEditBox();
  // Replaces the face list's faces with these (the edit box's lines).
  void StoreEditBox(std::vector<Text> faces);

  // The group's file in the current class; a failure when no class is
  // current, so that no write ever lands beside the face folder.
  Text GroupPath(const Text& group) const;
  // Creates the current class folder when it is missing. A failure is not
  // reported: the class then shows no groups, and what would be written
  // into it fails on its own.
  void MakeClassFolder();

  Text faceFolder;
  Text defaultClass, defaultGroup;
  int currentClass = -1;
  Text currentClassFolder;
  int currentGroup = -1;

 private:
  // The caret on the first face and the count in the status bar.
  void ShowNewFaces();
  bool AtStake(const Text& path, const std::vector<Text>& faces) const;
  // The face list holds the faces of onDisk_, in order.
  bool ShowsWhatIsOnDisk() const;
  platform::FileSystem& files_;
  LibraryViews v_;
  // Marks the current group as never to be written and gives the message.
  platform::Failure Untouchable(const Text& path, const Text& reason);
  // The text of the current group's file when last read or written (its
  // faces are its lines; one string, not a copy of every face), and the
  // encoding it is written in.
  Text onDisk_;
  textfile::Encoding encoding_ = textfile::Encoding::ShiftJis;
  // The file holds exactly the bytes of onDisk_ as a group file is written.
  bool canonical_ = false;
  // The current group's file could not be read: its faces are unknown.
  bool unread_ = false;
  // The current group's file is not one this program may write: a device's
  // name.
  bool untouchable_ = false;
};

}  // namespace library
