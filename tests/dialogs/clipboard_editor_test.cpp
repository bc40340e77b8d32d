// The clipboard editor from the palette's edit menu, used as a user would:
// its window, the clipboard and file commands, what they refuse and how
// they fail.
#include "dialogs/clipboard_editor.h"

#include "platform/failure.h"
#include "tests/support/palette_fixture.h"
#include "tests/support/shift_jis.h"

namespace {

using V = std::vector<std::string>;

class ClipboardEditorTest : public PaletteTest {
 protected:
  void SetUp() override { Start(); }
  // Opens the editor from the menu and lets `actions` use it; they must
  // close it.
  void InEditor(std::function<void(headless::Window&)> actions) {
    toolkit.ScriptDialog(std::move(actions));
    ChooseMenu("edit(&E)", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ編集(&X)");
    EXPECT_EQ(toolkit.PendingDialogScripts(), 0u);
  }
  static headless::EditBox& Box(headless::Window& w) { return w.Find<headless::EditBox>("RichEdit1"); }
  static void Choose(headless::Window& w, const char* item) { w.MenuBar().Find("file(&F)").Find(item).UserChoose(); }
  static void Type(headless::Window& w, const std::string& text) {
    for (char c : text) w.UserChar(c);
  }
  // The message boxes shown so far, their texts only.
  V Shown() {
    V texts;
    for (const auto& m : toolkit.Messages()) texts.push_back(m.text);
    return texts;
  }

  static constexpr const char* kOpen = "ﾌｧｲﾙを開く(&O)...";
  static constexpr const char* kSave = "ﾌｧｲﾙに保存(&A)...";
  static constexpr const char* kRead = "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ読込";
  static constexpr const char* kWrite = "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ上書き保存(&S)...";
  static constexpr const char* kEmpty = "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ消去";
  static constexpr const char* kClose = "閉じる(&X)";
};

std::vector<std::string> Captions(headless::MenuItem& menu) {
  std::vector<std::string> out;
  for (const auto& item : menu.Items()) out.push_back(item->Caption());
  return out;
}

}  // namespace

TEST_F(ClipboardEditorTest, ASizeableWindowOverThePaletteStartsWithTheClipboardsText) {
  ASSERT_TRUE(clipboard.SetText("顔文字\r\n(^_^)\tソ表\r\n"));
  InEditor([&](headless::Window& w) {
    EXPECT_EQ(w.Caption(), "ClipBord");
    EXPECT_EQ(w.Options().frame, platform::Frame::Sizeable);
    EXPECT_TRUE(w.Options().centred);
    EXPECT_EQ(w.OwnerWindow(), &Window());
    EXPECT_EQ(w.Bounds().width, 767);
    EXPECT_EQ(w.Bounds().height, 536);
    EXPECT_EQ(Captions(w.MenuBar()), V{"file(&F)"});
    EXPECT_EQ(Captions(w.MenuBar().Find("file(&F)")), (V{kOpen, kSave, "-", kRead, kWrite, kEmpty, "-", kClose}));

    headless::EditBox& box = Box(w);
    EXPECT_EQ(box.GetText(), "顔文字\r\n(^_^)\tソ表\r\n");
    EXPECT_EQ(box.CurrentFont(), (platform::Font{"ＭＳ ゴシック", 16, false}));
    EXPECT_EQ(box.Bounds(), (platform::Rect{0, 0, w.ClientSize().width, w.ClientSize().height}));
    EXPECT_FALSE(box.onContextMenu);
    // The box has the keyboard; Tab types a tab into it.
    Type(w, "\tx");
    EXPECT_EQ(box.GetText(), "顔文字\r\n(^_^)\tソ表\r\n\tx");
    // It keeps filling the window when the user makes it larger.
    w.SetBounds({0, 0, 900, 700});
    EXPECT_EQ(box.Bounds(), (platform::Rect{0, 0, w.ClientSize().width, w.ClientSize().height}));
    EXPECT_GT(box.Bounds().width, 767 - 20);
    Choose(w, kClose);
    EXPECT_TRUE(w.Closed());
  });
  // Closed without writing back: the clipboard is as it was.
  EXPECT_EQ(clipboard.GetText(), "顔文字\r\n(^_^)\tソ表\r\n");
  EXPECT_EQ(clipboard.Writes().size(), 1u);
  // The next opening starts again from the clipboard.
  InEditor([&](headless::Window& w) {
    EXPECT_EQ(Box(w).GetText(), "顔文字\r\n(^_^)\tソ表\r\n");
    w.UserCloseBox();
  });
  EXPECT_TRUE(toolkit.Messages().empty());
}

TEST_F(ClipboardEditorTest, WritingBackNeedsTextOnTheClipboardAtThatMoment) {
  ASSERT_TRUE(clipboard.Clear());  // as with only a picture on it: no text
  InEditor([&](headless::Window& w) {
    headless::EditBox& box = Box(w);
    EXPECT_EQ(box.GetText(), "");
    Type(w, "mine");
    Choose(w, kWrite);
    EXPECT_FALSE(clipboard.HasText());
    Choose(w, kRead);  // nothing to read: the box stays
    EXPECT_EQ(box.GetText(), "mine");

    // Another program puts text there; now it is replaced whole.
    ASSERT_TRUE(clipboard.SetText("theirs"));
    Choose(w, kWrite);
    EXPECT_EQ(clipboard.GetText(), "mine");
    Type(w, "\r2行目");
    Choose(w, kWrite);
    EXPECT_EQ(clipboard.GetText(), "mine\r\n2行目");

    // Emptied, then read: the box keeps its text, and writing does nothing.
    Choose(w, kEmpty);
    EXPECT_FALSE(clipboard.HasText());
    Choose(w, kRead);
    EXPECT_EQ(box.GetText(), "mine\r\n2行目");
    Choose(w, kWrite);
    EXPECT_FALSE(clipboard.HasText());

    ASSERT_TRUE(clipboard.SetText("読込\r\n"));
    Choose(w, kRead);
    EXPECT_EQ(box.GetText(), "読込\r\n");
    w.UserCloseBox();
  });
  EXPECT_EQ(clipboard.Writes(), (V{"theirs", "mine", "mine\r\n2行目", "読込\r\n"}));
  EXPECT_TRUE(toolkit.Messages().empty());
}

TEST_F(ClipboardEditorTest, ABusyClipboardIsReportedAndTheEditorStaysOpen) {
  ASSERT_TRUE(clipboard.SetText("held"));
  InEditor([&](headless::Window& w) {
    Type(w, "+");
    clipboard.FailNextOpen();
    Choose(w, kWrite);
    clipboard.FailNextOpen();
    Choose(w, kEmpty);
    EXPECT_FALSE(w.Closed());
    EXPECT_EQ(Box(w).GetText(), "held+");
    w.UserCloseBox();
  });
  EXPECT_EQ(Shown(), (V{"クリップボードを開くことができません.", "クリップボードを開くことができません."}));
  EXPECT_EQ(clipboard.GetText(), "held");
}

TEST_F(ClipboardEditorTest, FilesAreReadWholeAndWrittenWithCrLfAfterEveryLine) {
  files.AddFile("C:\\text\\in.txt", Sjis("ソ表\n(^_^)\rlast"));  // 0x5C trail bytes, mixed line ends
  files.AddFile("C:\\text\\out.txt", "old content\r\n");
  InEditor([&](headless::Window& w) {
    headless::EditBox& box = Box(w);
    Type(w, "typed");
    toolkit.ScriptFileName(std::nullopt);  // cancelled: nothing changes
    Choose(w, kOpen);
    EXPECT_EQ(box.GetText(), "typed");
    toolkit.ScriptFileName("C:\\text\\in.txt");
    Choose(w, kOpen);
    EXPECT_EQ(box.GetText(), "ソ表\n(^_^)\rlast");

    toolkit.ScriptFileName(std::nullopt);
    Choose(w, kSave);
    EXPECT_EQ(files.Content("C:\\text\\out.txt"), "old content\r\n");
    // An existing file is replaced without a question.
    toolkit.ScriptFileName("C:\\text\\out.txt");
    Choose(w, kSave);
    EXPECT_EQ(files.Content("C:\\text\\out.txt"), Sjis("ソ表\r\n(^_^)\r\nlast\r\n"));
    box.SetText("");
    toolkit.ScriptFileName("C:\\text\\empty.txt");
    Choose(w, kSave);
    EXPECT_EQ(files.Content("C:\\text\\empty.txt"), "");
    w.UserCloseBox();
  });
  EXPECT_TRUE(toolkit.Messages().empty());
  const auto& dialogs = toolkit.FileDialogs();
  ASSERT_EQ(dialogs.size(), 5u);
  for (const auto& d : dialogs) {
    EXPECT_EQ(d.request.filter, "テキストファイル(*.txt)|*.txt|すべてのファイル(*.*)|*.*");
    EXPECT_EQ(d.request.defaultExtension, "txt");
  }
  EXPECT_EQ(dialogs[0].kind, platform::FileDialogKind::Open);
  EXPECT_EQ(dialogs[2].kind, platform::FileDialogKind::Save);
  // Each dialog proposes the name chosen in it last.
  EXPECT_EQ(dialogs[4].request.fileName, "C:\\text\\out.txt");
}

TEST_F(ClipboardEditorTest, AFileThatCannotBeReadOrWrittenIsNamedAndTheBoxStays) {
  files.AddFile("C:\\text\\out.txt", "old\r\n");
  files.AddFile("C:\\text\\locked.txt", "secret");
  files.FailReads("C:\\text\\locked.txt", platform::error::kAccessDenied);
  const std::string denied = platform::SystemReason(platform::error::kAccessDenied);
  InEditor([&](headless::Window& w) {
    Type(w, "keep");
    toolkit.ScriptFileName("C:\\text\\locked.txt");
    Choose(w, kOpen);
    toolkit.ScriptFileName("C:\\text\\missing.txt");
    Choose(w, kOpen);
    EXPECT_EQ(Box(w).GetText(), "keep");
    // A disk that fills up during the write leaves the old file whole.
    files.LimitFreeSpace(2);
    toolkit.ScriptFileName("C:\\text\\out.txt");
    Choose(w, kSave);
    EXPECT_EQ(files.Content("C:\\text\\out.txt"), "old\r\n");
    EXPECT_FALSE(w.Closed());
    EXPECT_EQ(Box(w).GetText(), "keep");
    w.UserCloseBox();
  });
  const V shown = Shown();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0], "ファイル \"C:\\text\\locked.txt\". " + denied + " は開けません.");
  EXPECT_EQ(shown[1].rfind("ファイル \"C:\\text\\missing.txt\". ", 0), 0u) << shown[1];
  EXPECT_EQ(shown[1].substr(shown[1].size() - std::string(" は開けません.").size()), " は開けません.");
  EXPECT_EQ(shown[2].rfind("ファイル \"C:\\text\\out.txt\". ", 0), 0u) << shown[2];
  EXPECT_EQ(shown[2].substr(shown[2].size() - std::string(" を作成できません.").size()), " を作成できません.");
  for (const auto& m : toolkit.Messages()) {
    EXPECT_EQ(m.caption, "ミルフォ");
    EXPECT_EQ(m.icon, platform::Icon::Stop);
  }
}

