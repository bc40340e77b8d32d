// Top-level windows: owned by the hidden application window, with a menu
// bar, tooltips and the key preview hooks of the message loop.

#include <vector>

#include "platform/failure.h"
#include "platform/win32/text_convert.h"
#include "platform/win32/toolkit_controls.h"

namespace platform::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"MirufoWindow";
// A window holds one hotkey, under this id.
constexpr int kHotKeyId = 1;

ATOM RegisterWindowClass(HINSTANCE instance, WNDPROC proc) {
  static ATOM atom = 0;
  if (atom) return atom;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
  if (!wc.hIcon) wc.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  atom = ::RegisterClassExW(&wc);
  return atom;
}

ATOM g_windowAtom = 0;

DWORD StyleOf(const WindowOptions& o) {
  DWORD style = WS_CLIPCHILDREN | (o.owner ? WS_POPUP : WS_OVERLAPPED);
  if (o.frame == Frame::None) return style | WS_POPUP;
  style |= WS_CAPTION | WS_SYSMENU;
  if (o.frame == Frame::Sizeable) style |= WS_THICKFRAME;
  if (!o.closeBoxOnly) style |= WS_MINIMIZEBOX | (o.frame == Frame::Sizeable ? WS_MAXIMIZEBOX : 0);
  return style;
}

DWORD ExStyleOf(const WindowOptions& o) {
  DWORD ex = WS_EX_CONTROLPARENT;
  if (!o.owner) ex |= WS_EX_APPWINDOW;
  if (o.stayOnTop) ex |= WS_EX_TOPMOST;
  if (o.acceptsFiles) ex |= WS_EX_ACCEPTFILES;
  return ex;
}

}  // namespace

Window::Window(Toolkit& toolkit, const WindowOptions& options) : toolkit_(toolkit), menu_(toolkit, true) {
  g_windowAtom = RegisterWindowClass(toolkit.Instance(), Proc);
  const DWORD style = StyleOf(options), ex = ExStyleOf(options);
  const int at = options.owner ? 0 : CW_USEDEFAULT;
  HWND owner = options.owner ? dynamic_cast<Window&>(*options.owner).Handle() : toolkit.ApplicationWindow();
  const std::wstring caption = WideText(options.caption);
  const bool created = CreatePatiently([&] {
    closed_ = false;  // set again by a window destroyed while being made
    ::CreateWindowExW(ex, kWindowClass, caption.c_str(), style, at, at, 0, 0, owner, nullptr, toolkit.Instance(), this);
    return hwnd_ != nullptr;
  });
  if (!created) throw Failure("ウィンドウを作成できません");
  caption_ = options.caption;
  if (options.menuBar) menu_.SetBarWindow(hwnd_);

  // Sized once the display it is on, and so its DPI, is known.
  if (const UINT dpi = ::GetDpiForWindow(hwnd_)) dpi_ = static_cast<int>(dpi);
  RECT outer{0, 0, Scale(options.size.width), Scale(options.size.height)};
  if (options.clientSize) ::AdjustWindowRectExForDpi(&outer, style, options.menuBar, ex, dpi_);
  const int width = outer.right - outer.left, height = outer.bottom - outer.top;
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE;
  int x = 0, y = 0;
  if (options.centred) {
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    x = work.left + (work.right - work.left - width) / 2;
    y = work.top + (work.bottom - work.top - height) / 2;
    flags &= ~SWP_NOMOVE;
  }
  ::SetWindowPos(hwnd_, nullptr, x, y, width, height, flags);
}

Window::~Window() {
  for (ControlCore* control : controls_) control->Orphan();
  tips_.reset();
  if (hwnd_) ::DestroyWindow(hwnd_);
}

