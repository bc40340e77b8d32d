// Pasting faces into the user's application, and the history panels.
#include "app/paste.h"
#include "tests/support/palette_fixture.h"

using V = std::vector<std::string>;

namespace {

class PasteTest : public PaletteTest {
 protected:
  void SetUp() override {
    files.AddFile(K("A\\g.txt"), "a\r\nb\r\nc\r\n");
    files.AddFile(K("A\\h.txt"), "x\r\n");
  }
  headless::Panel& History(int n) { return headless::As<headless::Panel>(n == 1 ? palette->Get<platform::Panel>("pHistory1") : palette->Get<platform::Panel>("pHistory2")); }
  // Number of Ctrl+V batches that reached window w.
  int PastesTo(platform::WindowId w) {
    int n = 0;
    for (const auto& sent : windows.SentKeys())
      if (sent.target == w && sent.keys.size() == 4) ++n;
    return n;
  }
};

}  // namespace

TEST(PasteRoad, TargetIsTheFirstUnownedVisibleTitledWindow) {
  headless::OtherWindows windows;  // each new window goes in front
  windows.AddWindow("later");
  const auto memo = windows.AddWindow("メモ帳");
  windows.AddWindow("ミルフォ");
  windows.AddWindow("");
  windows.AddWindow("hidden", 0, false);
  const auto owner = windows.AddWindow("owner", 0, false);
  windows.AddWindow("owned", owner);
  const app::PasteTarget found = app::FindTargetWindow(windows);
  EXPECT_EQ(found.window, memo);
  EXPECT_EQ(found.title, "メモ帳");
  headless::OtherWindows none;
  none.AddWindow("owned", 1);
  EXPECT_EQ(app::FindTargetWindow(none).window, 0u);
  headless::OtherWindows longTitled;
  const auto w = longTitled.AddWindow(std::string(300, 't'));
  const app::PasteTarget cut = app::FindTargetWindow(longTitled);
  EXPECT_EQ(cut.window, w);
  EXPECT_EQ(cut.title, std::string(254, 't'));
  // The cut counts Shift-JIS bytes and never falls inside a character.
  std::string kanji, sushi;
  for (int i = 0; i < 200; ++i) kanji += "顔", sushi += "🍣";
  headless::OtherWindows wide;
  wide.AddWindow(sushi);
  wide.AddWindow("x" + kanji);
  EXPECT_EQ(app::FindTargetWindow(wide).title, "x" + kanji.substr(0, 126 * 3));
  headless::OtherWindows emoji;
  emoji.AddWindow(sushi);
  EXPECT_EQ(app::FindTargetWindow(emoji).title, sushi);
  const auto& keys = app::PasteKeys();
  ASSERT_EQ(keys.size(), 4u);
  EXPECT_EQ(keys[0].key, 0x11);
  EXPECT_FALSE(keys[0].up);
  EXPECT_EQ(keys[1].key, 0x56);
  EXPECT_FALSE(keys[1].up);
  EXPECT_EQ(keys[2].key, 0x56);
  EXPECT_TRUE(keys[2].up);
  EXPECT_EQ(keys[3].key, 0x11);
  EXPECT_TRUE(keys[3].up);
}

TEST_F(PasteTest, DoubleClickPastesTheFocusedFaceIntoTheWindowBelow) {
  const auto older = windows.AddWindow("older");
  const auto notepad = windows.AddWindow("無題 - メモ帳");
  Start();
  Faces().UserDoubleClick(1);
  EXPECT_EQ(clipboard.GetText(), "b");
  EXPECT_EQ(PastesTo(notepad), 1);
  EXPECT_EQ(PastesTo(older), 0);
  EXPECT_EQ(History(1).Caption(), "b");
  // The user moves to another application: the next paste goes there.
  windows.Activate(older);
  Faces().UserDoubleClick(2);
  EXPECT_EQ(PastesTo(older), 1);
  EXPECT_EQ(History(1).Caption(), "c");
  EXPECT_EQ(History(2).Caption(), "b");
}

