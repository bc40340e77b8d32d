// The folder browser's three lists, made of plain list controls over the
// file system: a drive selector, a directory list (the folders from the
// drive's root down to the current one, then its subfolders) and the files
// of a directory. Their owner couples them.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/text.h"
#include "platform/toolkit.h"

namespace forms {

// The drives in use, as "C:".
class DriveSelector {
 public:
  DriveSelector(platform::DropDownList& list, const platform::FileSystem& files);
  // Lists the drives again and shows the one of path ("C:\kao" shows "C:").
  void Show(const Path& path);
  Path Drive() const;  // the drive shown, or ""
  // The user picked another drive; the owner probes it and then either
  // follows it or puts the old one back with Show.
  std::function<void()> onChange;

 private:
  platform::DropDownList& list_;
  const platform::FileSystem& files_;
};

class DirectoryList {
 public:
  DirectoryList(platform::ListBox& list, const platform::FileSystem& files);
  // Moves to a folder; one that is not there throws IoError and the list
  // stays where it was. A trailing backslash is dropped but for a root.
  void SetDirectory(const Path& path);
  const Path& Directory() const { return directory_; }
  // The list moved, by code or by the user's double click on a folder.
  std::function<void()> onChange;

 private:
  void Open(int index);
  platform::ListBox& list_;
  const platform::FileSystem& files_;
  Path directory_;
  std::vector<Path> paths_;  // the folder behind each item
};

class FileList {
 public:
  FileList(platform::ListBox& list, const platform::FileSystem& files);
  // Lists the plain files of a folder (hidden and system ones left out).
  void SetDirectory(const Path& path);
  // Directory plus name of the selected file; "" when none is selected.
  Path FileName() const;

 private:
  platform::ListBox& list_;
  const platform::FileSystem& files_;
  Path directory_;
};

// The path's parts: "C:\a\b" gives "C:", "a", "b". Shift-JIS aware, so a
// 0x5C trail byte is no separator.
std::vector<Path> PathParts(const Path& path);

}  // namespace forms
