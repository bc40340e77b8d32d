// The folder browser's lists over the headless file system, driven as the
// user drives them.
#include <gtest/gtest.h>

#include "forms/folder_lists.h"
#include "platform/failure.h"
#include "platform/headless/file_system.h"
#include "platform/headless/toolkit.h"

namespace {

using V = std::vector<std::string>;

class FolderListsTest : public ::testing::Test {
 protected:
  FolderListsTest() {
    files.AddDirectory("C:\\kao\\A");
    files.AddDirectory("C:\\kao\\ソ表");  // both end in a 0x5C trail byte
    files.AddDirectory("C:\\kao\\secret", platform::attr::kHidden);
    files.AddFile("C:\\kao\\readme.txt", "x");
    files.AddFile("C:\\kao\\hidden.txt", "x", platform::attr::kHidden);
    files.AddFile("C:\\kao\\ソ表\\g.txt", "x");
  }
  headless::ListBox& L(platform::ListBox& list) { return headless::As<headless::ListBox>(list); }

  headless::Toolkit toolkit;
  headless::FileSystem files;
  std::unique_ptr<platform::Window> window = toolkit.NewWindow({.size = {300, 400}});
};

}  // namespace

TEST(PathParts, SplitAtBackslashesThatAreCharacters) {
  EXPECT_EQ(forms::PathParts("C:\\ソ表\\a\\"), (V{"C:", "ソ表", "a"}));
  EXPECT_EQ(forms::PathParts("C:\\"), V{"C:"});
  EXPECT_TRUE(forms::PathParts("").empty());
}

TEST_F(FolderListsTest, TheDirectoryListShowsTheWayDownThenTheSubfoldersAndMovesOnADoubleClick) {
  auto list = window->NewListBox(nullptr, platform::ListStyle::Single);
  forms::DirectoryList dirs(*list, files);
  int moves = 0;
  dirs.onChange = [&] { ++moves; };
  dirs.SetDirectory("C:\\kao\\");
  EXPECT_EQ(dirs.Directory(), "C:\\kao");
  EXPECT_EQ(L(*list).Items(), (V{"C:\\", "  kao", "    A", "    ソ表"}));
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(moves, 1);

  L(*list).UserDoubleClick(3);
  EXPECT_EQ(dirs.Directory(), "C:\\kao\\ソ表");
  EXPECT_EQ(L(*list).Items(), (V{"C:\\", "  kao", "    ソ表"}));
  L(*list).UserDoubleClick(0);
  EXPECT_EQ(dirs.Directory(), "C:\\");
  EXPECT_EQ(L(*list).Items(), (V{"C:\\", "  mirufo", "  kao"}));  // the program's folder too
  EXPECT_EQ(moves, 3);

  // A folder that is not there, or a file: the list stays where it was.
  EXPECT_THROW(dirs.SetDirectory("C:\\kao\\none"), platform::IoError);
  EXPECT_THROW(dirs.SetDirectory("C:\\kao\\readme.txt"), platform::IoError);
  EXPECT_THROW(dirs.SetDirectory("Q:\\"), platform::IoError);
  EXPECT_EQ(dirs.Directory(), "C:\\");
  EXPECT_EQ(moves, 3);
}

TEST_F(FolderListsTest, TheFileListShowsPlainFilesAndNamesTheSelectedOne) {
  auto list = window->NewListBox(nullptr, platform::ListStyle::Single);
  forms::FileList fileList(*list, files);
  fileList.SetDirectory("C:\\kao\\");
  EXPECT_EQ(L(*list).Items(), V{"readme.txt"});
  EXPECT_EQ(fileList.FileName(), "");
  L(*list).UserClick(0);
  EXPECT_EQ(fileList.FileName(), "C:\\kao\\readme.txt");
  fileList.SetDirectory("C:\\kao\\ソ表");
  L(*list).UserClick(0);
  EXPECT_EQ(fileList.FileName(), "C:\\kao\\ソ表\\g.txt");
}

TEST_F(FolderListsTest, TheDriveSelectorShowsThePathsDriveAndReportsTheUsersPick) {
  files.AddDrive('a', platform::error::kNotReady);
  auto list = window->NewDropDownList(nullptr);
  forms::DriveSelector drives(*list, files);
  int picks = 0;
  drives.onChange = [&] { ++picks; };
  drives.Show("c:\\kao");
  EXPECT_EQ(drives.Drive(), "C:");
  EXPECT_EQ(list->Count(), 2);
  headless::As<headless::DropDownList>(*list).UserChoose(0);
  EXPECT_EQ(picks, 1);
  EXPECT_EQ(drives.Drive(), "A:");
  EXPECT_EQ(files.ProbeDrive(drives.Drive()), platform::error::kNotReady);
  drives.Show("C:\\kao");  // the owner puts the old drive back
  EXPECT_EQ(drives.Drive(), "C:");
  EXPECT_EQ(picks, 1);
}
