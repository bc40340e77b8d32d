// Changing the library from the palette: faces, classes and groups.
#include "platform/failure.h"
#include "tests/support/palette_fixture.h"

using V = std::vector<std::string>;

namespace {

class EditingTest : public PaletteTest {
 protected:
  void SetUp() override {
    files.AddFile(K("A\\g.txt"), "a\r\nb\r\nc\r\n");
    files.AddFile(K("A\\h.txt"), "x\r\n");
    files.AddFile(K("A\\i.txt"), "y\r\n");
    files.AddFile(K("B\\k.txt"), "z\r\n");
    files.AddDirectory(K("C"));
  }
  void Type(platform::Control& control, int key) {
    control.SetFocus();
    Window().UserKey(key);
  }
  std::string Selected(headless::ListBox& list) { return list.ItemIndex() < 0 ? "<none>" : list.Item(list.ItemIndex()); }
};

}  // namespace

TEST_F(EditingTest, EnterAndTheButtonAddTheEntryBoxTextToTheGroup) {
  Start();
  palette->Get<platform::EntryBox>("eKao").SetText("(^o^)");
  Type(palette->Get<platform::EntryBox>("eKao"), 13);
  palette->Get<platform::EntryBox>("eKao").SetText("  ");
  palette->Get<platform::Button>("bOK").onClick();
  EXPECT_EQ(Items(Faces()), (V{"a", "b", "c", "(^o^)", "  "}));
  EXPECT_EQ(palette->Get<platform::EntryBox>("eKao").GetText(), "");
  EXPECT_EQ(Count(), "5");
  Groups().UserClick(1);
  EXPECT_EQ(files.Content(K("A\\g.txt")), "a\r\nb\r\nc\r\n(^o^)\r\n  \r\n");

  // With no group there is nowhere to add; the box is emptied all the same.
  Classes().UserClick(2);
  palette->Get<platform::EntryBox>("eKao").SetText("lost");
  palette->AddFace();
  EXPECT_TRUE(Items(Faces()).empty());
  EXPECT_EQ(palette->Get<platform::EntryBox>("eKao").GetText(), "");
}

TEST_F(EditingTest, DeletingFacesMovesTheFocusToTheNeighbour) {
  Start();
  Faces().SetCaretIndex(1);
  Type(palette->Get<platform::ListBox>("ListBox2"), 46);
  EXPECT_EQ(Items(Faces()), (V{"a", "c"}));
  EXPECT_EQ(Faces().CaretIndex(), 1);
  // The menu item runs the same command.
  Window().MenuBar().Find("edit(&E)").Find("文字削除(&I)").UserChoose();
  EXPECT_EQ(Items(Faces()), V{"a"});
  EXPECT_EQ(Faces().CaretIndex(), 0);
  palette->ChangeFace("(;_;)");
  EXPECT_EQ(Items(Faces()), V{"(;_;)"});
  palette->DeleteFace();
  EXPECT_EQ(Faces().CaretIndex(), -1);
  EXPECT_EQ(Count(), "0");
  Window().Close();
  EXPECT_FALSE(files.Exists(K("A\\g.txt")));  // emptied, then gone at the close's listing
}

TEST_F(EditingTest, DeletingGroupsAndClassesSelectsTheNeighbourWithoutAsking) {
  Start();
  Groups().UserClick(2);
  Type(palette->Get<platform::ListBox>("ListBox1"), 46);  // the last group
  EXPECT_FALSE(files.Exists(K("A\\i.txt")));
  EXPECT_EQ(Items(Groups()), (V{"g", "h"}));
  EXPECT_EQ(Selected(Groups()), "h");
  EXPECT_EQ(Items(Faces()), V{"x"});
  Groups().UserClick(0);
  palette->DeleteGroup();  // in the middle: the next one moves up
  EXPECT_EQ(Selected(Groups()), "h");

  // A file the system refuses to delete leaves the list and comes back later.
  files.SetAttributes(K("A\\h.txt"), platform::attr::kReadOnly);
  palette->DeleteGroup();
  EXPECT_TRUE(Items(Groups()).empty());
  EXPECT_TRUE(files.Exists(K("A\\h.txt")));

  ContextChoose(palette->Get<platform::ListBox>("ListBox3"), "消去(&D)");  // on the class list: the class goes
  EXPECT_FALSE(files.Exists(K("A")));
  EXPECT_EQ(Items(Classes()), (V{"B", "C"}));
  EXPECT_EQ(Selected(Classes()), "B");
  EXPECT_EQ(Items(Faces()), V{"z"});
  EXPECT_TRUE(palette->Get<platform::ListBox>("ListBox3").HasFocus());
  EXPECT_TRUE(toolkit.Messages().empty());
}

