// What only the Win32 backend can show: the real messages behind the
// toolkit's events, the menu handles, and the files on disk.
#include <windows.h>

#include <imm.h>
#include <richedit.h>

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/failure.h"
#include "platform/win32/text_convert.h"
#include "platform/win32/toolkit.h"
#include "platform/win32/toolkit_controls.h"
#include "resources/picture_ids.h"
#include "tests/platform/contract_backend.h"

namespace {

namespace win32 = platform::win32;

HWND Hwnd(platform::Control& control) { return dynamic_cast<win32::ControlCore&>(control).Handle(); }
HWND Hwnd(platform::Window& window) { return dynamic_cast<win32::Window&>(window).Handle(); }

std::wstring MenuText(HMENU menu, int position) {
  wchar_t text[128] = {};
  ::GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
  return text;
}

class Win32Toolkit : public ::testing::Test {
 protected:
  void SetUp() override {
    window = backend->Toolkit().NewWindow({.menuBar = true, .size = {300, 400}});
    window->SetBounds({10, 20, 320, 420});
    window->Show();
  }

  std::unique_ptr<ContractBackend> backend = MakeContractBackend();
  std::unique_ptr<platform::Window> window;
};

TEST_F(Win32Toolkit, KeyPreviewSeesKeysFirstAndSwallowsWhatItConsumes) {
  auto list = window->NewListBox(nullptr, platform::ListStyle::Multiple);
  auto entry = window->NewEntryBox(nullptr);
  std::vector<int> previewed, listKeys;
  std::string previewedChars, textAtClose;
  window->onKeyDown = [&](int key) {
    previewed.push_back(key);
    if (key != VK_ESCAPE) return false;
    textAtClose = entry->GetText();
    window->Close();
    return true;
  };
  window->onKeyPress = [&](char ch) {
    previewedChars += ch;
    return ch == '\r';
  };
  list->onKeyDown = [&](int key) { listKeys.push_back(key); };

  ::PostMessageW(Hwnd(*list), WM_KEYDOWN, VK_DELETE, 0);
  ::PostMessageW(Hwnd(*entry), WM_CHAR, '\r', 0);
  ::PostMessageW(Hwnd(*entry), WM_CHAR, 'a', 0);
  ::PostMessageW(Hwnd(*list), WM_KEYDOWN, VK_ESCAPE, 0);
  ::PostMessageW(Hwnd(*list), WM_KEYDOWN, VK_DELETE, 0);  // after the close: never seen
  backend->Toolkit().Run(*window);

  EXPECT_TRUE(window->Closed());
  EXPECT_EQ(previewed, (std::vector<int>{VK_DELETE, VK_ESCAPE}));
  EXPECT_EQ(listKeys, std::vector<int>{VK_DELETE});
  EXPECT_EQ(previewedChars, "\ra");
  EXPECT_EQ(textAtClose, "a");  // Enter was swallowed, the letter arrived
}

TEST_F(Win32Toolkit, TabMovesAmongTheControlsThatTakeTheKeyboardAndTypesATabInTheEditor) {
  auto panel = window->NewPanel(nullptr);
  auto first = window->NewEntryBox(panel.get());
  auto fixed = window->NewEntryBox(panel.get());
  auto second = window->NewEntryBox(nullptr);
  auto editor = window->NewEditBox(nullptr);
  fixed->SetReadOnly(true);
  second->SetText("(^_^)");
  editor->SetText("顔");
  const std::vector<HWND> expected{Hwnd(*second), Hwnd(*editor), Hwnd(*editor)};
  std::vector<HWND> focus;
  DWORD start = 0, end = 0;
  std::string typed;
  window->onKeyDown = [&](int key) {
    if (key != VK_F2) return false;
    focus.push_back(::GetFocus());
    if (focus.size() == 1)
      ::SendMessageW(Hwnd(*second), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    // The tab's character is queued behind the keys posted.
    if (focus.size() == 3) ::PostMessageW(Hwnd(*window), WM_CLOSE, 0, 0);
    return true;
  };
  window->onClose = [&] {
    typed = editor->GetText();
    return true;
  };
  const auto post = [](platform::Control& to, int key) {
    ::PostMessageW(Hwnd(to), WM_KEYDOWN, key, 1 | (::MapVirtualKeyW(key, MAPVK_VK_TO_VSC) << 16));
  };
  first->SetFocus();
  post(*first, VK_TAB);
  post(*second, VK_F2);
  post(*second, VK_TAB);
  post(*editor, VK_F2);
  post(*editor, VK_TAB);
  post(*editor, VK_F2);
  backend->Toolkit().Run(*window);

  EXPECT_EQ(focus, expected);
  EXPECT_EQ(end - start, 5u);  // reached by Tab: the whole text selected
  EXPECT_NE(typed.find('\t'), std::string::npos) << typed;
}

// What the box showed, read while it is up, and then its OK pressed.
std::wstring g_boxButton;
void CALLBACK ReadAndCloseBox(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = ::FindWindowW(L"#32770", L"エラー");
  if (!box) return;
  ::KillTimer(nullptr, id);
  wchar_t text[64] = {};
  ::GetDlgItemTextW(box, IDOK, text, 64);
  g_boxButton = text;
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
}

int refusals = 0;
LRESULT CALLBACK RefusingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE && refusals > 0) {
    --refusals;
    return FALSE;
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

// A window the system refuses at first, as Wine does until its desktop has
// started, is made once the system takes it.
TEST(Win32Windows, AWindowRefusedAtFirstIsMadeOnceTheSystemTakesIt) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = RefusingProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"MirufoTestRefusing";
  ::RegisterClassExW(&wc);
  refusals = 2;
  int tries = 0;
  HWND made = nullptr;
  EXPECT_TRUE(win32::CreatePatiently([&] {
    ++tries;
    made = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    return made != nullptr;
  }));
  EXPECT_EQ(tries, 3);
  EXPECT_TRUE(::DestroyWindow(made));
}

TEST_F(Win32Toolkit, AOneButtonYesBoxShowsHaiAndAnswersYes) {
  g_boxButton.clear();
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, ReadAndCloseBox);
  const platform::Answer answer = backend->Toolkit().MessageBox(window.get(), "ディスクが挿入されていません", "エラー",
                                                                platform::Icon::Stop, platform::Buttons::Yes);
  ::KillTimer(nullptr, timer);
  EXPECT_EQ(g_boxButton, L"はい(&Y)");
  EXPECT_EQ(answer, platform::Answer::Yes);
}

