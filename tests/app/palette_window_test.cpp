// The palette window: start, close, keys, menus, layout, error handling.
#include "forms/dispatch.h"
#include "app/palette_layout.h"
#include "platform/failure.h"
#include "tests/support/palette_fixture.h"

using V = std::vector<std::string>;

namespace {

std::vector<std::string> Captions(headless::MenuItem& menu) {
  std::vector<std::string> out;
  for (const auto& item : menu.Items())
    if (item->Visible()) out.push_back(item->Caption());
  return out;
}
}  // namespace

TEST_F(PaletteTest, StartsWithDefaultsOnTopAtTheOrigin) {
  Start();
  EXPECT_EQ(Window().Caption(), "ミルフォ");
  EXPECT_EQ(Window().Bounds(), (platform::Rect{0, 0, 250, 400}));
  EXPECT_TRUE(Window().StayOnTop());
  EXPECT_TRUE(Window().Visible());
  EXPECT_TRUE(Window().ShowHints());
  EXPECT_EQ(palette->Library().faceFolder, "C:\\mirufo\\kao");
  EXPECT_FALSE(palette->Get<platform::EditBox>("RichEdit1").Visible());
  EXPECT_EQ(headless::As<headless::EditBox>(palette->Get<platform::EditBox>("RichEdit1")).Background(), 0x00BBD7A8);
  const platform::Font listFont{"ＭＳ ゴシック", 12, true};
  EXPECT_EQ(Classes().CurrentFont(), listFont);
  EXPECT_EQ(Faces().CurrentFont(), listFont);
  EXPECT_EQ(headless::As<headless::EntryBox>(palette->Get<platform::EntryBox>("eKao")).CurrentFont(),
            (platform::Font{"ＭＳ Ｐゴシック", 16, false}));
  EXPECT_EQ(palette->Get<platform::EntryBox>("eKao").Hint(), "文字を入力後ｴﾝﾀｰで登録します");
  EXPECT_EQ(palette->Get<platform::Button>("bSelectPast").Hint(), "選択している文字の貼り付け");
  auto& status = headless::As<headless::StatusBar>(palette->Get<platform::StatusBar>("StatusBar1"));
  EXPECT_EQ(status.Widths(), (std::vector<int>{50, 50}));
  EXPECT_TRUE(status.RightAligned(0));
  EXPECT_EQ(status.PanelText(1), "");
}

TEST_F(PaletteTest, ArchiverProbeLoadsAndFreesAtOnce) {
  Start();
  EXPECT_FALSE(palette->ArchiverAvailable());
  EXPECT_FALSE(Menu("file(&F)", "配布用取込[ミルフォ形式](&A)...").Enabled());
  EXPECT_FALSE(Menu("file(&F)", "配布用保存[ミルフォ形式](&B)...").Enabled());
  palette.reset();

  libraries.Provide("UNLHA32.DLL");
  Start();
  EXPECT_TRUE(palette->ArchiverAvailable());
  // The binding keeps its library for the palette's life; the probe frees
  // its own at once.
  EXPECT_EQ(libraries.LoadCount("UNLHA32.DLL"), 2);
  EXPECT_EQ(libraries.OpenCount("UNLHA32.DLL"), 1);
  palette.reset();
  EXPECT_EQ(libraries.OpenCount("UNLHA32.DLL"), 0);
}

