// While a paste waits for its target to take the keyboard, nothing of the
// program's own may run: a second double click or a timer tick in the middle
// would write the clipboard before the first Ctrl+V lands.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/other_windows.h"

namespace {

std::vector<std::string>* g_log = nullptr;

LRESULT CALLBACK LoggingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (g_log) {
    if (msg == WM_APP) g_log->push_back("posted command");
    if (msg == WM_TIMER) g_log->push_back("timer");
    if (msg == WM_LBUTTONDBLCLK) g_log->push_back("double click");
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

HWND NewWindow(const wchar_t* title, int show) {
  static const ATOM atom = [] {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = LoggingProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"MirufoPasteWaitTest";
    return ::RegisterClassW(&wc);
  }();
  HWND w = ::CreateWindowExW(0, MAKEINTATOM(atom), title, WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, nullptr, nullptr,
                             nullptr, nullptr);
  if (w) ::ShowWindow(w, show);
  return w;
}

// Another application whose thread is busy for a while when asked to come to
// the front, so the paste has to wait for it.
struct SlowApp {
  HANDLE created = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE busy = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HWND window = nullptr;
  HANDLE thread = nullptr;

  static DWORD WINAPI Main(void* arg) {
    auto& app = *static_cast<SlowApp*>(arg);
    // Never active yet, so it has no keyboard focus until it runs again.
    app.window = NewWindow(L"slow target", SW_SHOWNOACTIVATE);
    ::SetEvent(app.created);
    ::WaitForSingleObject(app.busy, 5000);
    ::Sleep(200);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    return 0;
  }
  SlowApp() {
    thread = ::CreateThread(nullptr, 0, Main, this, 0, nullptr);
    ::WaitForSingleObject(created, 5000);
  }
  ~SlowApp() {
    ::SetEvent(busy);
    ::PostThreadMessageW(::GetThreadId(thread), WM_QUIT, 0, 0);
    ::WaitForSingleObject(thread, 5000);
    ::CloseHandle(thread);
    ::CloseHandle(busy);
    ::CloseHandle(created);
  }
};

void Pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

TEST(Win32PasteWait, TheProgramsOwnMessagesWaitUntilTheTargetHasTheKeyboard) {
  SlowApp target;
  ASSERT_NE(target.window, nullptr);
  HWND palette = NewWindow(L"palette", SW_SHOW);
  ASSERT_NE(palette, nullptr);
  ::SetForegroundWindow(palette);
  Pump();

  std::vector<std::string> log;
  g_log = &log;
  // The user double-clicks again and a timer is due, just as the paste starts.
  ::PostMessageW(palette, WM_APP, 0, 0);
  ::PostMessageW(palette, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
  ::SetTimer(palette, 1, 1, nullptr);
  ::SetEvent(target.busy);
  const ULONGLONG start = ::GetTickCount64();
  platform::win32::OtherWindows windows;
  const bool came = windows.BringToFront(reinterpret_cast<platform::WindowId>(target.window));
  const ULONGLONG waited = ::GetTickCount64() - start;
  log.push_back("paste done");
  ::Sleep(5);
  Pump();
  ::KillTimer(palette, 1);
  g_log = nullptr;
  ::DestroyWindow(palette);

  EXPECT_TRUE(came);
  // The target was busy, so the paste did wait.
  EXPECT_GE(waited, 100u);
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(log[0], "paste done");
  EXPECT_EQ(log[1], "posted command");
  EXPECT_EQ(log[2], "double click");
  EXPECT_EQ(log[3], "timer");
}

}  // namespace
