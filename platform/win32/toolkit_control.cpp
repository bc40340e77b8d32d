// What every control shares: its child window, the subclass procedure that
// reports keys and context menus, and the routing of parent notices.
#include "platform/win32/toolkit_controls.h"

#include <windowsx.h>

#include <unordered_map>

#include "platform/failure.h"

namespace platform::win32 {

namespace {

// Our child windows: the control object (nullptr once it is gone) and the
// procedure that was there before ours.
struct Subclassed {
  ControlCore* control;
  WNDPROC base;
};
std::unordered_map<HWND, Subclassed>& Controls() {
  static std::unordered_map<HWND, Subclassed> controls;
  return controls;
}

}  // namespace

ControlCore::ControlCore(Window& window, HWND parent) : parent_(parent), window_(&window) { window.Adopt(this); }

ControlCore::~ControlCore() {
  if (window_) {
    window_->Forget(this);
    if (hwnd_) window_->SetTip(hwnd_, "");
  }
  if (hwnd_) {
    // No more messages to a half-destroyed object.
    auto found = Controls().find(hwnd_);
    if (found != Controls().end()) found->second.control = nullptr;
    ::DestroyWindow(hwnd_);
  }
}

// Subclassing through GWLP_WNDPROC: comctl32's SetWindowSubclass looks up a
// window property on every message, which Wine serves through its server at
// some 10 us a message (a 200,000-item list took seconds).
void ControlCore::Create(DWORD exStyle, const wchar_t* className, DWORD style) {
  exStyle_ = exStyle;
  style_ = style;
  className_ = className;
  Make(WS_VISIBLE);
}

void ControlCore::Make(DWORD shown) {
  static UINT nextId = 1000;
  const UINT id = nextId++ & 0x7FFF;
  hwnd_ = ::CreateWindowExW(exStyle_, className_.c_str(), L"", WS_CHILD | shown | WS_CLIPSIBLINGS | style_, 0, 0, 0, 0,
                            parent_, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ::GetModuleHandleW(nullptr),
                            nullptr);
  if (!hwnd_) throw Failure("コントロールを作成できません");
  const auto base = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd_, GWLP_WNDPROC));
  Controls()[hwnd_] = {this, base};
  ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlCore::SubclassProc));
  base_ = base;
}

void ControlCore::Recreate(DWORD styleOn, DWORD styleOff) {
  style_ = (style_ | styleOn) & ~styleOff;
  HWND old = hwnd_;
  const auto oldStyle = static_cast<DWORD>(::GetWindowLongPtrW(old, GWL_STYLE));
  const bool focused = ::GetFocus() == old;
  Make(oldStyle & WS_VISIBLE);
  // Where the old one was among its siblings, for the order of Tab.
  ::SetWindowPos(hwnd_, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (oldStyle & WS_DISABLED) ::EnableWindow(hwnd_, FALSE);
  Prepare();
  ApplyFont(font_);
  Place(place_);
  if (focused) ::SetFocus(hwnd_);
  if (auto found = Controls().find(old); found != Controls().end()) found->second.control = nullptr;
  if (window_) window_->SetTip(old, "");
  ::DestroyWindow(old);
}

ControlCore* ControlCore::From(HWND hwnd) {
  auto found = Controls().find(hwnd);
  return found == Controls().end() ? nullptr : found->second.control;
}

void ControlCore::ApplyFont(const Font& font) {
  if (!window_ || !hwnd_ || font.face.empty() || font.size <= 0) return;
  font_ = font;
  ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(window_->Owner().FontFor(font, window_->Dpi())), TRUE);
}

void ControlCore::Place(const Rect& r, int extraHeight) {
  place_ = r;
  if (!window_ || !hwnd_) return;
  const Window& w = *window_;
  ::SetWindowPos(hwnd_, nullptr, w.Scale(r.left), w.Scale(r.top), w.Scale(r.width), w.Scale(r.height) + extraHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void ControlCore::Rescale() { Place(place_); }

LRESULT ControlCore::Default(UINT msg, WPARAM wp, LPARAM lp) const {
  return ::CallWindowProcW(base_, hwnd_, msg, wp, lp);
}

LRESULT ControlCore::OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
  switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      Guard([&] { FireKeyDown(static_cast<int>(wp)); });
      break;
    case WM_CONTEXTMENU: {
      // DefWindowProc passes a child's request up; that is the child's own.
      if (reinterpret_cast<HWND>(wp) != hwnd_) break;
      Point at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      if (at.x == -1 && at.y == -1) {  // the menu key: at the control's corner
        RECT r{};
        ::GetWindowRect(hwnd_, &r);
        at = {r.left, r.top};
      }
      bool shown = false;
      Guard([&] { shown = FireContextMenu(at); });
      handled = shown;
      break;
    }
    default: {
      LRESULT result = 0;
      if (ForwardToChild(msg, wp, lp, result)) {
        handled = true;
        return result;
      }
      break;
    }
  }
  return 0;
}

LRESULT CALLBACK ControlCore::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  auto found = Controls().find(hwnd);
  if (found == Controls().end()) return ::DefWindowProcW(hwnd, msg, wp, lp);
  const Subclassed entry = found->second;
  if (msg == WM_NCDESTROY) {
    Controls().erase(found);
    if (entry.control) entry.control->hwnd_ = nullptr;
    return ::CallWindowProcW(entry.base, hwnd, msg, wp, lp);
  }
  if (!entry.control) return ::CallWindowProcW(entry.base, hwnd, msg, wp, lp);
  bool handled = false;
  LRESULT result = 0;
  Guard([&] { result = entry.control->OnMessage(msg, wp, lp, handled); });
  // The control may be gone now: a handler can destroy its own control.
  return handled ? result : ::CallWindowProcW(entry.base, hwnd, msg, wp, lp);
}

bool ForwardToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg == WM_COMMAND && lp) {
    ControlCore* child = ControlCore::From(reinterpret_cast<HWND>(lp));
    if (!child) return false;
    Guard([&] { child->OnCommand(HIWORD(wp)); });
    result = 0;
    return true;
  }
  if ((msg == WM_CTLCOLORLISTBOX || msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORSTATIC) && lp) {
    ControlCore* child = ControlCore::From(reinterpret_cast<HWND>(lp));
    if (!child) return false;
    HBRUSH brush = nullptr;
    Guard([&] { brush = child->OnCtlColor(reinterpret_cast<HDC>(wp)); });
    if (!brush) return false;
    result = reinterpret_cast<LRESULT>(brush);
    return true;
  }
  if (msg == WM_DRAWITEM && lp) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    if (item.CtlType == ODT_MENU) return false;
    ControlCore* child = ControlCore::From(item.hwndItem);
    if (!child) return false;
    bool drawn = false;
    Guard([&] { drawn = child->OnDrawItem(item); });
    result = TRUE;
    return drawn;
  }
  if (msg == WM_NOTIFY && lp) {
    const auto& header = *reinterpret_cast<const NMHDR*>(lp);
    ControlCore* child = ControlCore::From(header.hwndFrom);
    if (!child) return false;
    result = 0;
    Guard([&] { result = child->OnNotify(header); });
    return true;
  }
  return false;
}

HWND ParentHandle(Window& window, Control* parent) {
  if (!parent) return window.Handle();
  auto* core = dynamic_cast<ControlCore*>(parent);
  if (!core || !core->Handle()) throw Failure("親コントロールがありません");
  return core->Handle();
}

}  // namespace platform::win32
