#include "platform/win32/other_windows.h"

#include <windows.h>

#include <oleacc.h>

#include <exception>
#include <memory>

#include "platform/win32/text_convert.h"
#include "platform/win32/unique_handle.h"

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

Rect ScreenRect(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

// The caret a window tells accessibility tools of, for programs that draw
// their own. The library is loaded at the first call, so that the program
// starts where it is missing.
std::optional<Rect> AccessibleCaret(HWND hwnd) {
  using FromWindow = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
  static const unique_hmodule library(::LoadLibraryExW(L"oleacc.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  const auto fromWindow = library ? reinterpret_cast<FromWindow>(reinterpret_cast<void (*)()>(
                                        ::GetProcAddress(library.get(), "AccessibleObjectFromWindow")))
                                  : nullptr;
  if (!fromWindow) return std::nullopt;
  // The object crosses from the other program through COM. A thread that
  // has it already, in whatever mode, keeps it as it was.
  const bool comHere = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  struct ComScope {
    bool ours;
    ~ComScope() {
      if (ours) ::CoUninitialize();
    }
  } scope{comHere};
  IAccessible* raw = nullptr;
  if (FAILED(fromWindow(hwnd, static_cast<DWORD>(OBJID_CARET), __uuidof(IAccessible), reinterpret_cast<void**>(&raw))) || !raw)
    return std::nullopt;
  const std::unique_ptr<IAccessible, void (*)(IAccessible*)> caret(raw, [](IAccessible* a) { a->Release(); });
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  long x = 0, y = 0, width = 0, height = 0;
  if (caret->accLocation(&x, &y, &width, &height, self) != S_OK || (width <= 0 && height <= 0)) return std::nullopt;
  return Rect{static_cast<int>(x), static_cast<int>(y), static_cast<int>(width), static_cast<int>(height)};
}

}  // namespace

TypingPlace OtherWindows::FindTypingPlace() const {
  HWND front = ::GetForegroundWindow();
  TypingPlace place{reinterpret_cast<WindowId>(front), std::nullopt};
  if (!front) return place;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(front, nullptr), &info)) return place;
  if (info.hwndCaret) {
    RECT r = info.rcCaret;  // in the caret window's client area
    ::MapWindowPoints(info.hwndCaret, nullptr, reinterpret_cast<POINT*>(&r), 2);
    place.caret = ScreenRect(r);
    return place;
  }
  place.caret = AccessibleCaret(info.hwndFocus ? info.hwndFocus : front);
  return place;
}

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
