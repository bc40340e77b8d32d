// Toolkit behaviours beyond the list box that the program relies on, for
// every backend: menu state, texts that keep their bytes, placement.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/failure.h"
#include "resources/picture_ids.h"
#include "tests/platform/contract_backend.h"

namespace {

class ToolkitContract : public ::testing::Test {
 protected:
  void SetUp() override {
    window = backend->Toolkit().NewWindow({.menuBar = true, .size = {300, 400}});
    window->SetFont({"ＭＳ Ｐゴシック", 16, false});
    window->SetBounds({10, 20, 320, 420});
    window->Show();
  }

  std::unique_ptr<ContractBackend> backend = MakeContractBackend();
  std::unique_ptr<platform::Window> window;
};

TEST_F(ToolkitContract, MenuItemsKeepTheirStateWhileHiddenAndComeBackWithIt) {
  platform::MenuItem& edit = window->Menu().Add("edit(&E)", nullptr);
  platform::MenuItem& first = edit.Add("編集(&Z)", nullptr);
  edit.AddSeparator();
  platform::MenuItem& link = edit.Add("リンク(&L)", nullptr);
  platform::MenuItem& last = edit.Add("ｸﾘｯﾌﾟﾎﾞｰﾄﾞ消去(&Y)", nullptr);

  link.SetVisible(false);
  link.SetChecked(true);
  link.SetEnabled(false);
  first.SetVisible(false);
  first.SetVisible(true);
  link.SetVisible(true);
  EXPECT_TRUE(link.Visible());
  EXPECT_TRUE(link.Checked());
  EXPECT_FALSE(link.Enabled());
  EXPECT_EQ(link.Caption(), "リンク(&L)");
  EXPECT_TRUE(first.Visible());
  EXPECT_TRUE(first.Enabled());
  EXPECT_FALSE(first.Checked());

  link.SetChecked(false);
  link.SetEnabled(true);
  EXPECT_FALSE(link.Checked());
  EXPECT_TRUE(link.Enabled());
  EXPECT_EQ(last.Caption(), "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ消去(&Y)");

  // A whole drop-down of the bar greys and comes back.
  edit.SetEnabled(false);
  EXPECT_FALSE(edit.Enabled());
  edit.SetEnabled(true);
  EXPECT_TRUE(edit.Enabled());
}

TEST_F(ToolkitContract, TextBoxesGiveBackJapaneseTextWithTabsAndLineEnds) {
  auto entry = window->NewEntryBox(nullptr);
  entry->SetText("(^_^)顔文字 ソ表ｱｲｳ");
  EXPECT_EQ(entry->GetText(), "(^_^)顔文字 ソ表ｱｲｳ");
  entry->SetText("");
  EXPECT_EQ(entry->GetText(), "");

  auto edit = window->NewEditBox(nullptr);
  const std::string lines = "一行目\tタブ\r\n\r\n(´・ω・｀)\r\n";
  edit->SetText(lines);
  EXPECT_EQ(edit->GetText(), lines);
  edit->SetText("最後に改行なし\r\nend");
  EXPECT_EQ(edit->GetText(), "最後に改行なし\r\nend");
  const std::string large(100000, 'x');
  edit->SetText(large);
  EXPECT_EQ(edit->GetText().size(), large.size());
  edit->SetText("");
  EXPECT_EQ(edit->GetText(), "");
}

// A text of many lines: what the user typed and the lines still to come
// read back whole, and an emptied box is the same box, empty.
TEST_F(ToolkitContract, EditBoxHoldsManyLinesExactlyAndEmptiesInPlace) {
  auto edit = window->NewEditBox(nullptr);
  edit->SetBounds({5, 6, 200, 100});
  std::string lines;
  for (int i = 0; i < 20000; ++i) lines += "顔" + std::to_string(i) + "\t(^_^)ﾉｼ ありがとう\r\n";
  edit->SetText(lines);
  EXPECT_EQ(edit->GetText(), lines);
  backend->UserSelect(*edit, "", "");
  backend->UserType(*window, *edit, "先頭");
  EXPECT_EQ(edit->GetText(), "先頭" + lines);
  ASSERT_TRUE(edit->HasFocus());

  edit->SetText("");
  EXPECT_EQ(edit->GetText(), "");
  EXPECT_TRUE(edit->Visible());
  EXPECT_TRUE(edit->HasFocus());
  backend->UserType(*window, *edit, "x");
  EXPECT_EQ(edit->GetText(), "x");

  edit->SetVisible(false);
  edit->SetText(lines);
  edit->SetText("a\r\nb");
  EXPECT_FALSE(edit->Visible());
  EXPECT_EQ(edit->GetText(), "a\r\nb");
}

TEST_F(ToolkitContract, EditBoxCutsCopiesAndPastesItsSelectionThroughTheClipboard) {
  auto edit = window->NewEditBox(nullptr);
  platform::Clipboard& clipboard = backend->Clipboard();
  edit->SetVisible(false);
  edit->SetText("(^_^)\r\n顔文字\r\nend");
  EXPECT_FALSE(edit->Visible());
  backend->UserSelect(*edit, "(^_^)\r\n", "顔文字");
  edit->Copy();
  EXPECT_EQ(clipboard.GetText(), "顔文字");
  EXPECT_EQ(edit->GetText(), "(^_^)\r\n顔文字\r\nend");

  backend->UserSelect(*edit, "(^_^)", "\r\n顔文字");
  edit->Cut();
  EXPECT_EQ(clipboard.GetText(), "\r\n顔文字");
  EXPECT_EQ(edit->GetText(), "(^_^)\r\nend");

  // Pasting replaces the selection.
  backend->UserSelect(*edit, "(^_^)\r\n", "end");
  edit->Paste();
  EXPECT_EQ(edit->GetText(), "(^_^)\r\n\r\n顔文字");

  // Nothing selected: cut and copy leave the clipboard alone.
  backend->UserSelect(*edit, "", "");
  edit->Cut();
  edit->Copy();
  EXPECT_EQ(clipboard.GetText(), "\r\n顔文字");
  ASSERT_TRUE(clipboard.Clear());
  edit->Paste();
  EXPECT_EQ(edit->GetText(), "(^_^)\r\n\r\n顔文字");
}

TEST_F(ToolkitContract, ClipboardTextOfAnyCharacterIsReadAndPastedExactly) {
  auto edit = window->NewEditBox(nullptr);
  platform::Clipboard& clipboard = backend->Clipboard();
  const std::string faces = "café ʕ•ᴥ•ʔ ٩(ˊᗜˋ*)و 🍣 👍🏽 👨‍👩‍👧 ❤️ (｡•̀ᴗ-)✧";
  edit->SetText("前\r\n");
  backend->PutClipboardTextFromAnotherProgram(faces);
  EXPECT_TRUE(clipboard.HasText());
  EXPECT_EQ(clipboard.GetText(), faces);
  backend->UserSelect(*edit, "前\r\n", "");
  edit->Paste();
  EXPECT_EQ(edit->GetText(), "前\r\n" + faces);
  edit->SetText(faces);
  EXPECT_EQ(edit->GetText(), faces);
  ASSERT_TRUE(clipboard.SetText("x" + faces));
  EXPECT_EQ(clipboard.GetText(), "x" + faces);
  ASSERT_TRUE(clipboard.Clear());
  EXPECT_FALSE(clipboard.HasText());
}

TEST_F(ToolkitContract, StatusBarAndPanelsKeepTheirTexts) {
  auto status = window->NewStatusBar({50, 50}, {true, false});
  status->SetPanelText(0, "12345");
  status->SetPanelText(1, "顔");
  EXPECT_EQ(status->PanelText(0), "12345");
  EXPECT_EQ(status->PanelText(1), "顔");
  EXPECT_THROW(status->SetPanelText(2, "x"), std::out_of_range);

  auto panel = window->NewPanel(nullptr);
  panel->SetCaption("履歴");
  panel->SetHint("背景色");
  EXPECT_EQ(panel->Caption(), "履歴");
  EXPECT_EQ(panel->Hint(), "背景色");
}

TEST_F(ToolkitContract, ChildrenArePlacedRelativeToTheirParentAndKeepTheirOwnVisibility) {
  auto page = window->NewPanel(nullptr);
  page->SetBounds({5, 6, 200, 300});
  auto bar = window->NewPanel(page.get());
  bar->SetBounds({0, 10, 200, 68});
  auto button = window->NewButton(bar.get(), PICTURE_REGISTER);
  button->SetBounds({182, 1, 24, 24});
  auto list = window->NewListBox(page.get(), platform::ListStyle::Single);
  list->SetBounds({0, 80, 200, 81});

  EXPECT_EQ(page->Bounds(), (platform::Rect{5, 6, 200, 300}));
  EXPECT_EQ(button->Bounds(), (platform::Rect{182, 1, 24, 24}));
  EXPECT_EQ(list->Bounds(), (platform::Rect{0, 80, 200, 81}));

  page->SetVisible(false);
  EXPECT_FALSE(page->Visible());
  EXPECT_TRUE(list->Visible());  // its own flag, whatever the parent shows
  list->SetVisible(false);
  page->SetVisible(true);
  EXPECT_FALSE(list->Visible());

  button->SetEnabled(false);
  EXPECT_FALSE(button->Enabled());
  button->SetEnabled(true);
  EXPECT_TRUE(button->Enabled());
}

TEST_F(ToolkitContract, PlacingTheWindowLaysItOutAndLeavesRoomForFrameAndMenu) {
  window->Menu().Add("file(&F)", nullptr).Add("閉じる(&X)", nullptr);
  int resized = 0;
  window->onResize = [&] { ++resized; };
  window->SetBounds({30, 40, 250, 500});
  EXPECT_GE(resized, 1);
  EXPECT_EQ(window->Bounds(), (platform::Rect{30, 40, 250, 500}));
  const platform::Size client = window->ClientSize();
  EXPECT_GT(client.width, 200);
  EXPECT_LT(client.width, 250);
  EXPECT_GT(client.height, 400);
  EXPECT_LT(client.height, 500);

  resized = 0;
  window->SetBounds({60, 40, 250, 500});  // moved, same size
  EXPECT_GE(resized, 1);

  window->SetCaption("ミルフォ");
  EXPECT_EQ(window->Caption(), "ミルフォ");
  window->SetStayOnTop(true);
  EXPECT_TRUE(window->StayOnTop());
  window->SetStayOnTop(false);
  EXPECT_FALSE(window->StayOnTop());
}

TEST_F(ToolkitContract, CloseAsksTheOwnerAndEndsTheWindowOnlyWhenItAgrees) {
  bool agree = false;
  int asked = 0;
  window->onClose = [&] {
    ++asked;
    return agree;
  };
  EXPECT_TRUE(window->Visible());
  window->Close();
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(window->Closed());
  EXPECT_TRUE(window->Visible());

  agree = true;
  window->Close();
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(window->Closed());
  EXPECT_FALSE(window->Visible());
  window->Close();  // once closed, nothing more is asked
  EXPECT_EQ(asked, 2);
  backend->Toolkit().Run(*window);  // returns at once for a closed window
}

TEST_F(ToolkitContract, MultipleListSelectionFromCodeMovesCaretAndSelectionTogether) {
  auto list = window->NewListBox(nullptr, platform::ListStyle::Multiple);
  list->SetBounds({0, 0, 200, 200});
  list->AddAll({"a", "b", "c", "d"});
  list->SetSelected(0, true);
  list->SetItemIndex(2);
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_EQ(list->CaretIndex(), 2);
  EXPECT_TRUE(list->Selected(2));
  EXPECT_FALSE(list->Selected(0));
  EXPECT_THROW(list->Item(4), std::out_of_range);
  EXPECT_THROW(list->SetSelected(-1, true), std::out_of_range);
  list->Clear();
  EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(list->CaretIndex(), -1);
  EXPECT_EQ(list->FindExact("a"), -1);
}

}  // namespace

