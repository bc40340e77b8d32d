// The whole paste road on the real system: clipboard, the target brought to
// the front, Ctrl+V synthesized, and the text arriving in an edit control.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/paste.h"
#include "platform/win32/clipboard.h"
#include "platform/win32/other_windows.h"
#include "platform/win32/text_convert.h"

namespace {

void Pump(int ms) {
  const ULONGLONG until = ::GetTickCount64() + ms;
  while (::GetTickCount64() < until) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::Sleep(5);
  }
}

struct TargetWindow {
  TargetWindow() {
    frame = ::CreateWindowExW(0, L"STATIC", L"paste target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 100, 300, 200,
                              nullptr, nullptr, nullptr, nullptr);
    edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 280, 150, frame, nullptr,
                             nullptr, nullptr);
    ::SetFocus(edit);
  }
  ~TargetWindow() { ::DestroyWindow(frame); }
  std::string Text() const {
    wchar_t buffer[256]{};
    ::GetWindowTextW(edit, buffer, 256);
    return platform::win32::Narrow(buffer);
  }
  HWND frame, edit;
};

TEST(Win32Paste, ClipboardRoundTripsShiftJisAndLineBreaks) {
  platform::win32::Clipboard clipboard;
  const std::string text = "(＾▽＾)顔文字\r\n２行目";
  ASSERT_TRUE(clipboard.SetText(text));
  EXPECT_TRUE(clipboard.HasText());
  EXPECT_EQ(clipboard.GetText(), text);
  ASSERT_TRUE(clipboard.Clear());
  EXPECT_FALSE(clipboard.HasText());
}

TEST(Win32Paste, CtrlVReachesTheWindowFoundByItsTitle) {
  TargetWindow target;
  Pump(300);
  platform::win32::Clipboard clipboard;
  platform::win32::OtherWindows windows;
  ASSERT_TRUE(clipboard.SetText("(´・ω・`)"));
  const auto all = windows.TopLevelFrontToBack();
  bool listed = false;
  for (const auto& w : all) listed |= w.id == reinterpret_cast<platform::WindowId>(target.frame) && w.visible;
  EXPECT_TRUE(listed);
  const platform::WindowId found = windows.FindByTitle("paste target");
  ASSERT_EQ(found, reinterpret_cast<platform::WindowId>(target.frame));
  EXPECT_EQ(windows.FindByTitle("paste targe"), 0u);  // exact titles only
  EXPECT_TRUE(windows.BringToFront(found));
  windows.SendKeys(app::PasteKeys());
  Pump(500);
  EXPECT_EQ(target.Text(), "(´・ω・`)");
}

}  // namespace
