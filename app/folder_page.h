// The palette's second page: a small folder browser (path box, drive
// selector, folder list and file list) from which files and folders open
// with the shell and a folder becomes the face folder.
#pragma once
#include "forms/folder_lists.h"
#include "platform/toolkit.h"

namespace app {

class TFKao;

class FolderPage {
 public:
  explicit FolderPage(TFKao& palette);

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
  bool MoveTo(const std::string& folder);
  void ListLibraryAgain();

  TFKao& p_;
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