TEST_F(PasteTest, SharedTitleTakesTheFrontmost) {
  const auto back = windows.AddWindow("same");
  const auto front = windows.AddWindow("same");
  Start();
  Faces().UserDoubleClick(0);
  EXPECT_EQ(PastesTo(front), 1);
  EXPECT_EQ(PastesTo(back), 0);
}

// The paste goes to the window found, not to whatever its title finds again:
// a cut title matches no window, and a hidden window may share the title.
TEST_F(PasteTest, PasteGoesToTheFoundWindowWhateverItsTitle) {
  const auto longTitled = windows.AddWindow(std::string(300, 't'));
  Start();
  Faces().UserDoubleClick(0);
  EXPECT_EQ(PastesTo(longTitled), 1);
  headless::As<headless::StatusBar>(palette->Get<platform::StatusBar>("StatusBar1")).UserDoubleClick();
  EXPECT_EQ(PastesTo(longTitled), 2);

  const auto visible = windows.AddWindow("same");
  const auto hidden = windows.AddWindow("same", 0, false);  // in front, but the search passes over it
  Click("bDateTime");
  EXPECT_EQ(PastesTo(visible), 1);
  EXPECT_EQ(PastesTo(hidden), 0);
}

TEST_F(PasteTest, MultiplePasteJoinsTheSelectedFaces) {
  const auto w = windows.AddWindow("editor");
  Start();
  Faces().UserClick(0);
  Faces().UserClick(2, true);
  ContextChoose(palette->Get<platform::ListBox>("ListBox2"), "貼り付け(&C)");
  EXPECT_EQ(clipboard.GetText(), "ac");
  EXPECT_EQ(History(1).Caption(), "ac");
  EXPECT_EQ(PastesTo(w), 1);
}

TEST_F(PasteTest, EmptySelectionPastesTheEmptyText) {
  const auto w = windows.AddWindow("editor");
  Start();
  Faces().UserDoubleClick(0);  // history: a
  Faces().SetSelected(0, false);
  palette->Get<platform::Button>("bSelectPast").onClick();
  EXPECT_EQ(clipboard.GetText(), "");
  EXPECT_EQ(PastesTo(w), 2);
  EXPECT_EQ(History(1).Caption(), "");
  EXPECT_EQ(History(2).Caption(), "a");
}

TEST_F(PasteTest, HistoryRules) {
  windows.AddWindow("editor");
  Start();
  Faces().UserDoubleClick(0);
  Faces().UserDoubleClick(0);  // the same face twice: no change
  EXPECT_EQ(History(1).Caption(), "a");
  EXPECT_EQ(History(2).Caption(), "");
  Faces().UserDoubleClick(1);
  Faces().UserDoubleClick(0);  // the second entry pasted: the two change places
  EXPECT_EQ(History(1).Caption(), "a");
  EXPECT_EQ(History(2).Caption(), "b");
  HistoryMenu("履歴固定(&H)");
  Faces().UserDoubleClick(2);
  EXPECT_EQ(History(1).Caption(), "a");
  EXPECT_TRUE(HistoryLocked());
  HistoryMenu("履歴削除(&X)");  // clearing works while locked
  EXPECT_EQ(History(1).Caption(), "");
  EXPECT_EQ(History(2).Caption(), "");
  Faces().UserDoubleClick(2);
  EXPECT_EQ(History(1).Caption(), "");
}

TEST_F(PasteTest, HistoryPanelsPasteAgainWithoutPushing) {
  const auto w = windows.AddWindow("editor");
  Start();
  Faces().UserDoubleClick(0);
  Faces().UserDoubleClick(1);
  History(2).UserDoubleClick();
  EXPECT_EQ(clipboard.GetText(), "a");
  EXPECT_EQ(PastesTo(w), 3);
  EXPECT_EQ(History(1).Caption(), "b");
  // A single click pastes only from the first panel, only in one-click mode.
  History(1).UserClick();
  History(2).UserClick();
  EXPECT_EQ(PastesTo(w), 3);
  // From the keyboard: Enter on a panel Tab reached uses its text.
  ASSERT_TRUE(History(1).TakesKeyboard());
  ASSERT_TRUE(History(2).TakesKeyboard());
  History(1).SetFocus();
  Window().UserKey(platform::key::kEnter);
  EXPECT_EQ(clipboard.GetText(), "b");
  EXPECT_EQ(PastesTo(w), 4);
}

