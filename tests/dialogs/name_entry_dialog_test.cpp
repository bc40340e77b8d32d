// The name entry dialog, alone and through the commands that ask with it.
#include "dialogs/name_entry_dialog.h"
#include "tests/support/palette_fixture.h"

using V = std::vector<std::string>;

namespace {

class NameEntryTest : public PaletteTest {
 protected:
  void SetUp() override {
    files.AddFile(K("A\\g.txt"), "a\r\nb\r\n");
    Start();
  }
  // The user's part in the next dialog: what is typed, then how it ends.
  enum class Ending { Ok, Enter, No, CloseBox };
  void Answer(const std::string& typed, Ending ending) {
    toolkit.ScriptDialog([this, typed, ending](headless::Window& w) {
      seenCaption = w.Caption();
      auto& edit = w.Find<headless::EntryBox>("Edit1");
      seenText = edit.GetText();
      seenSelected = edit.AllSelected();
      seenColor = edit.Background();
      for (char c : typed) w.UserChar(c);
      switch (ending) {
        case Ending::Ok: w.Find<headless::Button>("BitBtn1").UserClick(); break;
        case Ending::Enter: w.UserKey(platform::key::kEnter); break;
        case Ending::No: w.Find<headless::Button>("BitBtn2").UserClick(); break;
        case Ending::CloseBox: w.UserCloseBox(); break;
      }
    });
  }
  std::string seenCaption;
  std::string seenText;
  bool seenSelected = false;
  int32_t seenColor = 0;
};

}  // namespace

TEST_F(NameEntryTest, AStripOverThePalettesCornerThatStaysOnScreen) {
  Window().SetBounds({900, 740, 250, 400});
  dialogs::TFGroup strip(toolkit, Window());
  auto& w = headless::As<headless::Window>(strip.Window());
  EXPECT_EQ(w.Bounds(), (platform::Rect{1024 - 284, 768 - 51, 284, 51}));
  EXPECT_EQ(w.Caption(), "作成＆追加");
  EXPECT_TRUE(w.StayOnTop());
  EXPECT_EQ(w.OwnerWindow(), &Window());
  EXPECT_EQ(strip.Edit1.Bounds(), (platform::Rect{0, 0, 228, 24}));
  EXPECT_EQ(headless::As<headless::EntryBox>(strip.Edit1).CurrentFont(), (platform::Font{"ＭＳ Ｐゴシック", 16, false}));
  EXPECT_EQ(headless::As<headless::Button>(strip.BitBtn1).Caption(), "OK");
  EXPECT_EQ(strip.BitBtn2.Bounds(), (platform::Rect{252, 0, 24, 24}));
  EXPECT_EQ(strip.Tag, 0);

  Window().SetBounds({-30, 10, 250, 400});  // no correction for negative places
  dialogs::TFGroup left(toolkit, Window());
  EXPECT_EQ(left.Window().Bounds().left, -30);
}

TEST_F(NameEntryTest, OnlyAnAcceptedNonEmptyTextIsAResult) {
  Answer("新", Ending::Ok);
  ChooseMenu("edit(&E)", "クラス作成(&A)...");
  EXPECT_EQ(seenColor, 0xFACB3D);
  EXPECT_EQ(seenCaption, "クラス追加");
  EXPECT_EQ(Items(Classes()), (V{"A", "新"}));

  for (Ending ending : {Ending::No, Ending::CloseBox}) {
    Answer("lost", ending);
    ChooseMenu("edit(&E)", "グループ作成(&B)...");
  }
  Answer("", Ending::Ok);
  ChooseMenu("edit(&E)", "グループ作成(&B)...");
  EXPECT_TRUE(files.Exists(K("新")) && Items(Groups()).empty());
  EXPECT_TRUE(toolkit.Messages().empty());

  Classes().UserClick(0);
  Answer("  ", Ending::Enter);  // blanks are a text, added as they are
  ChooseMenu("edit(&E)", "文字作成(&C)...");
  EXPECT_EQ(seenColor, platform::colour::kWindow);
  EXPECT_EQ(Items(Faces()), (V{"a", "b", "  "}));
}

TEST_F(NameEntryTest, ChangesShowTheOldTextSelectedSoTypingReplacesIt) {
  Answer("(^^)", Ending::Enter);
  ChooseMenu("edit(&E)", "文字変更(&F)...");
  EXPECT_EQ(seenText, "a");
  EXPECT_TRUE(seenSelected);
  EXPECT_EQ(Items(Faces()), (V{"(^^)", "b"}));

  // The old text accepted as it is is the result; renaming to the same
  // name then does nothing.
  Answer("", Ending::Ok);
  EXPECT_EQ(dialogs::NameEntryDialog(toolkit, Window(), "グループ名変更", 0x80FFFF, "g"), std::optional<std::string>("g"));
  Answer("", Ending::Ok);
  ChooseMenu("edit(&E)", "グループ名変更(&E)...");
  EXPECT_EQ(seenText, "g");
  EXPECT_EQ(Items(Groups()), V{"g"});
  Answer("h", Ending::Ok);
  ChooseMenu("edit(&E)", "グループ名変更(&E)...");
  EXPECT_EQ(seenCaption, "グループ名変更");
  EXPECT_EQ(seenColor, 0x80FFFF);
  EXPECT_EQ(Items(Groups()), V{"h"});

  toolkit.ScriptPopupChoice("変更(&E)...");
  Answer("B", Ending::Ok);
  palette->Get<platform::ListBox>("ListBox3").onContextMenu({5, 5});  // on the class list: rename the class
  EXPECT_EQ(seenText, "A");
  EXPECT_EQ(Items(Classes()), V{"B"});
  EXPECT_EQ(files.Content(K("B\\h.txt")), "(^^)\r\nb\r\n");
}

TEST_F(NameEntryTest, ANameOfAnyCharacterFromTheInputMethodIsTaken) {
  toolkit.ScriptDialog([](headless::Window& w) {
    w.Find<headless::EntryBox>("Edit1").UserInput("ʕ•ᴥ•ʔ");
    w.UserKey(platform::key::kEnter);
  });
  ChooseMenu("edit(&E)", "クラス作成(&A)...");
  EXPECT_TRUE(toolkit.Messages().empty());
  EXPECT_EQ(Items(Classes()), (V{"A", "ʕ•ᴥ•ʔ"}));
  EXPECT_TRUE(files.Exists(K("ʕ•ᴥ•ʔ")));
}