// Faces of any character come in from the clipboard and go out to it and
// to a file exactly; a file that Shift-JIS cannot hold is UTF-8 with its
// mark, one that it can stays Shift-JIS.
TEST_F(ClipboardEditorTest, TextOfAnyCharacterComesInAndGoesOutExactly) {
  const std::string faces = "ʕ•ᴥ•ʔ\r\n🍣 (◕‿◕✿)\r\n";
  files.AddDirectory("C:\\text");
  clipboard.Put(faces);
  InEditor([&](headless::Window& w) {
    EXPECT_EQ(Box(w).GetText(), faces);
    Box(w).UserSelect(Box(w).GetText().size(), 0);
    Box(w).UserInput("👍🏽");  // from the input method
    Choose(w, kWrite);
    toolkit.ScriptFileName("C:\\text\\emoji.txt");
    Choose(w, kSave);
    Box(w).UserSelect(0, Box(w).GetText().size());
    Box(w).UserInput("顔");
    toolkit.ScriptFileName("C:\\text\\kanji.txt");
    Choose(w, kSave);
    w.UserCloseBox();
  });
  EXPECT_EQ(Shown(), V{});
  EXPECT_EQ(clipboard.Writes(), V{faces + "👍🏽"});
  EXPECT_EQ(files.Content("C:\\text\\emoji.txt"), "\xEF\xBB\xBF" + faces + "👍🏽\r\n");
  EXPECT_EQ(files.Content("C:\\text\\kanji.txt"), "\x8A\xE7\r\n");
}