TEST_F(Win32Toolkit, ShiftTabMovesBack) {
  auto first = window->NewEntryBox(nullptr);
  auto second = window->NewEntryBox(nullptr);
  HWND reached = nullptr, expected = Hwnd(*first);
  window->onKeyDown = [&](int key) {
    if (key == VK_F2) reached = ::GetFocus();
    return key == VK_F2;
  };
  BYTE keys[256] = {};
  ::GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  ::SetKeyboardState(keys);
  second->SetFocus();
  ::PostMessageW(Hwnd(*second), WM_KEYDOWN, VK_TAB, 0);
  ::PostMessageW(Hwnd(*first), WM_KEYDOWN, VK_F2, 0);
  ::PostMessageW(Hwnd(*window), WM_CLOSE, 0, 0);
  backend->Toolkit().Run(*window);
  keys[VK_SHIFT] = 0;
  ::SetKeyboardState(keys);
  EXPECT_EQ(reached, expected);
}

TEST_F(Win32Toolkit, TimersTickInTheLoopUntilDisabled) {
  int ticks = 0, idle = 0;
  auto quiet = backend->Toolkit().NewTimer(1, [&] { ++idle; });
  quiet->SetEnabled(false);
  auto timer = backend->Toolkit().NewTimer(1, [&] {
    if (++ticks == 3) window->Close();
  });
  EXPECT_TRUE(timer->Enabled());
  backend->Toolkit().Run(*window);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(idle, 0);
  EXPECT_FALSE(quiet->Enabled());
}

TEST_F(Win32Toolkit, MenuHandlesFollowTheItems) {
  int opened = 0, chosen = 0;
  platform::MenuItem& file = window->Menu().Add("file(&F)", nullptr);
  file.onOpen = [&] { ++opened; };
  platform::MenuItem& help = file.Add("ヘルプ(&H)", [&] { ++chosen; });
  file.Add("ime1", nullptr).SetVisible(false);
  file.AddSeparator();
  file.Add("閉じる(&X)", nullptr);
  platform::MenuItem& edit = window->Menu().Add("edit(&E)", nullptr);
  platform::MenuItem& link = edit.Add("リンク(&L)", nullptr);

  HMENU bar = ::GetMenu(Hwnd(*window));
  ASSERT_TRUE(bar);
  ASSERT_EQ(::GetMenuItemCount(bar), 2);
  HMENU drop = ::GetSubMenu(bar, 0);
  ASSERT_TRUE(drop);
  EXPECT_EQ(::GetMenuItemCount(drop), 3);  // the hidden item is not in the menu
  EXPECT_EQ(MenuText(drop, 0), L"ヘルプ(&H)");
  EXPECT_EQ(MenuText(drop, 2), L"閉じる(&X)");

  help.SetVisible(false);
  EXPECT_EQ(MenuText(drop, 0), L"");  // the separator moved up
  help.SetVisible(true);
  EXPECT_EQ(::GetMenuItemCount(drop), 3);
  EXPECT_EQ(MenuText(drop, 0), L"ヘルプ(&H)");

  link.SetChecked(true);
  EXPECT_TRUE(::GetMenuState(::GetSubMenu(bar, 1), 0, MF_BYPOSITION) & MF_CHECKED);
  edit.SetEnabled(false);
  EXPECT_TRUE(::GetMenuState(bar, 1, MF_BYPOSITION) & MF_GRAYED);
  edit.SetEnabled(true);
  EXPECT_FALSE(::GetMenuState(bar, 1, MF_BYPOSITION) & MF_GRAYED);

  ::SendMessageW(Hwnd(*window), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(drop), 0);
  EXPECT_EQ(opened, 1);
  const UINT id = ::GetMenuItemID(drop, 0);
  ::SendMessageW(Hwnd(*window), WM_COMMAND, id, 0);
  EXPECT_EQ(chosen, 1);
  help.SetEnabled(false);
  ::SendMessageW(Hwnd(*window), WM_COMMAND, id, 0);  // a greyed item does nothing
  EXPECT_EQ(chosen, 1);
  EXPECT_TRUE(::GetMenuState(drop, 0, MF_BYPOSITION) & MF_GRAYED);
}