TEST_F(PaletteTest, MenusCarryTheirCaptionsInOrder) {
  Start();
  auto& bar = Window().MenuBar();
  EXPECT_EQ(Captions(bar), (V{"file(&F)", "edit(&E)"}));
  EXPECT_EQ(Captions(bar.Find("file(&F)")),
            (V{"ﾌｧｲﾙ読込(&R)...", "ﾌｧｲﾙ保存(&S)...", "-", "配布用取込[ミルフォ形式](&A)...",
               "配布用保存[ミルフォ形式](&B)...", "-", "ﾃｷｽﾄ辞書読込(&G)...", "ﾃｷｽﾄ辞書保存(&A)...", "-",
               "特殊ﾌｧｲﾙ読込(&Z)...", "ｵｰﾙﾄﾞｲﾝﾎﾟｰﾄ(&C)...", "ヘルプ(&H)", "バージョン(&V)", "-",
               "プロパティ(&P)...", "-", "閉じる(&X)"}));
  auto& edit = bar.Find("edit(&E)");
  edit.UserOpen();
  EXPECT_EQ(Captions(edit),
            (V{"顔文字ﾌｫﾙﾀﾞを開く(&O)", "-", "編集(&Z)", "-", "リンク(&L)", "-", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ編集(&X)",
               "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ消去(&Y)", "-", "クラス作成(&A)...", "グループ作成(&B)...", "文字作成(&C)...", "-",
               "クラス名変更(&D)...", "グループ名変更(&E)...", "文字変更(&F)...", "-", "クラス削除(&G)",
               "グループ削除(&H)", "文字削除(&I)"}));
  // The edit menu follows edit mode whenever it opens.
  palette->Get<platform::EditBox>("RichEdit1").SetVisible(true);
  edit.UserOpen();
  EXPECT_FALSE(edit.Find("編集(&Z)").Visible());
  EXPECT_TRUE(edit.Find("保存して編集終了(&Z)").Visible());
  EXPECT_TRUE(edit.Find("編集ｷｬﾝｾﾙ(&N)").Visible());
  EXPECT_TRUE(palette->Get<platform::Button>("bOK").Enabled());
}

TEST_F(PaletteTest, ListContextMenuHasItsEntriesAndDismissedRunsNone) {
  files.AddFile(K("A\\g.txt"), "a\r\nb\r\n");
  Start();
  // Each list opens it; dismissed, nothing is pasted, asked or changed.
  Faces().UserClick(1);
  std::vector<headless::MenuItem*> shown;
  for (headless::ListBox* list : {&Classes(), &Groups(), &Faces()}) shown.push_back(&ContextMenu(*list));
  EXPECT_EQ(Captions(*shown[0]), (V{"貼り付け(&C)", "-", "編集(&Z)", "-", "追加(&A)...", "-", "変更(&E)...", "-", "消去(&D)"}));
  EXPECT_TRUE(shown[1] == shown[0] && shown[2] == shown[0]);
  EXPECT_EQ(Items(Classes()), V{"A"});
  EXPECT_EQ(Items(Groups()), V{"g"});
  EXPECT_EQ(Items(Faces()), (V{"a", "b"}));
  EXPECT_FALSE(palette->Get<platform::EditBox>("RichEdit1").Visible());
  EXPECT_TRUE(clipboard.Writes().empty());
  EXPECT_TRUE(toolkit.Messages().empty());
  EXPECT_EQ(Captions(ContextMenu(palette->Control("pHistory1"))),
            (V{"背景色変更(&B)...", "履歴固定(&H)", "デフォルト(&D)", "履歴削除(&X)"}));
}

TEST_F(PaletteTest, HelpIsEnabledExactlyWhenTheFileExists) {
  Start();
  auto& file = Window().MenuBar().Find("file(&F)");
  file.UserOpen();
  EXPECT_FALSE(Menu("file(&F)", "ヘルプ(&H)").Enabled());
  files.AddFile("C:\\mirufo\\help\\index.html", "<html></html>");
  file.UserOpen();
  ASSERT_TRUE(Menu("file(&F)", "ヘルプ(&H)").Enabled());
  file.Find("ヘルプ(&H)").UserChoose();
  EXPECT_EQ(shell.Opened(), std::vector<std::string>{"C:\\mirufo\\help\\index.html"});
  files.Remove("C:\\mirufo\\help");
  file.UserOpen();
  EXPECT_FALSE(Menu("file(&F)", "ヘルプ(&H)").Enabled());
}

