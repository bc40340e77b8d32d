// Group edit mode: the current group rewritten as text in the edit box.
#include "tests/support/palette_fixture.h"

using V = std::vector<std::string>;
using namespace std::string_literals;

namespace {

class EditModeTest : public PaletteTest {
 protected:
  void SetUp() override {
    files.AddFile(K("A\\g.txt"), "a\r\nb\r\n");
    files.AddFile(K("A\\h.txt"), "x\r\n");
    files.AddFile(K("A\\i.txt"), "y\r\n");
    files.AddDirectory(K("Empty"));
    Start();
  }
  headless::EditBox& Edit() { return headless::As<headless::EditBox>(palette->Get<platform::EditBox>("RichEdit1")); }
  headless::MenuItem& EditMenu() { return Window().MenuBar().Find("edit(&E)"); }
  headless::Button& ButtonOf(const char* name) { return Window().Find<headless::Button>(name); }
  bool Editing() {
    return palette->Get<platform::EditBox>("RichEdit1").Visible() && !palette->Get<platform::ListBox>("ListBox2").Visible() && palette->Get<platform::Panel>("Panel3").Visible() &&
           !palette->Get<platform::Panel>("Panel1").Visible();
  }
  void Type(const std::string& text) {
    for (char c : text) Window().UserChar(c);
  }
  void SaveAndLeave() { ButtonOf("bEditSave").UserClick(); }
};

}  // namespace

TEST_F(EditModeTest, EnteringShowsTheFacesAsLinesAndSavingUnchangedKeepsThem) {
  ButtonOf("bEditer").UserClick();
  EXPECT_TRUE(Editing());
  EXPECT_TRUE(palette->Get<platform::EditBox>("RichEdit1").HasFocus());
  EXPECT_EQ(Edit().GetText(), "a\r\nb\r\n");
  EditMenu().UserOpen();
  EXPECT_FALSE(Menu("edit(&E)", "編集(&Z)").Visible());
  EXPECT_TRUE(Menu("edit(&E)", "保存して編集終了(&Z)").Visible() && Menu("edit(&E)", "編集ｷｬﾝｾﾙ(&N)").Visible());

  EditMenu().Find("保存して編集終了(&Z)").UserChoose();
  EXPECT_FALSE(Editing());
  EXPECT_TRUE(palette->Get<platform::ListBox>("ListBox2").Visible() && palette->Get<platform::Panel>("Panel1").Visible());
  EXPECT_EQ(Edit().GetText(), "");
  EXPECT_EQ(Items(Faces()), (V{"a", "b"}));
  EXPECT_TRUE(Menu("edit(&E)", "編集(&Z)").Visible());
  EXPECT_FALSE(Menu("edit(&E)", "保存して編集終了(&Z)").Visible());
}

TEST_F(EditModeTest, NoCurrentGroupLeavesThePaletteAsItWas) {
  Classes().UserClick(1);  // a class without groups
  ButtonOf("bEditer").UserClick();
  EXPECT_FALSE(palette->Get<platform::EditBox>("RichEdit1").Visible());
  EXPECT_TRUE(palette->Get<platform::Panel>("Panel1").Visible());
}

TEST_F(EditModeTest, SavedLinesBecomeTheFacesAndReachTheFileWhenTheGroupIsLeft) {
  ButtonOf("bEditer").UserClick();
  Edit().SetText("a\r\nb\r\n");
  Type("(^_^)\t\r");  // typed after the last line break, Enter included
  Edit().SetText(Edit().GetText() + "\r\nlf1\nlf2\rcr\r\nend\0after NUL"s);
  SaveAndLeave();
  EXPECT_EQ(Items(Faces()), (V{"a", "b", "(^_^)\t", "", "lf1", "lf2", "cr", "end"}));
  EXPECT_EQ(Count(), "8");
  EXPECT_EQ(files.Content(K("A\\g.txt")), "a\r\nb\r\n");  // not written yet
  Groups().UserClick(1);
  EXPECT_EQ(files.Content(K("A\\g.txt")), "a\r\nb\r\n(^_^)\t\r\n\r\nlf1\r\nlf2\r\ncr\r\nend\r\n");
}