TEST_F(Win32Toolkit, APopupMenuHasRunTheChosenHandlerWhenItReturns) {
  auto popup = window->NewPopupMenu();
  int opened = 0;
  std::vector<int> chosen;
  popup->Root().onOpen = [&] { ++opened; };
  popup->Root().Add("貼り付け(&C)", [&] { chosen.push_back(1); });
  popup->Root().AddSeparator();
  popup->Root().Add("編集(&Z)", [&] { chosen.push_back(2); });
  // The keys a user would press, arriving while the menu's own loop runs.
  auto keys = backend->Toolkit().NewTimer(1, [&] {
    HWND owner = Hwnd(*window);
    ::PostMessageW(owner, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageW(owner, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageW(owner, WM_KEYDOWN, VK_RETURN, 0);
  });
  popup->Popup({40, 60});
  keys->SetEnabled(false);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(chosen, std::vector<int>{2});
}

TEST_F(Win32Toolkit, MouseOnPanelsSplittersAndTheStatusBarGivesOneNoticePerGesture) {
  auto panel = window->NewPanel(nullptr);
  panel->SetBounds({0, 0, 100, 20});
  int clicks = 0, doubles = 0;
  panel->onClick = [&] { ++clicks; };
  panel->onDblClick = [&] { ++doubles; };
  HWND p = Hwnd(*panel);
  ::SendMessageW(p, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageW(p, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ::SendMessageW(p, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageW(p, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(doubles, 1);

  auto status = window->NewStatusBar({50, 50}, {true, false});
  status->SetBounds({0, 300, 300, 19});
  int statusClicks = 0, statusDoubles = 0;
  status->onClick = [&] { ++statusClicks; };
  status->onDblClick = [&] { ++statusDoubles; };
  HWND s = Hwnd(*status);
  ::SendMessageW(s, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
  ::SendMessageW(s, WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
  ::SendMessageW(s, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 5));
  ::SendMessageW(s, WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
  EXPECT_EQ(statusClicks, 1);
  EXPECT_EQ(statusDoubles, 1);

  auto splitter = window->NewSplitter(nullptr);
  splitter->SetBounds({0, 100, 300, 3});
  std::vector<int> drags;
  splitter->onDrag = [&](int dy) { drags.push_back(dy); };
  HWND g = Hwnd(*splitter);
  ::SendMessageW(g, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 1));
  ::SendMessageW(g, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 6));
  ::SendMessageW(g, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(12, 6));  // sideways only
  ::SendMessageW(g, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 3));
  ::SendMessageW(g, WM_LBUTTONUP, 0, MAKELPARAM(10, 3));
  ::SendMessageW(g, WM_MOUSEMOVE, 0, MAKELPARAM(10, 30));  // released: no drag
  EXPECT_EQ(drags, (std::vector<int>{5, -3}));
}

TEST_F(Win32Toolkit, ContextMenusComeFromTheControlItselfAtThePointOrItsCorner) {
  auto panel = window->NewPanel(nullptr);
  panel->SetBounds({20, 30, 200, 200});
  auto list = window->NewListBox(panel.get(), platform::ListStyle::Single);
  list->SetBounds({10, 10, 100, 100});
  std::vector<std::pair<int, int>> panelMenus, listMenus;
  panel->onContextMenu = [&](platform::Point at) { panelMenus.push_back({at.x, at.y}); };

  // A child without a menu of its own does not open its parent's.
  ::SendMessageW(Hwnd(*list), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Hwnd(*list)), MAKELPARAM(50, 60));
  EXPECT_TRUE(panelMenus.empty());

  list->onContextMenu = [&](platform::Point at) { listMenus.push_back({at.x, at.y}); };
  ::SendMessageW(Hwnd(*list), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Hwnd(*list)), MAKELPARAM(50, 60));
  ::SendMessageW(Hwnd(*list), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Hwnd(*list)), static_cast<LPARAM>(-1));
  RECT r{};
  ::GetWindowRect(Hwnd(*list), &r);
  EXPECT_EQ(listMenus, (std::vector<std::pair<int, int>>{{50, 60}, {r.left, r.top}}));
  EXPECT_TRUE(panelMenus.empty());
}

TEST_F(Win32Toolkit, ControlsShowShiftJisFontsAndTakeAnyText) {
  window->SetFont({"ＭＳ Ｐゴシック", 16, false});
  auto list = window->NewListBox(nullptr, platform::ListStyle::Single);
  LOGFONTW lf{};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(Hwnd(*list), WM_GETFONT, 0, 0)), sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -16);
  EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET);
  EXPECT_STREQ(lf.lfFaceName, L"ＭＳ Ｐゴシック");
  list->SetFont({"ＭＳ ゴシック", 12, true});
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(Hwnd(*list), WM_GETFONT, 0, 0)), sizeof lf, &lf);
  HDC screen = ::GetDC(nullptr);
  EXPECT_EQ(lf.lfHeight, -::MulDiv(12, ::GetDeviceCaps(screen, LOGPIXELSY), 72));
  ::ReleaseDC(nullptr, screen);

  // What the input method or a paste puts in is read exactly; a lone
  // surrogate, which no text can hold, becomes the replacement character.
  auto entry = window->NewEntryBox(nullptr);
  ::SetWindowTextW(Hwnd(*entry), L"caf\u00e9 \u301c \u0295\u2022\u1d25\u2022\u0294 \U0001F363");
  EXPECT_EQ(entry->GetText(), "café 〜 ʕ•ᴥ•ʔ 🍣");
  auto edit = window->NewEditBox(nullptr);
  ::SetWindowTextW(Hwnd(*edit), L"\u00e9\r\n\xD83C!");
  EXPECT_EQ(edit->GetText(), "é\r\n\uFFFD!");
  edit->SetText("👍🏽 ٩(ˊᗜˋ*)و");
  wchar_t shown[32] = {};
  ::GetWindowTextW(Hwnd(*edit), shown, 32);
  EXPECT_STREQ(shown, L"\U0001F44D\U0001F3FD \u0669(\u02CA\u15DC\u02CB*)\u0648");

  auto status = window->NewStatusBar({50, 70}, {true, false});
  status->SetPanelText(0, "12");
  status->SetPanelText(1, "x");
  wchar_t text[32] = {};
  ::SendMessageW(Hwnd(*status), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"\t\t12");  // right-aligned
  ::SendMessageW(Hwnd(*status), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"x");
  int edges[4] = {};
  EXPECT_EQ(::SendMessageW(Hwnd(*status), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 2);
  EXPECT_EQ(edges[0], 50);
  EXPECT_EQ(edges[1], -1);
}

