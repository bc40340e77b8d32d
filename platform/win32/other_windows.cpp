#include "platform/win32/other_windows.h"

#include <windows.h>

#include <exception>

#include "platform/win32/text_convert.h"

namespace platform::win32 {

namespace {

struct Visit {
  const std::function<bool(const TopWindow&)>& visit;
  HWND taken = nullptr;
  std::exception_ptr failure;
};

BOOL CALLBACK VisitOne(HWND hwnd, LPARAM lp) noexcept {
  auto& v = *reinterpret_cast<Visit*>(lp);
  try {
    wchar_t title[512];
    const int n = ::GetWindowTextW(hwnd, title, static_cast<int>(std::size(title)));
    if (!v.visit({reinterpret_cast<WindowId>(hwnd), reinterpret_cast<WindowId>(::GetWindow(hwnd, GW_OWNER)),
                  ::IsWindowVisible(hwnd) != 0, Narrow(std::wstring_view(title, n > 0 ? n : 0))}))
      return TRUE;
    v.taken = hwnd;
  } catch (...) {
    v.failure = std::current_exception();
  }
  return FALSE;
}

bool Ready(HWND target) {
  if (::GetForegroundWindow() != target) return false;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return ::GetGUIThreadInfo(::GetWindowThreadProcessId(target, nullptr), &info) && info.hwndFocus;
}

}  // namespace

WindowId OtherWindows::FirstTopLevel(const std::function<bool(const TopWindow&)>& visit) const {
  // EnumWindows walks the z-order from the top.
  Visit v{visit};
  ::EnumWindows(VisitOne, reinterpret_cast<LPARAM>(&v));
  if (v.failure) std::rethrow_exception(v.failure);
  return reinterpret_cast<WindowId>(v.taken);
}

WindowId OtherWindows::FindByTitle(const Text& title) const {
  return reinterpret_cast<WindowId>(::FindWindowW(nullptr, Wide(title).c_str()));
}

bool OtherWindows::BringToFront(WindowId id) {
  HWND target = reinterpret_cast<HWND>(id);
  if (!::IsWindow(target)) return false;
  ::SetForegroundWindow(target);
  const ULONGLONG until = ::GetTickCount64() + 500;
  while (!Ready(target) && ::GetTickCount64() < until) {
    // Only messages that other threads send are answered (the change of
    // foreground sends some, and their senders wait): the palette's own
    // input, timers and posted commands stay queued until the paste is done,
    // so nothing of the program runs in the middle of it.
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    // Wakes at the next sent message or after a millisecond: the keys go
    // out as soon as the target has the keyboard.
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_SENDMESSAGE);
  }
  return ::GetForegroundWindow() == target;
}

void OtherWindows::SendKeys(const std::vector<KeyEvent>& events) {
  std::vector<INPUT> inputs(events.size());
  for (size_t i = 0; i < events.size(); ++i) {
    inputs[i].type = INPUT_KEYBOARD;
    inputs[i].ki.wVk = static_cast<WORD>(events[i].key);
    inputs[i].ki.dwFlags = events[i].up ? KEYEVENTF_KEYUP : 0;
  }
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace platform::win32