TEST_F(EditingTest, DeletingAClassRemovesItsLinksButNotWhatTheyLeadTo) {
  files.AddFile("C:\\precious\\keep.txt", "keep\r\n");
  files.AddLink(K("A\\folder"), "C:\\precious");
  files.AddLink(K("A\\linked.txt"), "C:\\precious\\keep.txt");
  Start();
  ContextChoose(palette->Get<platform::ListBox>("ListBox3"), "消去(&D)");
  EXPECT_FALSE(files.Exists(K("A")));
  EXPECT_EQ(files.Content("C:\\precious\\keep.txt"), "keep\r\n");
  EXPECT_EQ(Items(Classes()), (V{"B", "C"}));

  // What cannot be removed stays, and the class with it, said in a message.
  files.AddFile(K("B\\stuck.txt"), "s\r\n");
  files.FailWrites(K("B\\stuck.txt"), platform::error::kAccessDenied);
  ContextChoose(palette->Get<platform::ListBox>("ListBox3"), "消去(&D)");
  EXPECT_FALSE(files.Exists(K("B\\k.txt")));
  EXPECT_EQ(Items(Classes()), (V{"B", "C"}));
  EXPECT_EQ(Selected(Classes()), "B");
  EXPECT_EQ(Items(Groups()), V{"stuck"});
  EXPECT_EQ(Items(Faces()), V{"s"});
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_NE(toolkit.Messages()[0].text.find("クラス B を削除しきれませんでした"), std::string::npos);
}

TEST_F(EditingTest, CreatingAClassSavesTheFacesAndSelectsItByName) {
  Start();
  Faces().Add("unsaved");
  palette->CreateClass("新クラス");
  EXPECT_EQ(files.Content(K("A\\g.txt")), "a\r\nb\r\nc\r\nunsaved\r\n");
  EXPECT_TRUE(files.Exists(K("新クラス")));
  EXPECT_EQ(Selected(Classes()), "新クラス");
  EXPECT_TRUE(Items(Groups()).empty());

  palette->CreateClass("b");
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_EQ(toolkit.Messages()[0].text, "同じ名前のクラスが存在します");
  EXPECT_EQ(Selected(Classes()), "B");
  EXPECT_EQ(Items(Faces()), V{"z"});
}

TEST_F(EditingTest, CreatingAGroupAsksBeforeEmptyingAnExistingOne) {
  Start();
  palette->CreateGroup("new");
  EXPECT_EQ(files.Content(K("A\\new.txt")), "");
  EXPECT_EQ(Items(Groups()), (V{"g", "h", "i", "new"}));
  EXPECT_EQ(Selected(Groups()), "new");
  EXPECT_TRUE(Items(Faces()).empty());

  toolkit.ScriptAnswer(platform::Answer::Cancel);
  palette->CreateGroup("H");
  EXPECT_EQ(files.Content(K("A\\h.txt")), "x\r\n");
  EXPECT_EQ(Selected(Groups()), "new");
  toolkit.ScriptAnswer(platform::Answer::Ok);
  palette->CreateGroup("H");
  ASSERT_EQ(toolkit.Messages().size(), 2u);
  for (const auto& m : toolkit.Messages()) {
    EXPECT_EQ(m.text, "上書きしますか？");
    EXPECT_EQ(m.caption, "ミルフォ");
    EXPECT_EQ(m.icon, platform::Icon::Information);
    EXPECT_EQ(m.buttons, platform::Buttons::OkCancel);
  }
  EXPECT_EQ(files.Content(K("A\\h.txt")), "");
  EXPECT_EQ(Selected(Groups()), "h");  // found without regard to case
  EXPECT_EQ(Items(Groups()).size(), 4u);

  // A group left empty is gone at the next listing of its class.
  Classes().UserClick(1);
  Classes().UserClick(0);
  EXPECT_EQ(Items(Groups()), (V{"g", "i"}));
}