// Rows of Thai or emoji are drawn by the list itself (owner-drawn); a long
// list without them is the system's, which empties 200,000 rows far
// faster, while a short one emptied stays as it is (refilled at each
// keystroke, it would otherwise be made again twice each time). The switch
// keeps the rows, the selection and the caret, and a pause of painting.
TEST_F(Win32Toolkit, ListsDrawTheirOwnRowsWhileTheyHoldCharactersThatNeedItAndLongListsAreTheSystems) {
  const auto ownerDrawn = [](HWND list) { return (::GetWindowLongPtrW(list, GWL_STYLE) & LBS_OWNERDRAWFIXED) != 0; };
  auto list = window->NewListBox(nullptr, platform::ListStyle::Multiple);
  list->AddAll({"a", "ʕ•ᴥ•ʔ", "c"});
  EXPECT_FALSE(ownerDrawn(Hwnd(*list)));
  list->SetSelected(2, true);
  list->SetCaretIndex(2);
  list->SetItem(0, "🍣");
  EXPECT_TRUE(ownerDrawn(Hwnd(*list)));
  EXPECT_EQ(::SendMessageW(Hwnd(*list), LB_GETCOUNT, 0, 0), 3);
  EXPECT_TRUE(list->Selected(2));
  EXPECT_FALSE(list->Selected(0));
  EXPECT_EQ(list->CaretIndex(), 2);
  EXPECT_EQ(list->Item(0), "🍣");
  list->Clear();
  EXPECT_TRUE(ownerDrawn(Hwnd(*list)));
  EXPECT_EQ(::SendMessageW(Hwnd(*list), LB_GETCOUNT, 0, 0), 0);
  std::vector<std::string> many(5000, "x");
  list->AddAll(many);
  EXPECT_FALSE(ownerDrawn(Hwnd(*list)));
  many.back() = "🍣";
  list->Clear();
  list->AddAll(many);  // the last rows come from the loop
  EXPECT_FALSE(ownerDrawn(Hwnd(*list)));
  list->Clear();
  {
    // The control made anew while painting is paused is paused too: rows
    // added meanwhile leave its scroll bar alone (updating it at each row
    // made 500 rows take seconds under Wine).
    window->Show();
    std::vector<std::string> rows(300, "x");
    rows[0] = "(๑•̀ㅂ•́)و✧";
    const auto scrollRange = [&] {
      SCROLLINFO info{sizeof info, SIF_RANGE};
      ::GetScrollInfo(Hwnd(*list), SB_VERT, &info);
      return info.nMax;
    };
    {
      platform::RedrawPause pause(*list);
      list->AddAll(rows);
      EXPECT_TRUE(ownerDrawn(Hwnd(*list)));
      EXPECT_LT(scrollRange(), 299);
    }
    EXPECT_EQ(scrollRange(), 299);
  }
  EXPECT_TRUE(::IsWindowVisible(Hwnd(*list)));
  EXPECT_EQ(::SendMessageW(Hwnd(*list), LB_GETCOUNT, 0, 0), 300);
}

TEST_F(Win32Toolkit, AnEntryBoxShowsItsPlaceholderWhileEmpty) {
  auto entry = window->NewEntryBox(nullptr);
  entry->SetPlaceholder("検索: 顔文字");
  wchar_t cue[32] = L"";
  ASSERT_TRUE(::SendMessageW(Hwnd(*entry), EM_GETCUEBANNER, reinterpret_cast<WPARAM>(cue), 32));
  EXPECT_STREQ(cue, L"検索: 顔文字");
  EXPECT_EQ(entry->GetText(), "");  // the placeholder is no text
}

