// Finding faces by typing, and the hotkey that calls the palette beside the
// caret of the window the user types in.
#include "tests/support/palette_fixture.h"
#include "tests/support/shift_jis.h"

namespace {

using V = std::vector<std::string>;
namespace mod = platform::modifier;
constexpr platform::Chord kCtrlAltK{mod::kCtrl | mod::kAlt, 'K'};

class FindTest : public PaletteTest {
 protected:
  void SetUp() override {
    files.AddFile(K("A\\g.txt"), Sjis("a\r\nねこ\r\n"));
    files.AddFile(K("A\\ねこ.txt"), Sjis("(=^・^=)\r\n"));
    files.AddFile(K("B\\h.txt"), Sjis("ﾈｺ\r\nいぬ\r\n"));
  }
  headless::EntryBox& Field() { return Window().Find<headless::EntryBox>("eFind"); }
  headless::ListBox& Results() { return Window().Find<headless::ListBox>("ListBox4"); }
  void Key(int key, int modifiers = 0) { Window().UserKey(key, modifiers); }
  // The user selects the field's text and types over it.
  void Retype(const std::string& text) {
    Field().SelectAll();
    Field().UserInput(text);
  }
  int PastesTo(platform::WindowId w) {
    int n = 0;
    for (const auto& sent : windows.SentKeys()) n += sent.target == w && sent.keys.size() == 4;
    return n;
  }
};

TEST_F(FindTest, TypingFindsFacesOfTheWholeLibraryAndEnterPastesTheChosenOne) {
  const auto notepad = windows.AddWindow("無題 - メモ帳");
  Start();
  EXPECT_FALSE(Field().Visible());
  const platform::Rect lists = Classes().Bounds();
  Key('F', mod::kCtrl);
  ASSERT_TRUE(Field().Visible());
  EXPECT_TRUE(Field().HasFocus());
  EXPECT_EQ(Classes().Bounds().top, lists.top + 24);  // the field stands above the lists
  EXPECT_FALSE(Results().Visible());

  // Katakana finds hiragana and half-width forms; a group's name ranks its
  // faces first.
  Field().UserInput("ネコ");
  EXPECT_TRUE(Results().Visible());
  EXPECT_FALSE(Faces().Visible());
  EXPECT_EQ(Items(Results()), (V{"(=^・^=)　［A／ねこ］", "ねこ　［A／g］", "ﾈｺ　［B／h］"}));
  EXPECT_EQ(Count(), "3");
  EXPECT_EQ(Results().ItemIndex(), 0);
  Key(platform::key::kDown);
  Key(platform::key::kDown);
  Key(platform::key::kDown);
  Key(platform::key::kUp);
  Key(platform::key::kEnter);
  EXPECT_EQ(clipboard.GetText(), "ねこ");
  EXPECT_EQ(PastesTo(notepad), 1);
  EXPECT_EQ(Window().Find<headless::Panel>("pHistory1").Caption(), "ねこ");
  // A double click pastes as well; a face pasted ranks first next time.
  Retype("ｎ");
  EXPECT_EQ(Items(Results()), V{});
  EXPECT_EQ(Count(), "0");
  Retype("ね");
  EXPECT_EQ(Items(Results()).front(), "ねこ　［A／g］");
  Results().UserDoubleClick(1);
  EXPECT_EQ(clipboard.GetText(), "(=^・^=)");

  // Commands on the face list never act on faces hidden behind the
  // results: the paste button pastes the result chosen, deleting or
  // changing a face brings the face list back first.
  Window().Find<headless::Button>("bSelectPast").UserClick();
  EXPECT_EQ(clipboard.GetText(), "(=^・^=)");
  ChooseMenu("edit(&E)", "文字削除(&I)");
  EXPECT_TRUE(Faces().Visible());
  EXPECT_EQ(Items(Faces()), (V{"a", "ねこ"}));
  EXPECT_EQ(Field().GetText(), "");
  Retype("ね");

  // Escape empties the field and the lists are back; the next one puts the
  // field away; the next closes the palette.
  Key(platform::key::kEscape);
  EXPECT_EQ(Field().GetText(), "");
  EXPECT_FALSE(Results().Visible());
  EXPECT_TRUE(Faces().Visible());
  EXPECT_EQ(Count(), "2");
  Key(platform::key::kEscape);
  EXPECT_FALSE(Field().Visible());
  EXPECT_EQ(Classes().Bounds().top, lists.top);
  Key(platform::key::kEscape);
  EXPECT_TRUE(Window().Closed());
}

TEST_F(FindTest, TheSearchFollowsFacesAddedAndGroupsRenamedAndStandsInForTheEditBox) {
  Start();
  // A face typed into the entry box is in the face list only, until the
  // search saves it first.
  auto& entry = Window().Find<headless::EntryBox>("eKao");
  entry.SetFocus();
  entry.UserInput("新しいねこ");
  Key(platform::key::kEnter);
  Key('F', mod::kCtrl);
  Field().UserInput("しいね");
  EXPECT_EQ(Items(Results()), (V{"新しいねこ　［A／g］"}));
  EXPECT_EQ(files.Content(K("A\\g.txt")), Sjis("a\r\nねこ\r\n新しいねこ\r\n"));

  // A group renamed through the edit menu.
  Retype("");
  Groups().UserClick(Groups().Items() == V{"g", "ねこ"} ? 1 : 0);
  toolkit.ScriptDialog([](headless::Window& d) {
    auto& name = d.Find<headless::EntryBox>("Edit1");
    name.SelectAll();
    name.UserInput("猫");
    d.Find<headless::Button>("BitBtn1").UserClick();
  });
  ChooseMenu("edit(&E)", "グループ名変更(&E)...");
  Field().SetFocus();
  Field().UserInput("猫");
  EXPECT_EQ(Items(Results()), (V{"(=^・^=)　［A／猫］"}));

  // A group another program wrote is found once its class is chosen again.
  files.AddFile(K("B\\外.txt"), Sjis("そとねこ\r\n"));
  Retype("そと");
  EXPECT_EQ(Items(Results()), V{});
  Classes().UserClick(1);
  Field().SetFocus();
  Retype("そと");
  EXPECT_EQ(Items(Results()), (V{"そとねこ　［B／外］"}));

  // In edit mode the results stand in for the edit box.
  Retype("");
  ChooseMenu("edit(&E)", "編集(&Z)");
  EXPECT_FALSE(Field().Visible());  // edit mode puts the search away
  auto& editBox = Window().Find<headless::EditBox>("RichEdit1");
  ASSERT_TRUE(editBox.Visible());
  Key('F', mod::kCtrl);
  Field().UserInput("いぬ");
  EXPECT_TRUE(Results().Visible());
  EXPECT_FALSE(editBox.Visible());
  EXPECT_FALSE(Faces().Visible());
  Key(platform::key::kEscape);
  EXPECT_TRUE(editBox.Visible());
  EXPECT_FALSE(Faces().Visible());
}

TEST_F(FindTest, TheHotkeyCallsThePaletteBesideTheCaretAndEscapeGivesTheKeyboardBack) {
  files.AddFile(kIni, Sjis("[kao]\r\nleft=10\r\ntop=20\r\nwidth=250\r\nheight=400\r\nafter=1\r\nvtop=1\r\n"));
  const auto notepad = windows.AddWindow("無題 - メモ帳");
  windows.SetCaret(notepad, platform::Rect{600, 650, 2, 16});
  Start();
  EXPECT_EQ(Window().HotKey(), kCtrlAltK);
  EXPECT_TRUE(toolkit.Messages().empty());
  Window().Hide();

  // No room below the caret: just above it, the keyboard in the field.
  toolkit.PressHotKey(kCtrlAltK);
  EXPECT_TRUE(Window().Visible());
  EXPECT_EQ(Window().Bounds(), (platform::Rect{600, 650 - 4 - 400, 250, 400}));
  EXPECT_TRUE(Field().HasFocus());

  // Another window comes in front: the paste still goes where the user was.
  // Hidden after it, the palette is back in its own place.
  const auto other = windows.AddWindow("other");
  Field().UserInput("いぬ");
  Key(platform::key::kEnter);
  EXPECT_EQ(PastesTo(notepad), 1);
  EXPECT_EQ(PastesTo(other), 0);
  EXPECT_FALSE(Window().Visible());
  EXPECT_EQ(Window().Bounds().left, 10);
  EXPECT_FALSE(Field().Visible());

  // Called again: a new search; Escape empties it, the next one hides the
  // palette and gives the keyboard back to the window it was called from.
  windows.Activate(notepad);
  toolkit.PressHotKey(kCtrlAltK);
  EXPECT_EQ(Field().GetText(), "");
  Field().UserInput("a");
  Key(platform::key::kEscape);
  EXPECT_TRUE(Window().Visible());
  windows.Activate(other);
  Key(platform::key::kEscape);
  EXPECT_FALSE(Window().Visible());
  EXPECT_EQ(windows.FindTypingPlace().window, notepad);
  // Its own place is kept for the settings, not the one beside the caret.
  Window().UserCloseBox();
  EXPECT_NE(files.Content(kIni).find("left=10\r\n"), std::string::npos);
  EXPECT_NE(files.Content(kIni).find("top=20\r\n"), std::string::npos);
}

TEST_F(FindTest, ThePaletteInFrontIsPutAwayAndWithoutACaretItComesToThePointerOnItsDisplay) {
  toolkit.SetDisplays({{{0, 0, 1024, 768}, {0, 0, 1024, 740}, 96}, {{1024, 0, 1920, 1080}, {1024, 0, 1920, 1040}, 144}});
  const auto notepad = windows.AddWindow("メモ帳");
  Start();
  // Pressed while the palette has the keyboard: it goes, the keyboard back
  // to the window below.
  windows.FocusOwnWindow(Window().Id());
  toolkit.PressHotKey(kCtrlAltK);
  EXPECT_FALSE(Window().Visible());
  EXPECT_EQ(windows.FindTypingPlace().window, notepad);
  // No caret: below the pointer, sized for the display at 144 DPI.
  toolkit.MoveCursor({2800, 100});
  toolkit.PressHotKey(kCtrlAltK);
  EXPECT_TRUE(Window().Visible());
  const platform::Rect at = Window().Bounds();
  EXPECT_EQ(at.top, 100 + 30 + 6);
  EXPECT_EQ(at.left, 1024 + 1920 - 250 * 3 / 2);
}

TEST_F(FindTest, AHotkeyThatCannotBeReadOrHeldIsNamedOnceAndThePaletteWorksOn) {
  files.AddFile(kIni, Sjis("[kao]\r\nhotkey=\"Ctrl+Kanji+Q\"\r\n"));
  Start();
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_EQ(toolkit.Messages()[0].text, "ホットキー \"Ctrl+Kanji+Q\" は読み取れません。Ctrl+Alt+K を使います");
  EXPECT_EQ(Window().HotKey(), kCtrlAltK);
  palette.reset();
  toolkit.ClearMessages();

  const platform::Chord taken{mod::kCtrl | mod::kShift, 'Q'};
  ASSERT_TRUE(toolkit.HoldHotKeyElsewhere(taken));
  files.AddFile(kIni, Sjis("[kao]\r\nhotkey=\"ctrl + shift + q\"\r\n"));
  Start();
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_EQ(toolkit.Messages()[0].text,
            "ホットキー Ctrl+Shift+Q はほかのプログラムが使っているため登録できません。ホットキーなしで動作します");
  EXPECT_EQ(Items(Faces()), (V{"a", "ねこ"}));

  // Chosen in the settings dialog, it is held at once; one taken is named
  // there too, and an empty field turns the hotkey off.
  toolkit.ClearMessages();
  const auto choose = [&](int key, int modifiers) {
    toolkit.ScriptDialog([=](headless::Window& d) {
      d.Find<headless::TabPages>("PageControl1").UserChoose(6);
      d.Find<headless::ChordBox>("edHotKey").SetFocus();
      d.UserKey(key, modifiers);
      d.Find<headless::Button>("BitBtn1").UserClick();
    });
    ChooseMenu("file(&F)", "プロパティ(&P)...");
  };
  choose(0x7B, mod::kCtrl | mod::kAlt);  // F12
  EXPECT_EQ(Window().HotKey(), (platform::Chord{mod::kCtrl | mod::kAlt, 0x7B}));
  EXPECT_TRUE(toolkit.Messages().empty());
  toolkit.PressHotKey({mod::kCtrl | mod::kAlt, 0x7B});
  EXPECT_TRUE(Field().HasFocus());
  // Pressed while the settings dialog is open: the palette stays as it is.
  Key(platform::key::kEscape);
  const platform::Rect place = Window().Bounds();
  toolkit.ScriptDialog([&](headless::Window& d) {
    toolkit.PressHotKey({mod::kCtrl | mod::kAlt, 0x7B});
    EXPECT_EQ(Window().Bounds(), place);
    d.UserKey(platform::key::kEscape);
  });
  ChooseMenu("file(&F)", "プロパティ(&P)...");
  choose(0x08, 0);  // Backspace
  EXPECT_TRUE(Window().HotKey().Empty());
  EXPECT_NE(files.Content(kIni).find("hotkey=\"\""), std::string::npos);
}

}  // namespace