TEST_F(EditingTest, RenamesKeepEveryFaceAndNeverDeleteTheGroupsOwnFile) {
  Start();
  try {
    palette->RenameClass("b");  // another class's name
    ADD_FAILURE() << "no failure";
  } catch (const platform::Failure& f) {
    EXPECT_STREQ(f.what(), "I/O エラー (183)");
  }
  EXPECT_TRUE(files.Exists(K("A\\g.txt")));
  EXPECT_TRUE(files.Exists(K("B\\k.txt")));

  palette->RenameClass("クラスA");
  EXPECT_EQ(Selected(Classes()), "クラスA");
  EXPECT_EQ(files.Content(K("クラスA\\g.txt")), "a\r\nb\r\nc\r\n");

  palette->RenameGroup("g");  // the same name: nothing
  Faces().Add("d");
  palette->RenameGroup("G");  // letter case only: the file is renamed, never deleted
  EXPECT_EQ(Items(Groups())[0], "G");
  Groups().UserClick(1);
  EXPECT_EQ(files.Content(K("クラスA\\G.txt")), "a\r\nb\r\nc\r\nd\r\n");
  EXPECT_EQ(files.Enumerate(K("クラスA\\G.txt"), 0).at(0).name, "G.txt");
  // Full-width, Greek and Cyrillic letters have case in names too (h is
  // the group shown).
  for (const char* name : {"Ｇ", "ｇ", "Ω", "ω", "Я", "я"}) palette->RenameGroup(name);
  EXPECT_TRUE(toolkit.Messages().empty());
  EXPECT_EQ(files.Content(K("クラスA\\я.txt")), "x\r\n");
  palette->RenameGroup("h");

  toolkit.ScriptAnswer(platform::Answer::Ok);
  palette->RenameGroup("i");  // h onto the existing i
  EXPECT_EQ(Items(Groups()), (V{"G", "i"}));
  EXPECT_EQ(Selected(Groups()), "i");
  EXPECT_EQ(files.Content(K("クラスA\\i.txt")), "x\r\n");
  EXPECT_FALSE(files.Exists(K("クラスA\\h.txt")));
}

TEST_F(EditingTest, RenamingInAClassThatCannotBeMadeAgainIsSilent) {
  Start();
  files.Remove(K("A"));
  files.FailWrites(K("A"), 5);
  palette->RenameGroup("new");
  EXPECT_TRUE(toolkit.Messages().empty());
  EXPECT_EQ(Items(Groups()), (V{"g", "h", "i"}));
  EXPECT_FALSE(files.Exists(K("A")));
}

TEST_F(EditingTest, NamesWindowsCannotUseAreRefusedBeforeAnythingChanges) {
  Start();
  for (const char* name : {"a\\b", "x:y", "what?", "q\"", "tab\t", "dot.", "blank ", "CON", "com1.txt", "aux  .u", "LPT9 .txt.txt", ""}) {
    EXPECT_THROW(palette->CreateClass(name), platform::Failure) << name;
    EXPECT_THROW(palette->CreateGroup(name), platform::Failure) << name;
  }
  EXPECT_EQ(Items(Classes()), (V{"A", "B", "C"}));
  EXPECT_EQ(Items(Groups()), (V{"g", "h", "i"}));
  palette->CreateClass("ソ表");  // trail bytes 0x5C are no backslash
  EXPECT_TRUE(files.Exists(K("ソ表")));
}