// A library's owner-window protocol: its message reaches the handler by its
// registered name (letter case aside) and the answer goes back; without a
// handler the answer is the default 0.
TEST_F(ToolkitContract, RegisteredMessagesReachTheirHandlerAndAnswer) {
  std::vector<std::pair<std::uintptr_t, std::intptr_t>> heard;
  window->SetMessageHandler("mirufo_contract_message", [&](std::uintptr_t w, std::intptr_t l) {
    heard.push_back({w, l});
    return std::intptr_t{w == 2 ? 7 : 0};
  });
  EXPECT_EQ(backend->SendRegistered(*window, "MIRUFO_contract_message", 2, 1234), 7);
  EXPECT_EQ(backend->SendRegistered(*window, "mirufo_contract_message", 1, -5), 0);
  EXPECT_EQ(backend->SendRegistered(*window, "mirufo_other_message", 2, 0), 0);
  EXPECT_EQ(heard, (std::vector<std::pair<std::uintptr_t, std::intptr_t>>{{2, 1234}, {1, -5}}));
  window->SetMessageHandler("mirufo_contract_message", nullptr);
  EXPECT_EQ(backend->SendRegistered(*window, "mirufo_contract_message", 2, 0), 0);
  EXPECT_EQ(heard.size(), 2u);
}