// A text panel given the keyboard is a Tab stop and shows the focus; one
// not given it is passed over.
TEST_F(Win32Toolkit, ATextPanelGivenTheKeyboardIsATabStop) {
  auto entry = window->NewEntryBox(nullptr);
  auto panel = window->NewPanel(nullptr);
  auto other = window->NewPanel(nullptr);
  auto last = window->NewEntryBox(nullptr);
  panel->SetCaption("(^_^)");
  other->SetCaption("x");
  panel->SetTakesKeyboard(true);
  window->Show();
  const HWND root = reinterpret_cast<HWND>(window->Id());
  EXPECT_EQ(::GetNextDlgTabItem(root, Hwnd(*entry), FALSE), Hwnd(*panel));
  EXPECT_EQ(::GetNextDlgTabItem(root, Hwnd(*panel), FALSE), Hwnd(*last));
  panel->SetFocus();
  EXPECT_TRUE(panel->HasFocus());
  panel->SetTakesKeyboard(false);
  EXPECT_EQ(::GetNextDlgTabItem(root, Hwnd(*entry), FALSE), Hwnd(*last));
}

TEST_F(Win32Toolkit, HiddenListStaysHiddenThroughRedrawSuspension) {
  auto list = window->NewListBox(nullptr, platform::ListStyle::Multiple);
  list->SetVisible(false);
  list->BeginUpdate();
  list->AddAll({"a", "b"});
  list->EndUpdate();
  EXPECT_FALSE(list->Visible());
  EXPECT_FALSE(::IsWindowVisible(Hwnd(*list)));
}