TEST_F(PaletteTest, EscapeClosesFromAnyControlAndLosesUnsavedEdits) {
  files.AddFile(K("A\\g.txt"), "a\r\n");
  Start();
  palette->Get<platform::EditBox>("RichEdit1").SetVisible(true);  // edit mode: the face list is not written
  palette->Get<platform::EditBox>("RichEdit1").SetFocus();
  palette->Get<platform::EditBox>("RichEdit1").SetText("changed\r\n");
  Faces().Clear();
  Window().UserKey(platform::key::kEscape);
  EXPECT_TRUE(Window().Closed());
  EXPECT_EQ(files.Content(K("A\\g.txt")), "a\r\n");
}

TEST_F(PaletteTest, EscapeInTheEntryBoxCloses) {
  Start();
  palette->Get<platform::EntryBox>("eKao").SetFocus();
  Window().UserKey(platform::key::kEscape);
  EXPECT_TRUE(Window().Closed());
}

TEST_F(PaletteTest, EnterIsSwallowedExceptInTheEditBox) {
  files.AddFile(K("A\\g.txt"), "a\r\n");
  Start();
  int keyDowns = 0;
  palette->Get<platform::EntryBox>("eKao").onKeyDown = [&](int key) { keyDowns += key == platform::key::kEnter; };
  palette->Get<platform::EntryBox>("eKao").SetFocus();
  Window().UserKey(platform::key::kEnter);
  EXPECT_EQ(keyDowns, 1);  // the key-down still reaches the entry box
  EXPECT_EQ(headless::As<headless::EntryBox>(palette->Get<platform::EntryBox>("eKao")).ReceivedChars(), "");
  Faces().SetFocus();
  Window().UserKey(platform::key::kEnter);
  EXPECT_EQ(Faces().ReceivedChars(), "");
  palette->Get<platform::EditBox>("RichEdit1").SetVisible(true);
  palette->Get<platform::EditBox>("RichEdit1").SetFocus();
  Window().UserKey(platform::key::kEnter);
  EXPECT_EQ(palette->Get<platform::EditBox>("RichEdit1").GetText(), "\r\n");
  EXPECT_FALSE(Window().Closed());
}

TEST_F(PaletteTest, CloseFailureKeepsTheWindowOpenWhileFacesAreAtStake) {
  files.AddFile(K("A\\g.txt"), "a\r\n");
  Start();
  files.FailWrites(K("A\\g.txt"), 5);
  Faces().Add("b");
  Window().UserCloseBox();
  EXPECT_FALSE(Window().Closed());
  ASSERT_EQ(toolkit.Messages().size(), 1u);
  // The new face taken back: the file holds the rest, the palette closes.
  Faces().SetCaretIndex(1);
  palette->DeleteFace();
  Window().MenuBar().Find("file(&F)").Find("閉じる(&X)").UserChoose();
  EXPECT_TRUE(Window().Closed());
  EXPECT_EQ(toolkit.Messages().size(), 1u);
  EXPECT_EQ(files.Content(K("A\\g.txt")), "a\r\n");
}

TEST_F(PaletteTest, ClickingAClassSavesRelistsAndLoads) {
  files.AddFile(K("A\\g.txt"), "a\n");
  files.AddFile(K("B\\h.txt"), "b1\r\nb2\r\n");
  files.AddFile(K("B\\z.txt"), "");
  Start();
  Classes().UserClick(1);
  EXPECT_EQ(files.Content(K("A\\g.txt")), "a\r\n");
  EXPECT_EQ(Items(Groups()), V{"h"});
  EXPECT_FALSE(files.Exists(K("B\\z.txt")));
  EXPECT_EQ(Items(Faces()), (V{"b1", "b2"}));
  EXPECT_EQ(Count(), "2");
  // Setting selections from code ran no click handler: one write per leave.
  EXPECT_EQ(files.WriteCount(K("A\\g.txt")), 1);
}