TEST_F(EditModeTest, OneLineBreakSavesOneEmptyFaceAndAnEmptyBoxDeletesTheGroup) {
  ButtonOf("bEditer").UserClick();
  Edit().SetText("\r\n");
  SaveAndLeave();
  EXPECT_EQ(Items(Faces()), V{""});

  Groups().UserClick(1);
  ButtonOf("bEditer").UserClick();
  Edit().SetText("");
  SaveAndLeave();  // no question
  EXPECT_TRUE(toolkit.Messages().empty());
  EXPECT_FALSE(files.Exists(K("A\\h.txt")));
  EXPECT_EQ(Items(Groups()), (V{"g", "i"}));
  EXPECT_EQ(Groups().Item(Groups().ItemIndex()), "i");
  EXPECT_EQ(Items(Faces()), V{"y"});
  EXPECT_FALSE(Editing());
  EXPECT_EQ(Edit().GetText(), "");

  // Text before a NUL only: no lines either.
  ButtonOf("bEditer").UserClick();
  Edit().SetText("\0y\r\n"s);
  SaveAndLeave();
  EXPECT_FALSE(files.Exists(K("A\\i.txt")));
  EXPECT_EQ(Groups().Item(Groups().ItemIndex()), "g");
}

TEST_F(EditModeTest, AnotherGroupWhileEditingRefillsTheBoxAndWritesNothing) {
  ButtonOf("bEditer").UserClick();
  Edit().SetText("dropped\r\n");
  Groups().UserClick(2);
  EXPECT_TRUE(Editing());
  EXPECT_EQ(Edit().GetText(), "y\r\n");
  EXPECT_EQ(files.Content(K("A\\g.txt")), "a\r\nb\r\n");

  // Entering again from the lists' context menu drops the edits too.
  Edit().SetText("dropped\r\n");
  ContextChoose(palette->Get<platform::ListBox>("ListBox1"), "編集(&Z)");
  EXPECT_EQ(Edit().GetText(), "y\r\n");

  // A class without groups empties the box; edit mode stays.
  Classes().UserClick(1);
  EXPECT_TRUE(Editing());
  EXPECT_EQ(Edit().GetText(), "");

  // Closing while editing writes no group file.
  Classes().UserClick(0);
  Groups().UserClick(0);
  Edit().SetText("lost\r\n");
  Window().Close();
  EXPECT_EQ(files.Content(K("A\\g.txt")), "a\r\nb\r\n");
}

TEST_F(EditModeTest, FacesSavedFromAnEarlierEditReachTheFileWhenEditingStartsAgain) {
  ButtonOf("bEditer").UserClick();
  Edit().SetText("new\r\n");
  SaveAndLeave();
  ButtonOf("bEditer").UserClick();
  EXPECT_EQ(files.Content(K("A\\g.txt")), "new\r\n");
  Edit().SetText("not saved\r\n");
  Window().Close();
  EXPECT_EQ(files.Content(K("A\\g.txt")), "new\r\n");
}

TEST_F(EditModeTest, LeavingWithoutSavingKeepsTheFacesAndAddFaceAppendsALine) {
  ButtonOf("bEditer").UserClick();
  Edit().SetText("a");
  palette->Get<platform::EntryBox>("eKao").SetText("(-_-)");
  palette->AddFace();
  EXPECT_EQ(Edit().GetText(), "a\r\n(-_-)");
  EXPECT_EQ(Items(Faces()), (V{"a", "b"}));
  ContextChoose(palette->Get<platform::EditBox>("RichEdit1"), "ｷｬﾝｾﾙ(&X)");
  EXPECT_FALSE(Editing());
  EXPECT_EQ(Items(Faces()), (V{"a", "b"}));
}

TEST_F(EditModeTest, ClipboardCommandsActOnTheSelection) {
  ButtonOf("bEditer").UserClick();
  Edit().SetText("abc\r\n");
  Edit().UserSelect(1, 1);
  ButtonOf("bEditCut").UserClick();
  EXPECT_EQ(clipboard.GetText(), "b");
  Edit().UserSelect(0, 1);
  ContextChoose(palette->Get<platform::EditBox>("RichEdit1"), "コピー(&C)");
  EXPECT_EQ(clipboard.GetText(), "a");
  Edit().UserSelect(2, 0);
  ButtonOf("bEditPast").UserClick();
  EXPECT_EQ(Edit().GetText(), "aca\r\n");

  // Emptying the clipboard works in and out of edit mode; a clipboard held
  // by another program is reported.
  EditMenu().Find("ｸﾘｯﾌﾟﾎﾞｰﾄﾞ消去(&Y)").UserChoose();
  EXPECT_FALSE(clipboard.HasText());
  ButtonOf("bEditClose").UserClick();
  clipboard.SetText("x");
  clipboard.FailNextOpen();
  EditMenu().Find("ｸﾘｯﾌﾟﾎﾞｰﾄﾞ消去(&Y)").UserChoose();
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_EQ(toolkit.Messages()[0].text, "クリップボードを開くことができません.");
  EditMenu().Find("ｸﾘｯﾌﾟﾎﾞｰﾄﾞ消去(&Y)").UserChoose();
  EXPECT_FALSE(clipboard.HasText());
}
