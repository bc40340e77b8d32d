// Classes packed into and unpacked from LZH archives through the palette's
// file menu, with our archiver standing in for the library.
#include "tests/support/palette_fixture.h"

using V = std::vector<std::string>;

namespace {

const char* const kFilter = "圧縮ファイル(*.lzh)|*.lzh|すべてのファイル(*.*)|*.*";

class ArchiveTest : public PaletteTest {
 protected:
  void SetUp() override {
    ProvideUnlha();
    files.AddFile(K("A\\g.txt"), "a\r\nb\r\n");
    files.AddFile(K("A\\顔文字.txt"), "(^_^)\r\n");
    files.AddFile(K("B\\k.txt"), "z\r\n");
    files.AddDirectory("C:\\out");
    Start();
  }
  headless::MenuItem& FileMenu() { return Window().MenuBar().Find("file(&F)"); }
  void Export(const std::optional<std::string>& path) {
    toolkit.ScriptFileName(path);
    FileMenu().Find("配布用保存[ミルフォ形式](&B)...").UserChoose();
  }
  void Import(const std::optional<std::string>& path) {
    toolkit.ScriptFileName(path);
    FileMenu().Find("配布用取込[ミルフォ形式](&A)...").UserChoose();
  }
};

}  // namespace

TEST_F(ArchiveTest, AClassExportedDeletedAndImportedComesBackByteForByte) {
  Faces().Add("unsaved");  // reaches the archive: the group is saved first
  Export("C:\\out\\A.lzh");
  ASSERT_EQ(unlhaLines, V{"a -x1 -r1 \"C:\\out\\A.lzh\" \"C:\\mirufo\\kao\\A\\\" *.* "});
  ASSERT_EQ(toolkit.FileDialogs().size(), 1u);
  EXPECT_EQ(toolkit.FileDialogs()[0].kind, platform::FileDialogKind::Save);
  EXPECT_EQ(toolkit.FileDialogs()[0].request.defaultExtension, "lzh");
  EXPECT_EQ(toolkit.FileDialogs()[0].request.filter, kFilter);
  EXPECT_TRUE(files.Exists("C:\\out\\A.lzh"));

  palette->DeleteClass();
  EXPECT_FALSE(files.Exists(K("A")));
  Import("C:\\out\\A.lzh");
  EXPECT_EQ(unlhaLines.back(), "e -y \"C:\\out\\A.lzh\" \"C:\\mirufo\\kao\\A\\\" *.* ");
  EXPECT_EQ(files.Content(K("A\\g.txt")), "a\r\nb\r\nunsaved\r\n");
  EXPECT_EQ(files.Content(K("A\\顔文字.txt")), "(^_^)\r\n");
  EXPECT_EQ(*files.Attributes(K("A")), platform::attr::kDirectory);
  EXPECT_EQ(Classes().Item(Classes().ItemIndex()), "A");
  EXPECT_EQ(Items(Groups()).size(), 2u);
  EXPECT_FALSE(Items(Faces()).empty());

  // The save dialog proposes what it held last; the open dialog the last
  // file path, which the import set.
  Export(std::nullopt);
  EXPECT_EQ(toolkit.FileDialogs()[2].request.fileName, "C:\\out\\A.lzh");
  Import(std::nullopt);
  EXPECT_EQ(toolkit.FileDialogs()[3].request.fileName, "C:\\out\\A.lzh");
  EXPECT_EQ(toolkit.FileDialogs()[3].request.filter, kFilter);
  EXPECT_EQ(unlhaLines.size(), 2u);
  EXPECT_TRUE(toolkit.Messages().empty());
}

TEST_F(ArchiveTest, AnArchiveNeverMergesIntoAClassAndMissingOnesDoNothing) {
  Export("C:\\out\\B.lzh");  // the current class is A
  Import("C:\\out\\B.lzh");  // class B exists: nothing happens
  Import("C:\\out\\none.lzh");
  EXPECT_EQ(unlhaLines.size(), 1u);
  EXPECT_EQ(Items(Classes()), (V{"A", "B"}));
  EXPECT_EQ(files.Content(K("B\\k.txt")), "z\r\n");
  EXPECT_TRUE(toolkit.Messages().empty());

  // Packing onto an existing archive asks nothing.
  Export("C:\\out\\B.lzh");
  EXPECT_EQ(unlhaLines.size(), 2u);
}

TEST_F(ArchiveTest, AFailedUnpackSaysWhyAndLeavesNoEmptyClass) {
  files.AddFile("C:\\out\\junk.lzh", "this is no archive");
  Import("C:\\out\\junk.lzh");
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_EQ(toolkit.Messages()[0].icon, platform::Icon::Stop);
  EXPECT_NE(toolkit.Messages()[0].text.find("C:\\out\\junk.lzh"), std::string::npos);
  EXPECT_NE(toolkit.Messages()[0].text.find("LZH 形式"), std::string::npos);
  EXPECT_FALSE(files.Exists(K("junk")));
  EXPECT_EQ(Items(Classes()), (V{"A", "B"}));

  // A member whose data is damaged: what could be read stays, and is said.
  Export("C:\\out\\A.lzh");
  std::string bytes = files.Content("C:\\out\\A.lzh");
  bytes[bytes.size() - 3] ^= 0x55;  // inside the last member's packed data
  files.AddFile("C:\\out\\damaged.lzh", bytes);
  toolkit.ClearMessages();
  Import("C:\\out\\damaged.lzh");
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_NE(toolkit.Messages()[0].text.find("damaged.lzh"), std::string::npos);
  EXPECT_EQ(Items(Classes()), (V{"A", "B", "damaged"}));
  EXPECT_EQ(files.Enumerate(K("damaged\\*.txt"), 0).size(), 1u);
}

