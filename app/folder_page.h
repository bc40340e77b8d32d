// The palette's second page: a small folder browser (path box, drive
// selector, folder list and file list) from which files and folders open
// with the shell and a folder becomes the face folder.
#pragma once
#include <functional>

#include "forms/folder_lists.h"
#include "forms/form.h"
#include "library/face_library.h"
#include "platform/platform.h"
#include "platform/text.h"

namespace app {

class FolderPage {
 public:
  // What the page needs of the palette around it.
  struct Palette {
    platform::Platform& services;
    library::FaceLibrary& library;
    platform::Panel& mainPage;  // hidden while the page shows
    platform::ListBox& groups;  // the folder list starts at its height
    std::function<void(bool)> enableMenus;  // off while the page shows
  };
  // The page's controls are the form's, by name.
  FolderPage(forms::Form& form, Palette palette);

  // Places the page's controls in the page's rectangle.
  void Layout(const platform::Rect& page);
  void SetListFont(const platform::Font& font);

  void bbChange1Click();
  void bbChange2Click();
  void DirectoryListBox1Change();
  void eDriveKeyDown(int key);
  void DriveComboBox1Click();
  void FileListBox1DblClick();
  void bFolderOpenClick();
  void bChangeFolderClick();
  void bDefaultFolderClick();

 private:
  // Moves the folder list, and with it the other two; false when the folder
  // cannot be entered. A path as typed (relative, with slashes) goes to the
  // full path it stands for, so that a face folder made of it names the
  // same folder from any working folder.
  bool MoveTo(const Path& folder);
  void ListLibraryAgain();

  forms::Form& form_;
  Palette p_;
  platform::Panel& Panel7;
  platform::EntryBox& eDrive;
  platform::Button &bbChange2, &bFolderOpen, &bChangeFolder, &bDefaultFolder;
  platform::DropDownList& DriveComboBox1;
  platform::ListBox& DirectoryListBox1;
  platform::Splitter& Splitter3;
  platform::ListBox& FileListBox1;
  forms::DriveSelector drives_;
  forms::DirectoryList directories_;
  forms::FileList files_;
  int directoryHeight_ = 84;
};

}  // namespace app
