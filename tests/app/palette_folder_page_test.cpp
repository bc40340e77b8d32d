// The palette's folder page, used as a user would: opened from the main
// page, walked by the path box, the folder list and the drive selector,
// and a folder made the face folder.
#include "platform/failure.h"
#include "tests/support/palette_fixture.h"

namespace {

class FolderPageTest : public PaletteTest {
 protected:
  void SetUp() override {
    files.AddFile(K("A\\g.txt"), "a\r\n");
    files.AddFile(K("A\\ソ表.txt"), "b\r\n");
    files.AddFile("C:\\other\\B\\h.txt", "h\r\n");
    files.AddDirectory("C:\\other\\empty");
    Start();
  }
  template <class T>
  T& Get(const char* name) { return Window().Find<T>(name); }
  headless::EntryBox& PathBox() { return Get<headless::EntryBox>("eDrive"); }
  headless::ListBox& Folders() { return Get<headless::ListBox>("DirectoryListBox1"); }
  headless::ListBox& Files() { return Get<headless::ListBox>("FileListBox1"); }
  headless::DropDownList& Drives() { return Get<headless::DropDownList>("DriveComboBox1"); }
  void Open() { Click("bbChange1"); }
  // The path typed into the path box and Enter pressed there.
  void GoTo(const std::string& path) {
    PathBox().SetFocus();
    PathBox().SelectAll();
    for (char c : path) Window().UserChar(c);
    Window().UserKey(platform::key::kEnter);
  }
  bool MenusEnabled() { return Window().MenuBar().Find("file(&F)").Enabled() && Window().MenuBar().Find("edit(&E)").Enabled(); }
};

}  // namespace

TEST_F(FolderPageTest, OpensOnTheClassFolderAfterSavingTheGroupAndDisablesTheMenus) {
  palette->Get<platform::EntryBox>("eKao").SetText("new");
  Click("bOK");  // a face added on the main page
  Open();
  EXPECT_EQ(files.Content(K("A\\g.txt")), "a\r\nnew\r\n");
  EXPECT_FALSE(palette->Get<platform::Panel>("Panel8").Visible());
  EXPECT_TRUE(Get<headless::Panel>("Panel7").Visible());
  EXPECT_EQ(PathBox().GetText(), K("A\\"));
  EXPECT_EQ(Files().Items(), (std::vector<std::string>{"g.txt", "ソ表.txt"}));
  EXPECT_EQ(Folders().Item(Folders().ItemIndex()), "      A");
  EXPECT_EQ(Drives().Item(Drives().ItemIndex()), "C:");
  EXPECT_FALSE(MenusEnabled());
  // The folder list is as high as the group list was.
  EXPECT_EQ(Folders().Bounds().height, palette->Get<platform::ListBox>("ListBox1").Bounds().height);

  Click("bbChange2");
  EXPECT_TRUE(palette->Get<platform::Panel>("Panel8").Visible());
  EXPECT_TRUE(MenusEnabled());
}

TEST_F(FolderPageTest, ThePathBoxGoesWhereItIsToldOrEmptiesItself) {
  Open();
  GoTo("C:\\other\\");
  EXPECT_EQ(PathBox().GetText(), "C:\\other\\");
  EXPECT_TRUE(Files().Items().empty());
  GoTo("C:\\other\\B");
  EXPECT_EQ(Files().Items(), std::vector<std::string>{"h.txt"});
  GoTo("C:\\nowhere");
  EXPECT_EQ(PathBox().GetText(), "");
  EXPECT_EQ(Files().Items(), std::vector<std::string>{"h.txt"});  // the lists stay
  GoTo("C:\\");
  EXPECT_EQ(PathBox().GetText(), "C:\\");
  // A double click on a folder of the list goes into it.
  Folders().UserDoubleClick(Folders().FindExact("  other"));
  EXPECT_EQ(PathBox().GetText(), "C:\\other\\");
}

TEST_F(FolderPageTest, FilesAndFoldersOpenWithTheShell) {
  ChooseMenu("edit(&E)", "顔文字ﾌｫﾙﾀﾞを開く(&O)");
  Open();
  Files().UserDoubleClick(1);
  GoTo("C:\\other\\empty");
  Files().onDblClick();  // a double click on no file
  PathBox().SetText("C:\\typed\\");
  Click("bFolderOpen");
  EXPECT_EQ(shell.Opened(), (std::vector<std::string>{kKao, K("A\\ソ表.txt"), "C:\\typed"}));
}