Window* Window::From(HWND hwnd) {
  if (!hwnd || !g_windowAtom || ::GetClassLongPtrW(hwnd, GCW_ATOM) != g_windowAtom) return nullptr;
  return reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void Window::SetCaption(const Text& caption) {
  caption_ = caption;
  if (hwnd_) ::SetWindowTextW(hwnd_, WideText(caption).c_str());
}

void Window::SetBounds(const Rect& r) {
  if (!hwnd_) return;
  resized_ = false;
  ::SetWindowPos(hwnd_, nullptr, r.left, r.top, Scale(r.width), Scale(r.height), SWP_NOZORDER | SWP_NOACTIVATE);
  // The owner lays out on every placement, also one that keeps the size.
  if (!resized_) FireResize();
}

Rect Window::Bounds() const {
  RECT r{};
  if (hwnd_) ::GetWindowRect(hwnd_, &r);
  return {r.left, r.top, Unscale(r.right - r.left), Unscale(r.bottom - r.top)};
}

Size Window::ClientSize() const {
  RECT r{};
  if (hwnd_) ::GetClientRect(hwnd_, &r);
  return {Unscale(r.right), Unscale(r.bottom)};
}

void Window::SetStayOnTop(bool on) {
  if (!hwnd_) return;
  constexpr UINT kOnlyOrder = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  ::SetWindowPos(hwnd_, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, kOnlyOrder);
  if (on || !StayOnTop()) return;
  // Wine keeps an owned window topmost; without its owner for a moment it
  // lets go, and stays so when the owner comes back.
  const LONG_PTR owner = ::GetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT);
  ::SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, 0);
  ::SetWindowPos(hwnd_, HWND_NOTOPMOST, 0, 0, 0, 0, kOnlyOrder);
  ::SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, owner);
}

bool Window::StayOnTop() const { return hwnd_ && (::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST); }

void Window::SetShowHints(bool on) {
  hints_ = on;
  if (tips_) ::SendMessageW(tips_.get(), TTM_ACTIVATE, on, 0);
}

void Window::Show() {
  if (!hwnd_) return;
  ::ShowWindow(hwnd_, SW_SHOW);
  ::UpdateWindow(hwnd_);
}

void Window::Hide() {
  if (hwnd_) ::ShowWindow(hwnd_, SW_HIDE);
}

void Window::BringToFront() {
  if (!hwnd_) return;
  ::ShowWindow(hwnd_, SW_SHOW);
  // Activation alone does not restack where no window manager does it (Wine
  // on a bare X display). HWND_TOP keeps a stay-on-top window in its band.
  ::SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::SetForegroundWindow(hwnd_);
}

bool Window::SetHotKey(const Chord& chord) {
  if (!hwnd_) return chord.Empty();
  if (!hotKey_.Empty()) ::UnregisterHotKey(hwnd_, kHotKeyId);
  hotKey_ = {};
  if (chord.Empty()) return true;
  // Held down, the keys would repeat the notice.
  const UINT modifiers = HotKeyModifiers(chord) | MOD_NOREPEAT;
  if (!::RegisterHotKey(hwnd_, kHotKeyId, modifiers, static_cast<UINT>(chord.key))) return false;
  hotKey_ = chord;
  return true;
}

UINT HotKeyModifiers(const Chord& chord) {
  UINT modifiers = 0;
  if (chord.modifiers & modifier::kCtrl) modifiers |= MOD_CONTROL;
  if (chord.modifiers & modifier::kAlt) modifiers |= MOD_ALT;
  if (chord.modifiers & modifier::kShift) modifiers |= MOD_SHIFT;
  if (chord.modifiers & modifier::kWin) modifiers |= MOD_WIN;
  return modifiers;
}

int HeldModifiers() {
  const auto held = [](int key) { return ::GetKeyState(key) < 0; };
  int modifiers = 0;
  if (held(VK_CONTROL)) modifiers |= modifier::kCtrl;
  if (held(VK_MENU)) modifiers |= modifier::kAlt;
  if (held(VK_SHIFT)) modifiers |= modifier::kShift;
  if (held(VK_LWIN) || held(VK_RWIN)) modifiers |= modifier::kWin;
  return modifiers;
}

bool Window::Visible() const { return !closed_ && hwnd_ && ::IsWindowVisible(hwnd_); }