TEST_F(ArchiveTest, NoClassNoDialogAndNoLibraryNoCommands) {
  files.Remove(K("A"));
  files.Remove(K("B"));
  palette.reset();
  Start();
  FileMenu().Find("配布用保存[ミルフォ形式](&B)...").UserChoose();  // an unscripted dialog would fail the test
  EXPECT_TRUE(toolkit.FileDialogs().empty());

  palette.reset();
  libraries = headless::LibraryLoader();
  Start();
  EXPECT_FALSE(Menu("file(&F)", "配布用取込[ミルフォ形式](&A)...").Enabled());
  EXPECT_FALSE(Menu("file(&F)", "配布用保存[ミルフォ形式](&B)...").Enabled());
}

namespace {

// An archive of many members whose unpack takes 30 ms a member.
class LongUnpackTest : public ArchiveTest {
 protected:
  void SetUp() override {
    ArchiveTest::SetUp();
    std::vector<std::pair<std::string, std::string>> members;
    for (int i = 0; i < 20; ++i) members.push_back({"g" + std::to_string(100 + i) + ".txt", "x\r\n"});
    MakeArchive("C:\\out\\many.lzh", members);
    unlhaMemberMs = 30;
  }
  std::string Progress() { return palette->Get<platform::StatusBar>("StatusBar1").PanelText(1); }
  size_t Unpacked() { return files.Enumerate(K("many\\*.txt"), 0).size(); }
};

}  // namespace

TEST_F(LongUnpackTest, TheStatusBarFollowsAndEscapeStopsItLeavingNoClass) {
  std::vector<std::string> shown;
  std::vector<size_t> written;
  const auto look = [&] {
    shown.push_back(Progress());
    written.push_back(Unpacked());
  };
  toolkit.ScriptPendingEvents(look);
  toolkit.ScriptPendingEvents([&] {
    look();
    // Keys other than Escape do nothing meanwhile, nor do commands.
    Window().UserKey(platform::key::kDelete);
    FileMenu().Find("配布用取込[ミルフォ形式](&A)...").UserChoose();  // an unscripted dialog would fail the test
    Window().UserKey(platform::key::kEscape);
  });
  Import("C:\\out\\many.lzh");

  // Shown at the first member and then no more often than every 100 ms:
  // the fifth member comes 120 ms later. Escape there stops the unpack
  // before that member, and the class it was making goes.
  EXPECT_EQ(shown, (V{"展開中 1 個目 g100.txt", "展開中 5 個目 g104.txt"}));
  EXPECT_EQ(written, (std::vector<size_t>{0, 4}));
  EXPECT_EQ(toolkit.PendingEventRuns(), 2);
  EXPECT_FALSE(files.Exists(K("many")));
  EXPECT_EQ(Items(Classes()), (V{"A", "B"}));
  EXPECT_EQ(Classes().Item(Classes().ItemIndex()), "A");
  EXPECT_EQ(Progress(), "展開を中止しました");
  EXPECT_TRUE(toolkit.Messages().empty());
  EXPECT_FALSE(Window().Closed());
  // The library's owner is cleared, and Escape closes the palette again.
  EXPECT_EQ(unlhaOwner, 0u);
  EXPECT_FALSE(Window().HandlesMessage("WM_ARCEXTRACT"));
  Window().UserKey(platform::key::kEscape);
  EXPECT_TRUE(Window().Closed());
}

TEST_F(LongUnpackTest, AnUnpackThatEndsShowsNothingAndClosingStopsOneFirst) {
  Import("C:\\out\\many.lzh");
  EXPECT_EQ(Unpacked(), 20u);
  EXPECT_EQ(Progress(), "");
  EXPECT_EQ(Classes().Item(Classes().ItemIndex()), "many");
  EXPECT_EQ(toolkit.PendingEventRuns(), 5);  // members 1, 5, 9, 13 and 17

  // The close box stops the unpack; the palette closes once the class has
  // gone, and saves its settings as at every close.
  files.Remove(kIni);
  toolkit.ScriptPendingEvents([&] {
    Window().UserCloseBox();
    EXPECT_FALSE(Window().Closed());
  });
  files.AddFile("C:\\out\\more.lzh", files.Content("C:\\out\\many.lzh"));
  Import("C:\\out\\more.lzh");
  EXPECT_TRUE(Window().Closed());
  EXPECT_FALSE(files.Exists(K("more")));
  EXPECT_TRUE(files.Exists(kIni));
  EXPECT_TRUE(toolkit.Messages().empty());
}