TEST_F(FolderPageTest, AnEmptyDriveIsRefusedWithAMessageAndTheListsStay) {
  files.AddDrive('A', platform::error::kNotReady);
  files.AddDrive('F', 1785);
  files.AddFile("D:\\d.txt", "d");
  Open();
  Drives().UserChoose(0);  // A:
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_EQ(toolkit.Messages()[0].text, "ディスクが挿入されていません");
  EXPECT_EQ(toolkit.Messages()[0].caption, "エラー");
  EXPECT_EQ(toolkit.Messages()[0].buttons, platform::Buttons::Yes);
  EXPECT_EQ(Drives().Item(Drives().ItemIndex()), "C:");
  EXPECT_EQ(PathBox().GetText(), K("A\\"));
  Drives().UserChoose(Drives().Count() - 1);  // F:
  ASSERT_EQ(toolkit.Messages().size(), 2u);
  EXPECT_EQ(toolkit.Messages()[1].text, "フォーマットされていません");
  EXPECT_EQ(Drives().Item(Drives().ItemIndex()), "C:");
  Drives().UserChoose(2);  // D:
  EXPECT_EQ(PathBox().GetText(), "D:\\");
  EXPECT_EQ(Files().Items(), std::vector<std::string>{"d.txt"});
}

TEST_F(FolderPageTest, AFolderBecomesTheFaceFolderAndTheDefaultComesBack) {
  Open();
  GoTo("C:\\other");
  Click("bChangeFolder");
  EXPECT_TRUE(palette->Get<platform::Panel>("Panel8").Visible());
  EXPECT_EQ(Items(Classes()), (std::vector<std::string>{"B", "empty"}));
  EXPECT_EQ(Items(Faces()), std::vector<std::string>{"h"});
  Open();
  EXPECT_EQ(PathBox().GetText(), "C:\\other\\B\\");
  Click("bDefaultFolder");
  EXPECT_EQ(Items(Classes()), std::vector<std::string>{"A"});
  palette->Window().Close();
  EXPECT_NE(files.Content("C:\\mirufo\\system.ini").find("kaopath2=\"C:\\mirufo\\kao\"\r\n"), std::string::npos);
}

TEST_F(FolderPageTest, ATypedPathIsTakenAsTheFullPathWithBackslashes) {
  files.AddFile("C:\\work\\lib2\\C2\\g.txt", "c\r\n");
  files.AddFile("C:\\faces\\x\\X1\\g.txt", "x\r\n");
  files.SetCurrentFolder("C:\\work");
  Open();
  GoTo("lib2");
  EXPECT_EQ(PathBox().GetText(), "C:\\work\\lib2\\");
  EXPECT_EQ(Folders().Item(Folders().ItemIndex()), "    lib2");
  GoTo("C:/faces/x");
  EXPECT_EQ(PathBox().GetText(), "C:\\faces\\x\\");
  EXPECT_EQ(Folders().Items(), (std::vector<std::string>{"C:\\", "  faces", "    x", "      X1"}));
  GoTo("../work/./lib2/");
  EXPECT_EQ(PathBox().GetText(), "C:\\work\\lib2\\");
  Click("bChangeFolder");
  EXPECT_EQ(Items(Classes()), std::vector<std::string>{"C2"});
  palette->Window().Close();
  EXPECT_NE(files.Content(kIni).find("kaopath2=\"C:\\work\\lib2\"\r\n"), std::string::npos) << files.Content(kIni);
}

TEST_F(FolderPageTest, TheListFontSizeAppliesToBothListsAndTheFilesLookLikeLinks) {
  files.AddFile("C:\\mirufo\\system.ini", "[kao]\r\nfontsize=15\r\n");
  palette.reset();
  Start();
  EXPECT_EQ(Folders().CurrentFont().size, 15);
  EXPECT_EQ(Files().CurrentFont().size, 15);
  EXPECT_TRUE(Files().CurrentFont().underline);
  EXPECT_EQ(Files().CurrentFont().color, platform::colour::kBlue);
}
