// Groups taken in from text files and written out to them through the file
// menu, with the dialogs answered as a user would.
#include "platform/failure.h"
#include "tests/support/palette_fixture.h"
#include "tests/support/shift_jis.h"

using V = std::vector<std::string>;

namespace {

const char* const kTextFilter = "テキストファイル(*.txt)|*.txt|すべてのファイル(*.*)|*.*";

class GroupFileTest : public PaletteTest {
 protected:
  void SetUp() override {
    files.AddFile(K("A\\g.txt"), "a\r\nb\r\n");
    files.AddDirectory("C:\\in");
    Start();
  }
  void Open(const std::optional<std::string>& path) {
    toolkit.ScriptFileName(path);
    ChooseMenu("file(&F)", "ﾌｧｲﾙ読込(&R)...");
  }
  void Save(const std::optional<std::string>& path) {
    toolkit.ScriptFileName(path);
    ChooseMenu("file(&F)", "ﾌｧｲﾙ保存(&S)...");
  }
};

}  // namespace

TEST_F(GroupFileTest, AnUpperCaseTextFileBecomesAPlainGroupAndTheLastPathStays) {
  files.AddFile("C:\\in\\new.TXT", Sjis("(^_^)\r\n顔\n"), platform::attr::kReadOnly | platform::attr::kHidden);
  Open("C:\\in\\new.TXT");
  ASSERT_EQ(toolkit.FileDialogs().size(), 1u);
  const auto& dialog = toolkit.FileDialogs()[0];
  EXPECT_EQ(dialog.kind, platform::FileDialogKind::Open);
  EXPECT_EQ(dialog.request.fileName, "");
  EXPECT_EQ(dialog.request.defaultExtension, "txt");
  EXPECT_EQ(dialog.request.filter, kTextFilter);
  EXPECT_EQ(files.Content(K("A\\new.txt")), Sjis("(^_^)\r\n顔\n"));  // byte for byte
  EXPECT_EQ(files.Attributes(K("A\\new.txt")), platform::attr::kArchive);
  EXPECT_EQ(Items(Groups()), (V{"g", "new"}));
  EXPECT_EQ(Groups().ItemIndex(), 1);
  EXPECT_EQ(Items(Faces()), (V{"(^_^)", "顔"}));

  // Opening does not move the last file path; saving does.
  Open(std::nullopt);
  EXPECT_EQ(toolkit.FileDialogs().back().request.fileName, "");
  Save("C:\\out.txt");
  Open(std::nullopt);
  EXPECT_EQ(toolkit.FileDialogs().back().request.fileName, "C:\\out.txt");
}

TEST_F(GroupFileTest, OtherExtensionsAndExistingGroupsChangeNothing) {
  files.AddFile("C:\\in\\g.txt", "other\r\n");
  files.AddFile("C:\\in\\table.csv", "x\r\n");
  files.AddFile("C:\\in\\plain", "x\r\n");
  for (const char* path : {"C:\\in\\g.txt", "C:\\in\\table.csv", "C:\\in\\plain"}) Open(path);
  EXPECT_EQ(files.Content(K("A\\g.txt")), "a\r\nb\r\n");
  EXPECT_EQ(Items(Groups()), V{"g"});
  EXPECT_TRUE(toolkit.Messages().empty());
}

TEST_F(GroupFileTest, WithoutAClassTheFileGoesToANewDefaultClass) {
  files.Remove(K("A"));
  palette.reset();
  Start();
  files.AddFile("C:\\in\\x.txt", "1\r\n");
  Open("C:\\in\\x.txt");
  EXPECT_EQ(Items(Classes()), V{"デフォルト"});
  EXPECT_EQ(files.Content(K("デフォルト\\x.txt")), "1\r\n");
  EXPECT_EQ(Items(Groups()), V{"x"});
}

TEST_F(GroupFileTest, AFileGoneBeforeTheReadIsReportedAndListsNothing) {
  Open("C:\\in\\vanished.txt");
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_NE(toolkit.Messages()[0].text.find("vanished.txt"), std::string::npos);
  EXPECT_EQ(Items(Groups()), V{"g"});
  EXPECT_FALSE(files.Exists(K("A\\vanished.txt")));
}

TEST_F(GroupFileTest, SavingWritesTheShownLinesAndAsksBeforeReplacing) {
  Save("C:\\out.txt");
  EXPECT_EQ(files.Content("C:\\out.txt"), "a\r\nb\r\n");
  EXPECT_EQ(toolkit.FileDialogs().back().kind, platform::FileDialogKind::Save);
  EXPECT_EQ(toolkit.FileDialogs().back().request.filter, kTextFilter);

  // In edit mode the edit box's lines, unsaved changes included.
  Click("bEditer");
  headless::As<headless::EditBox>(palette->Get<platform::EditBox>("RichEdit1")).SetText("x\r\n\r\ny");
  toolkit.ScriptAnswer(platform::Answer::Cancel);
  Save("C:\\out.txt");
  EXPECT_EQ(files.Content("C:\\out.txt"), "a\r\nb\r\n");
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_EQ(toolkit.Messages()[0].text, "上書きしますか？");
  EXPECT_EQ(toolkit.Messages()[0].buttons, platform::Buttons::OkCancel);
  toolkit.ScriptAnswer(platform::Answer::Ok);
  Save("C:\\out.txt");
  EXPECT_EQ(files.Content("C:\\out.txt"), "x\r\n\r\ny\r\n");
  EXPECT_EQ(files.Content(K("A\\g.txt")), "a\r\nb\r\n");
}

TEST_F(GroupFileTest, SavingWithoutAGroupShowsNoDialog) {
  files.AddDirectory(K("Empty"));
  palette.reset();
  Start();
  Classes().UserClick(1);  // a class without groups
  ChooseMenu("file(&F)", "ﾌｧｲﾙ保存(&S)...");  // an unscripted dialog would fail here
  EXPECT_TRUE(toolkit.FileDialogs().empty());
  EXPECT_TRUE(toolkit.Messages().empty());
}

TEST_F(GroupFileTest, AnEmptyGroupGivesAnEmptyFileAndAFailedWriteNamesTheFile) {
  for (int i = 0; i < 2; ++i) {
    Faces().UserClick(0);
    ChooseMenu("edit(&E)", "文字削除(&I)");
  }
  ASSERT_EQ(Faces().Count(), 0);
  Save("C:\\empty.txt");
  EXPECT_EQ(files.Content("C:\\empty.txt"), "");

  files.FailWrites("C:\\locked.txt", platform::error::kAccessDenied);
  Save("C:\\locked.txt");
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_NE(toolkit.Messages()[0].text.find("C:\\locked.txt"), std::string::npos);
  EXPECT_FALSE(files.Exists("C:\\locked.txt"));
}