TEST_F(PaletteTest, MinimalModeMovesTheListsUp) {
  Start();
  EXPECT_EQ(palette->Get<platform::ListBox>("ListBox3").Bounds().top, 68);
  palette->Get<platform::Panel>("Panel2").SetVisible(false);
  Window().SetBounds({0, 0, 250, 400});
  EXPECT_EQ(palette->Get<platform::ListBox>("ListBox3").Bounds().top, 0);
}

TEST(PaletteLayout, StacksTheListsAndStretchesTheTopBar) {
  const auto l = app::ComputeLayout({234, 350}, false, 81, 84);
  EXPECT_EQ(l.classList, (platform::Rect{0, 68, 234, 81}));
  EXPECT_EQ(l.splitter2, (platform::Rect{0, 149, 234, 3}));
  EXPECT_EQ(l.groupList, (platform::Rect{0, 152, 234, 84}));
  EXPECT_EQ(l.faceList, (platform::Rect{0, 239, 234, 350 - 19 - 239}));
  EXPECT_EQ(l.statusBar, (platform::Rect{0, 331, 234, 19}));
  EXPECT_EQ(l.entry, (platform::Rect{0, 0, 181, 24}));
  EXPECT_EQ(l.okButton.left, 182);
  EXPECT_EQ(l.changeButton.left, 206);
  const auto wide = app::ComputeLayout({334, 350}, false, 81, 84);
  EXPECT_EQ(wide.entry.width, 281);
  EXPECT_EQ(wide.changeButton.left, 306);
  EXPECT_EQ(wide.history1.width, 223);
}

TEST(PaletteLayout, FolderPageStretchesItsBarAndKeepsTheFileList) {
  const auto l = app::ComputeFolderLayout({234, 300}, 84);
  EXPECT_EQ(l.pathBox, (platform::Rect{0, 0, 205, 24}));
  EXPECT_EQ(l.backButton, (platform::Rect{206, 0, 24, 24}));
  EXPECT_EQ(l.drives, (platform::Rect{106, 25, 125, 22}));
  EXPECT_EQ(l.directories, (platform::Rect{0, 49, 234, 84}));
  EXPECT_EQ(l.splitter, (platform::Rect{0, 133, 234, 3}));
  EXPECT_EQ(l.files, (platform::Rect{0, 136, 234, 164}));
  const auto wide = app::ComputeFolderLayout({334, 300}, 84);
  EXPECT_EQ(wide.pathBox.width, 305);
  EXPECT_EQ(wide.backButton.left, 306);
  EXPECT_EQ(wide.drives.width, 225);
  EXPECT_EQ(wide.openButton, l.openButton);  // the small buttons stay put
  const auto narrow = app::ComputeFolderLayout({100, 300}, 84);
  EXPECT_EQ(narrow.pathBox.width, 71);
  EXPECT_EQ(narrow.drives.width, 40);
  // A folder list too high for the page leaves the file list its minimum.
  const auto low = app::ComputeFolderLayout({234, 150}, 200);
  EXPECT_EQ(low.directories.height, 78);
  EXPECT_EQ(low.files, (platform::Rect{0, 130, 234, 20}));
  const auto tiny = app::ComputeFolderLayout({234, 60}, 84);
  EXPECT_EQ(tiny.directories.height, 20);
  EXPECT_EQ(tiny.files.height, 0);
}

TEST(PaletteLayout, SplittersStopAtTheMinimumSize) {
  EXPECT_EQ(app::DraggedHeight(81, 100, -200), 20);
  EXPECT_EQ(app::DraggedHeight(81, 100, 500), 161);  // the face list keeps 20
  EXPECT_EQ(app::DraggedHeight(81, 100, 10), 91);
  EXPECT_EQ(app::DraggedHeight(30, 5, 10), 20);
}