// A long list takes its first rows at once and the rest from the message
// loop; the program sees every item from the start, and a row it touches
// is in the control at once.
TEST_F(Win32Toolkit, ManyRowsReachTheListFromTheLoopWhileEveryItemIsThereAtOnce) {
  auto list = window->NewListBox(nullptr, platform::ListStyle::Multiple);
  std::vector<std::string> items;
  for (int i = 0; i < 10000; ++i) items.push_back("顔" + std::to_string(i));
  list->AddAll(items);
  const HWND box = Hwnd(*list);
  const auto rows = [&] { return static_cast<int>(::SendMessageW(box, LB_GETCOUNT, 0, 0)); };
  const auto row = [&](int i) {
    std::wstring text(static_cast<size_t>(::SendMessageW(box, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(::SendMessageW(box, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
    return text;
  };
  EXPECT_EQ(list->Count(), 10000);
  EXPECT_EQ(list->Item(9999), "顔9999");
  EXPECT_LT(rows(), 10000);

  list->SetItem(9000, "changed");
  list->Delete(8000);
  list->Add("tail");
  list->SetSelected(5000, true);
  EXPECT_GT(rows(), 5000);
  EXPECT_TRUE(list->Selected(5000));
  EXPECT_FALSE(list->Selected(9998));
  for (int i = 0; i < 1000 && rows() < 10000; ++i) {
    ::Sleep(5);
    backend->Pump();
  }
  ASSERT_EQ(rows(), 10000);
  EXPECT_EQ(row(7999), win32::Wide("顔7999"));
  EXPECT_EQ(row(8000), win32::Wide("顔8001"));
  EXPECT_EQ(row(8999), L"changed");
  EXPECT_EQ(row(9999), L"tail");
  EXPECT_EQ(list->FindExact("顔9999"), 9998);

  // An emptied list takes no more of the rows that were coming.
  list->AddAll(items);
  list->Clear();
  for (int i = 0; i < 20; ++i) {
    ::Sleep(5);
    backend->Pump();
  }
  EXPECT_EQ(rows(), 0);
  EXPECT_EQ(list->Count(), 0);
}

LOGFONTW FontOf(HWND hwnd) {
  LOGFONTW lf{};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof lf, &lf);
  return lf;
}

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Many lines come into the control while the user works in it, and an
// emptied box is a new control in the old one's place.
TEST_F(Win32Toolkit, ManyLinesArriveBehindTheUsersSelectionAndAnEmptiedBoxKeepsItsPlace) {
  window->SetFont({"ＭＳ Ｐゴシック", 16, false});
  auto before = window->NewEntryBox(nullptr);
  auto edit = window->NewEditBox(nullptr);
  auto after = window->NewEntryBox(nullptr);
  edit->SetBounds({5, 6, 200, 100});
  edit->SetBackground(0x00C0FFEE);
  std::string lines;
  for (int i = 0; i < 5000; ++i) lines += "顔" + std::to_string(i) + "\t(^_^)\r\n";
  edit->SetText(lines);
  HWND box = Hwnd(*edit);
  const size_t first = WindowText(box).size();
  EXPECT_LT(first, win32::Wide(lines).size());
  ::SendMessageW(box, EM_SETSEL, 2, 5);
  for (int i = 0; i < 6000 && WindowText(box).size() < win32::Wide(lines).size(); ++i) {
    ::Sleep(10);
    backend->Pump();
  }
  EXPECT_EQ(WindowText(box), win32::Wide(lines));
  DWORD start = 0, end = 0;
  ::SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 2u);
  EXPECT_EQ(end, 5u);
  POINT view{-1, -1};
  ::SendMessageW(box, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&view));
  EXPECT_EQ(view.y, 0);

  RECT place{};
  ::GetWindowRect(box, &place);
  const LOGFONTW font = FontOf(box);
  const LRESULT mode = ::SendMessageW(box, EM_GETTEXTMODE, 0, 0);
  edit->SetFocus();
  edit->SetText("");
  HWND emptied = Hwnd(*edit);
  EXPECT_NE(emptied, box);
  EXPECT_FALSE(::IsWindow(box));
  EXPECT_EQ(::GetFocus(), emptied);
  RECT now{};
  ::GetWindowRect(emptied, &now);
  EXPECT_TRUE(::EqualRect(&now, &place));
  EXPECT_STREQ(FontOf(emptied).lfFaceName, font.lfFaceName);
  EXPECT_EQ(FontOf(emptied).lfHeight, font.lfHeight);
  EXPECT_EQ(::SendMessageW(emptied, EM_SETBKGNDCOLOR, 0, 0), 0x00C0FFEE);
  EXPECT_EQ(::GetWindow(emptied, GW_HWNDPREV), Hwnd(*before));
  EXPECT_EQ(::GetWindow(emptied, GW_HWNDNEXT), Hwnd(*after));
  EXPECT_EQ(::SendMessageW(emptied, EM_GETTEXTMODE, 0, 0), mode);
}

TEST_F(Win32Toolkit, LabelsColourTheirTextLeaveTheBackgroundWhenTransparentAndShowLinks) {
  auto label = window->NewLabel(nullptr);
  label->SetBounds({10, 10, 150, 20});
  label->SetCaption("顔文字");
  HWND hwnd = Hwnd(*label);
  HDC dc = ::GetDC(hwnd);
  const auto colour = [&] {
    return reinterpret_cast<HBRUSH>(::SendMessageW(Hwnd(*window), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                   reinterpret_cast<LPARAM>(hwnd)));
  };
  label->SetColor(0x000080);
  EXPECT_EQ(colour(), ::GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_EQ(::GetTextColor(dc), 0x000080u);
  label->SetTransparent(true);
  EXPECT_EQ(colour(), ::GetStockObject(NULL_BRUSH));
  EXPECT_EQ(::GetBkMode(dc), TRANSPARENT);
  label->SetLinkLook(true);
  colour();
  EXPECT_EQ(::GetTextColor(dc), RGB(0, 0, 255));
  ::ReleaseDC(hwnd, dc);
  EXPECT_TRUE(FontOf(hwnd).lfUnderline);

  HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);
  ::SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(::GetCursor(), hand);
  label->SetLinkLook(false);
  EXPECT_FALSE(FontOf(hwnd).lfUnderline);
  ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  ::SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_NE(::GetCursor(), hand);
}

// The width of the icon a picture button shows.
int IconWidth(HWND button) {
  auto icon = reinterpret_cast<HICON>(::SendMessageW(button, BM_GETIMAGE, IMAGE_ICON, 0));
  ICONINFO info{};
  if (!icon || !::GetIconInfo(icon, &info)) return 0;
  BITMAP bits{};
  ::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bits, &bits);
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  return bits.bmWidth;
}

TEST_F(Win32Toolkit, APictureShowsItsBitmapAlsoThroughTransparentLabelsOnIt) {
  auto panel = window->NewPanel(nullptr);
  panel->SetBounds({0, 0, 221, 291});
  panel->SetColor(0x000080);
  auto picture = window->NewPicture(panel.get(), PICTURE_ABOUT);
  picture->SetBounds({5, 5, 210, 280});
  auto clear = window->NewLabel(picture.get());
  clear->SetBounds({95, 155, 20, 20});
  clear->SetTransparent(true);
  auto solid = window->NewLabel(picture.get());
  solid->SetBounds({95, 135, 20, 16});
  backend->Pump();
  ::RedrawWindow(Hwnd(*window), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);

  // The card's smiling face is yellow at its middle, 105, 165 in the bitmap.
  const auto pixel = [](platform::Control& control, int x, int y) {
    HDC dc = ::GetDC(Hwnd(control));
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(Hwnd(control), dc);
    return c;
  };
  const auto yellow = [](COLORREF c) { return GetRValue(c) > 220 && GetGValue(c) > 180 && GetBValue(c) < 140; };
  EXPECT_TRUE(yellow(pixel(*picture, 120, 170))) << std::hex << pixel(*picture, 120, 170);
  EXPECT_TRUE(yellow(pixel(*clear, 10, 10))) << std::hex << pixel(*clear, 10, 10);
  EXPECT_EQ(pixel(*solid, 10, 8), ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(pixel(*panel, 2, 2), 0x000080u);
}

TEST_F(Win32Toolkit, BoldIsPartOfAFontAndALinkKeepsIt) {
  auto bold = window->NewLabel(nullptr);
  auto plain = window->NewLabel(nullptr);
  bold->SetFont({"ＭＳ Ｐゴシック", 16, false, false, true});
  plain->SetFont({"ＭＳ Ｐゴシック", 16, false});
  EXPECT_EQ(FontOf(Hwnd(*bold)).lfWeight, FW_BOLD);
  EXPECT_EQ(FontOf(Hwnd(*plain)).lfWeight, FW_NORMAL);
  bold->SetLinkLook(true);
  EXPECT_EQ(FontOf(Hwnd(*bold)).lfWeight, FW_BOLD);
  EXPECT_TRUE(FontOf(Hwnd(*bold)).lfUnderline);
  EXPECT_EQ(FontOf(Hwnd(*bold)).lfHeight, -16);
}

// Dark pixels inside the item's box, as the list paints itself.
int MarkPixels(platform::CheckList& list, int index) {
  HWND hwnd = Hwnd(list);
  RECT client{};
  ::GetClientRect(hwnd, &client);
  HDC screen = ::GetDC(hwnd);
  HDC dc = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  ::SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  RECT box = dynamic_cast<win32::CheckList&>(list).CheckRect(index);
  ::InflateRect(&box, -3, -3);
  int dark = 0;
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left; x < box.right; ++x) {
      const COLORREF c = ::GetPixel(dc, x, y);
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) ++dark;
    }
  ::SelectObject(dc, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
  ::ReleaseDC(hwnd, screen);
  return dark;
}

TEST_F(Win32Toolkit, CheckListDrawsItsBoxesFitsItsFontAndTakesQuickSecondClicks) {
  window->SetFont({"ＭＳ Ｐゴシック", 16, false});
  auto list = window->NewCheckList(nullptr);
  list->SetBounds({10, 10, 200, 120});
  list->Add("顔文字");
  list->Add("(^_^)");
  list->SetChecked(1, true);
  EXPECT_EQ(MarkPixels(*list, 0), 0);
  EXPECT_GT(MarkPixels(*list, 1), 4);
  EXPECT_GE(::SendMessageW(Hwnd(*list), LB_GETITEMHEIGHT, 0, 0), 17);
  list->SetFont({"ＭＳ Ｐゴシック", 30, false});
  EXPECT_GE(::SendMessageW(Hwnd(*list), LB_GETITEMHEIGHT, 0, 0), 30);

  std::vector<int> toggled;
  list->onClickCheck = [&](int index) { toggled.push_back(index); };
  const RECT box = dynamic_cast<win32::CheckList&>(*list).CheckRect(0);
  const LPARAM at = MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2);
  ::SendMessageW(Hwnd(*list), WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageW(Hwnd(*list), WM_LBUTTONUP, 0, at);
  ::SendMessageW(Hwnd(*list), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  ::SendMessageW(Hwnd(*list), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(toggled, (std::vector<int>{0, 0}));
  EXPECT_FALSE(list->Checked(0));
}

TEST_F(Win32Toolkit, DropDownListOpensToShowSeveralItems) {
  auto drop = window->NewDropDownList(nullptr);
  drop->SetBounds({10, 10, 150, 24});
  for (int i = 0; i < 20; ++i) drop->Add(std::to_string(i));
  RECT dropped{};
  ::SendMessageW(Hwnd(*drop), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  const int item = static_cast<int>(::SendMessageW(Hwnd(*drop), CB_GETITEMHEIGHT, 0, 0));
  EXPECT_LT(drop->Bounds().height, 40);  // the closed box alone
  EXPECT_GE(dropped.bottom - dropped.top, 8 * item);
}

TEST_F(Win32Toolkit, ReadOnlyEntryBoxIsGreyAndLeftOutOfTheTabOrder) {
  auto first = window->NewEntryBox(nullptr);
  auto fixed = window->NewEntryBox(nullptr);
  auto last = window->NewEntryBox(nullptr);
  fixed->SetBackground(0x00FFFF);
  fixed->SetReadOnly(true);
  HWND w = Hwnd(*window);
  EXPECT_EQ(::GetNextDlgTabItem(w, Hwnd(*first), FALSE), Hwnd(*last));
  EXPECT_EQ(::GetNextDlgTabItem(w, Hwnd(*last), TRUE), Hwnd(*first));

  HDC dc = ::GetDC(Hwnd(*fixed));
  // A read-only edit asks for the colours of static text.
  const auto brush = [&](UINT msg) {
    return reinterpret_cast<HBRUSH>(
        ::SendMessageW(w, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(Hwnd(*fixed))));
  };
  EXPECT_EQ(brush(WM_CTLCOLORSTATIC), ::GetSysColorBrush(COLOR_BTNFACE));
  fixed->SetReadOnly(false);
  EXPECT_NE(brush(WM_CTLCOLOREDIT), ::GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_EQ(::GetBkColor(dc), 0x00FFFFu);
  ::ReleaseDC(Hwnd(*fixed), dc);
  EXPECT_EQ(::GetNextDlgTabItem(w, Hwnd(*first), FALSE), Hwnd(*fixed));
}

TEST_F(Win32Toolkit, EntryBoxTurnsTheInputMethodOffWhenItTakesTheFocus) {
  auto plain = window->NewEntryBox(nullptr);
  auto ascii = window->NewEntryBox(nullptr);
  ascii->SetImeOff(true);
  const auto open = [](HWND hwnd, std::optional<bool> set) {
    HIMC context = ::ImmGetContext(hwnd);
    if (!context) return -1;
    if (set) ::ImmSetOpenStatus(context, *set);
    const int on = ::ImmGetOpenStatus(context) ? 1 : 0;
    ::ImmReleaseContext(hwnd, context);
    return on;
  };
  plain->SetFocus();
  ASSERT_EQ(open(Hwnd(*plain), true), 1);
  ascii->SetFocus();
  EXPECT_EQ(open(Hwnd(*ascii), std::nullopt), 0);
  open(Hwnd(*ascii), true);
  plain->SetFocus();  // another box leaves the input method as it is
  EXPECT_EQ(open(Hwnd(*plain), std::nullopt), 1);
}

// ---- files

class Win32Files : public ::testing::Test {
 protected:
  std::unique_ptr<ContractBackend> backend = MakeContractBackend();
  platform::FileSystem& fs = backend->Files();
  const std::string dir = backend->NewFolder();
  std::string In(const std::string& name) const { return dir + "\\" + name; }
};

TEST_F(Win32Files, AFailedReplacementKeepsTheOldContentAndLeavesNoTemporary) {
  fs.WriteFile(In("g.txt"), "old");
  HANDLE locked = ::CreateFileW(win32::Wide(In("g.txt")).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  EXPECT_THROW(fs.WriteFile(In("g.txt"), "new"), platform::IoError);
  ::CloseHandle(locked);
  EXPECT_EQ(fs.ReadFile(In("g.txt")), "old");
  std::vector<std::string> names;
  for (const auto& e : fs.Enumerate(In("*"), 0xFF)) names.push_back(e.name);
  EXPECT_EQ(names, (std::vector<std::string>{".", "..", "g.txt"}));
}

// Names of every character are listed as they are. (A name with a lone
// surrogate, which Windows allows and no text can hold, is left out; Wine
// makes no such name.)
TEST_F(Win32Files, NamesOfEveryCharacterAreListed) {
  fs.WriteFile(In("顔.txt"), "x");
  for (const wchar_t* name : {L"caf\u00e9.txt", L"\u301c.txt", L"\U0001F363.txt"}) {
    HANDLE h = ::CreateFileW((win32::Wide(dir) + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    ::CloseHandle(h);
  }
  std::vector<std::string> names;
  for (const auto& e : fs.Enumerate(In("*.txt"), 0xFF)) names.push_back(e.name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"café.txt", "〜.txt", "顔.txt", "🍣.txt"}));
  EXPECT_EQ(fs.ReadFile(In("🍣.txt")), "");
}

TEST_F(Win32Files, LargeFilesAreReadAndWrittenWhole) {
  std::string big(50u << 20, 'k');
  big[12345678] = '\0';
  fs.WriteFile(In("big.txt"), big);
  EXPECT_EQ(fs.ReadFile(In("big.txt")), big);
}

bool InFrontOf(HWND a, HWND b) {
  for (HWND h = ::GetTopWindow(nullptr); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
    if (h == a) return true;
    if (h == b) return false;
  }
  return false;
}

TEST_F(Win32Toolkit, StayOnTopHoldsWhenShownAndWhenAnotherWindowIsActivated) {
  // Set while hidden and with hints on its controls, as the palette does at
  // start: the hint window must not pull the palette out of the topmost band.
  window = backend->Toolkit().NewWindow({.menuBar = true, .size = {300, 400}});
  auto panel = window->NewPanel(nullptr);
  panel->SetHint("hint");
  window->SetShowHints(true);
  window->SetStayOnTop(true);
  window->SetBounds({10, 20, 320, 420});
  window->Show();
  backend->Pump();
  EXPECT_TRUE(window->StayOnTop());
  HWND other = ::CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200, nullptr,
                                 nullptr, nullptr, nullptr);
  ::SetForegroundWindow(other);
  backend->Pump();
  EXPECT_TRUE(window->StayOnTop());
  EXPECT_TRUE(InFrontOf(Hwnd(*window), other));
  ::DestroyWindow(other);
}
}  // namespace

// A window moved to a display of 144 DPI: the system's rectangle, then each
// control's place and font half as large again, sizes still read at 96 DPI.
TEST_F(Win32Toolkit, MovingToADisplayOfAnotherDpiScalesPlacesAndFonts) {
  ASSERT_EQ(window->Dpi(), 96);
  window->SetFont({"ＭＳ ゴシック", 16, false});
  auto list = window->NewListBox(nullptr, platform::ListStyle::Single);
  list->SetBounds({10, 20, 100, 60});
  list->Add("顔");
  auto status = window->NewStatusBar({50, 50}, {true, false});
  auto button = window->NewButton(nullptr, PICTURE_EDIT);
  button->SetBounds({10, 100, 24, 24});
  EXPECT_EQ(IconWidth(Hwnd(*button)), 16);
  const int rowAt96 = static_cast<int>(::SendMessageW(Hwnd(*list), LB_GETITEMHEIGHT, 0, 0));
  int laidOut = 0;
  window->onResize = [&] { ++laidOut; };

  RECT suggested{30, 40, 30 + 480, 40 + 630};
  ::SendMessageW(Hwnd(*window), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(window->Dpi(), 144);
  EXPECT_GE(laidOut, 1);
  RECT outer{};
  ::GetWindowRect(Hwnd(*window), &outer);
  EXPECT_EQ(outer.right - outer.left, 480);
  EXPECT_EQ(window->Bounds(), (platform::Rect{30, 40, 320, 420}));

  RECT r{};
  ::GetWindowRect(Hwnd(*list), &r);
  EXPECT_EQ(r.right - r.left, 150);
  EXPECT_EQ(r.bottom - r.top, 90);
  EXPECT_EQ(list->Bounds(), (platform::Rect{10, 20, 100, 60}));
  const int rowAt144 = static_cast<int>(::SendMessageW(Hwnd(*list), LB_GETITEMHEIGHT, 0, 0));
  EXPECT_NEAR(rowAt144 * 2, rowAt96 * 3, 3);
  int edges[2] = {};
  ::SendMessageW(Hwnd(*status), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges));
  EXPECT_EQ(edges[0], 75);
  EXPECT_EQ(IconWidth(Hwnd(*button)), 24);
}