void Window::ShowModal() {
  if (!hwnd_) return;
  HWND owner = ::GetWindow(hwnd_, GW_OWNER);
  if (owner && ::IsWindowEnabled(owner)) {
    modalOwner_ = owner;
    ::EnableWindow(owner, FALSE);
  }
  Show();
  ::SetForegroundWindow(hwnd_);
  if (HWND first = ::GetNextDlgTabItem(hwnd_, nullptr, FALSE)) ::SetFocus(first);
  toolkit_.Run(*this);
}

void Window::Close() {
  if (closed_) return;
  if (onClose && !onClose()) return;
  // The owner takes input again before this window goes, so that the
  // system gives it the activation and not another program's window.
  if (modalOwner_) {
    ::EnableWindow(modalOwner_, TRUE);
    ::SetActiveWindow(modalOwner_);
    modalOwner_ = nullptr;
  }
  closed_ = true;
  if (hwnd_) ::DestroyWindow(hwnd_);
  toolkit_.Wake();
}

void Window::FireResize() {
  resized_ = true;
  if (onResize) onResize();
}

void Window::SetTip(HWND control, const Text& hint) {
  if (!hwnd_ || !control) return;
  if (!tips_) {
    if (hint.empty()) return;
    tips_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0,
                                  0, 0, toolkit_.ApplicationWindow(), nullptr, toolkit_.Instance(), nullptr));
    if (!tips_) return;
    ::SendMessageW(tips_.get(), TTM_SETMAXTIPWIDTH, 0, 400);
    ::SendMessageW(tips_.get(), TTM_ACTIVATE, hints_, 0);
  }
  std::wstring text = WideText(hint);
  TOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every comctl32
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = hwnd_;
  info.uId = reinterpret_cast<UINT_PTR>(control);
  const bool known = ::SendMessageW(tips_.get(), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.lpszText = text.data();
  if (hint.empty()) {
    if (known) ::SendMessageW(tips_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  } else {
    ::SendMessageW(tips_.get(), known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
}

// The system's rectangle for the new display, then every control's font and
// place again, then the owner's layout.
void Window::DpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  for (ControlCore* control : controls_) control->Rescale();
  FireResize();
}

void Window::DropFiles(HDROP drop) {
  // The drop data is released whatever the handler does.
  struct Release {
    HDROP drop;
    ~Release() { ::DragFinish(drop); }
  } release{drop};
  std::vector<DroppedPath> paths;
  const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(::DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(::DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
    const auto exact = NarrowExact(path);
    paths.push_back({exact ? *exact : NarrowMarked(path), exact.has_value()});
  }
  if (onDropFiles) onDropFiles(paths);
}

bool Window::PreviewKey(int key) { return onKeyDown && onKeyDown(key); }
bool Window::PreviewChar(char ch) { return onKeyPress && onKeyPress(ch); }

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  Window* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->tips_.reset();
    self->closed_ = true;
    self->toolkit_.Wake();
    return ::DefWindowProcW(hwnd, msg, wp, lp);
  }
  LRESULT result = 0;
  bool done = false;
  Guard([&] {
    result = self->Handle(msg, wp, lp);
    done = true;
  });
  return done ? result : ::DefWindowProcW(hwnd, msg, wp, lp);
}

void Window::SetMessageHandler(const Text& name, MessageHandler handler) {
  const UINT message = ::RegisterWindowMessageA(name.c_str());
  if (!message) throw Failure("RegisterWindowMessage: " + name);
  if (handler)
    registered_[message] = std::move(handler);
  else
    registered_.erase(message);
}

LRESULT Window::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg >= 0xC000)  // the range of registered messages
    if (const auto it = registered_.find(msg); it != registered_.end()) return it->second(wp, lp);
  switch (msg) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_DESTROY:
      // The bar belongs to menu_, not to the window: keep DestroyWindow off it.
      ::SetMenu(hwnd_, nullptr);
      if (!hotKey_.Empty()) ::UnregisterHotKey(hwnd_, kHotKeyId);
      hotKey_ = {};
      closed_ = true;
      break;
    case WM_HOTKEY:
      if (wp == kHotKeyId && onHotKey) onHotKey();
      return 0;
    case WM_SIZE:
      if (wp != SIZE_MINIMIZED) FireResize();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(hwnd_, focus)) lastFocus_ = focus;
      }
      break;
    case WM_SETFOCUS:
      // Coming back to the window gives the focus back to the control that had it.
      if (lastFocus_ && ::IsWindow(lastFocus_) && ::IsChild(hwnd_, lastFocus_) && ::IsWindowVisible(lastFocus_)) {
        ::SetFocus(lastFocus_);
        return 0;
      }
      break;
    case WM_COMMAND:
      if (lp == 0 && HIWORD(wp) <= 1) {
        if (MenuItem* item = toolkit_.CommandItem(LOWORD(wp))) item->Choose();
        return 0;
      }
      break;
    case WM_DPICHANGED:
      DpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
      return 0;
    case WM_DROPFILES:
      DropFiles(reinterpret_cast<HDROP>(wp));
      return 0;
    case WM_INITMENUPOPUP:
      if (!HIWORD(lp))
        if (MenuItem* item = toolkit_.DropDown(reinterpret_cast<HMENU>(wp))) item->Opening();
      return 0;
  }
  if (LRESULT result = 0; ForwardToChild(msg, wp, lp, result)) return result;
  return ::DefWindowProcW(hwnd_, msg, wp, lp);
}