TEST_F(PasteTest, LinkModeOpensInsteadOfPasting) {
  const auto w = windows.AddWindow("editor");
  Start();
  ChooseMenu("edit(&E)", "リンク(&L)");
  EXPECT_TRUE(Menu("edit(&E)", "リンク(&L)").Checked());
  EXPECT_TRUE(Faces().CurrentFont().underline);
  EXPECT_EQ(Faces().CurrentFont().color, platform::colour::kBlue);
  Faces().UserClick(0);
  Faces().UserClick(2, true);
  Faces().SetCaretIndex(1);
  ContextChoose(palette->Get<platform::ListBox>("ListBox2"), "貼り付け(&C)");  // only the focused face
  EXPECT_EQ(shell.Opened(), V{"b"});
  EXPECT_EQ(History(1).Caption(), "b");
  History(1).UserDoubleClick();
  EXPECT_EQ(shell.Opened(), (V{"b", "b"}));
  EXPECT_EQ(PastesTo(w), 0);
  ChooseMenu("edit(&E)", "リンク(&L)");
  EXPECT_FALSE(Faces().CurrentFont().underline);
  EXPECT_EQ(Faces().CurrentFont().color, platform::colour::kWindowText);
}

TEST_F(PasteTest, ClipboardFailureStopsBeforeKeysHideAndHistory) {
  const auto w = windows.AddWindow("editor");
  Start();
  clipboard.FailNextOpen();
  Faces().UserDoubleClick(0);
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_EQ(toolkit.Messages()[0].text, "クリップボードを開くことができません.");
  EXPECT_EQ(PastesTo(w), 0);
  EXPECT_EQ(History(1).Caption(), "");
  EXPECT_TRUE(Window().Visible());
}

TEST_F(PasteTest, StatusBarRepastesTheClipboard) {
  const auto w = windows.AddWindow("editor");
  Start();
  headless::As<headless::StatusBar>(palette->Get<platform::StatusBar>("StatusBar1")).UserDoubleClick();
  EXPECT_EQ(PastesTo(w), 1);
  EXPECT_TRUE(clipboard.Writes().empty());
  EXPECT_EQ(History(1).Caption(), "");
}

TEST_F(PasteTest, SelectAllMarksEveryFaceWhileRedrawingIsSuspended) {
  Start();
  Faces().UserClick(1);
  ASSERT_EQ(Faces().Count(), 3);
  const int redraws = Faces().Redraws();
  headless::As<headless::Button>(palette->Get<platform::Button>("bAll")).UserClick();
  for (int i = 0; i < Faces().Count(); ++i) EXPECT_TRUE(Faces().Selected(i)) << i;
  // Three faces marked, the list drawn again once, when redrawing resumes.
  EXPECT_EQ(Faces().Redraws() - redraws, 1);
  EXPECT_EQ(Faces().UpdateDepth(), 0);
}

TEST_F(PasteTest, ColourChooserAndDefault) {
  Start();
  EXPECT_EQ(History(1).Color(), platform::colour::kButtonFace);
  toolkit.ScriptColor(0x0000FF);
  HistoryMenu("背景色変更(&B)...");
  EXPECT_EQ(toolkit.LastColorOffered(), 0);  // black at first
  EXPECT_EQ(History(1).Color(), 0x0000FF);
  EXPECT_EQ(History(2).Color(), 0x0000FF);
  toolkit.ScriptColor(std::nullopt);
  HistoryMenu("背景色変更(&B)...");
  EXPECT_EQ(toolkit.LastColorOffered(), 0x0000FF);
  EXPECT_EQ(History(1).Color(), 0x0000FF);
  HistoryMenu("デフォルト(&D)");
  EXPECT_EQ(History(2).Color(), platform::colour::kButtonFace);
}