// ---- children

std::unique_ptr<platform::Panel> Window::NewPanel(Control* parent) { return std::make_unique<win32::Panel>(*this, parent); }

std::unique_ptr<platform::ListBox> Window::NewListBox(Control* parent, ListStyle style) {
  return std::make_unique<win32::ListBox>(*this, parent, style);
}

std::unique_ptr<platform::EntryBox> Window::NewEntryBox(Control* parent) {
  return std::make_unique<win32::EntryBox>(*this, parent);
}

std::unique_ptr<platform::EditBox> Window::NewEditBox(Control* parent) {
  return std::make_unique<win32::EditBox>(*this, parent);
}

std::unique_ptr<platform::Button> Window::NewButton(Control* parent, int picture) {
  return std::make_unique<win32::Button>(*this, parent, picture);
}

std::unique_ptr<platform::Picture> Window::NewPicture(Control* parent, int bitmap) {
  return std::make_unique<win32::Picture>(*this, parent, bitmap);
}

std::unique_ptr<platform::Splitter> Window::NewSplitter(Control* parent) {
  return std::make_unique<win32::Splitter>(*this, parent);
}

std::unique_ptr<platform::StatusBar> Window::NewStatusBar(const std::vector<int>& widths,
                                                          const std::vector<bool>& rightAligned) {
  return std::make_unique<win32::StatusBar>(*this, widths, rightAligned);
}

std::unique_ptr<platform::Label> Window::NewLabel(Control* parent) { return std::make_unique<win32::Label>(*this, parent); }

std::unique_ptr<platform::CheckBox> Window::NewCheckBox(Control* parent) {
  return std::make_unique<win32::CheckBox>(*this, parent);
}

std::unique_ptr<platform::ChordBox> Window::NewChordBox(Control* parent) {
  return std::make_unique<win32::ChordBox>(*this, parent);
}

std::unique_ptr<platform::CheckList> Window::NewCheckList(Control* parent) {
  return std::make_unique<win32::CheckList>(*this, parent);
}

std::unique_ptr<platform::DropDownList> Window::NewDropDownList(Control* parent) {
  return std::make_unique<win32::DropDownList>(*this, parent);
}

std::unique_ptr<platform::TabPages> Window::NewTabPages(Control* parent) {
  return std::make_unique<win32::TabPages>(*this, parent);
}

std::unique_ptr<platform::PopupMenu> Window::NewPopupMenu() { return std::make_unique<win32::PopupMenu>(*this); }

}  // namespace platform::win32
