// The toolkit: the hidden application window, fonts, menu commands, timers,
// message boxes and the message loop with its key preview.
#include "platform/win32/toolkit.h"

#include <algorithm>
#include <cstdint>

#include "platform/failure.h"
#include "platform/win32/text_convert.h"
#include "platform/win32/toolkit_controls.h"

namespace platform::win32 {

namespace {

constexpr wchar_t kAppClass[] = L"MirufoApplication";
constexpr wchar_t kTimerClass[] = L"MirufoTimers";

std::wstring g_title = L"Error";

void Register(const wchar_t* name, WNDPROC proc, HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (::GetClassInfoExW(instance, name, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.lpszClassName = name;
  ::RegisterClassExW(&wc);
}

LRESULT CALLBACK AppProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  // Closing the application window from outside asks nothing of ours.
  if (msg == WM_CLOSE) return 0;
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

void LastResort(const char* message) noexcept {
  try {
    const std::wstring text = message ? Wide(message) : std::wstring(L"予期しないエラーが発生しました。");
    ::MessageBoxW(::GetActiveWindow(), text.c_str(), g_title.c_str(), MB_OK | MB_ICONSTOP);
  } catch (...) {
    ::MessageBoxW(nullptr, L"Error", g_title.c_str(), MB_OK | MB_ICONSTOP);
  }
}

bool CreatePatiently(const std::function<bool()>& create) {
  for (int tries = 1;; ++tries) {
    if (create()) return true;
    if (tries == 60) return false;
    ::Sleep(500);
  }
}

Toolkit::Toolkit() : instance_(::GetModuleHandleW(nullptr)) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES};
  ::InitCommonControlsEx(&icc);
  richEdit_.reset(::LoadLibraryExW(L"Msftedit.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  if (!richEdit_) richEdit_.reset(::LoadLibraryW(L"Msftedit.dll"));

  Register(kAppClass, AppProc, instance_);
  Register(kTimerClass, TimerProc, instance_);
  const bool created = CreatePatiently([this] {
    if (!app_)
      app_.reset(::CreateWindowExW(0, kAppClass, L"", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0,
                                   0, nullptr, nullptr, instance_, nullptr));
    if (!timerWindow_)
      timerWindow_.reset(
          ::CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_, nullptr));
    return app_ && timerWindow_;
  });
  if (!created) throw Failure("ウィンドウを作成できません");
  ::SetWindowLongPtrW(timerWindow_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Toolkit::~Toolkit() {
  for (auto& [id, timer] : timers_) ::KillTimer(timerWindow_.get(), id);
  ::SetWindowLongPtrW(timerWindow_.get(), GWLP_USERDATA, 0);
}

void Toolkit::SetApplicationTitle(const Text& title) {
  title_ = title;
  g_title = WideText(title);
  ::SetWindowTextW(app_.get(), g_title.c_str());
}

std::unique_ptr<platform::Window> Toolkit::NewWindow(const WindowOptions& options) {
  return std::make_unique<Window>(*this, options);
}

std::unique_ptr<platform::Timer> Toolkit::NewTimer(int intervalMs, std::function<void()> onTimer) {
  return std::make_unique<TimerImpl>(*this, intervalMs, std::move(onTimer));
}

Answer Toolkit::MessageBox(platform::Window* owner, const Text& text, const Text& caption, Icon icon, Buttons buttons) {
  HWND parent = app_.get();
  if (auto* w = dynamic_cast<Window*>(owner); w && w->Handle()) parent = w->Handle();
  UINT flags = 0;
  switch (icon) {
    case Icon::None: break;
    case Icon::Stop: flags |= MB_ICONHAND; break;
    case Icon::Warning: flags |= MB_ICONEXCLAMATION; break;
    case Icon::Information: flags |= MB_ICONASTERISK; break;
    case Icon::Question: flags |= MB_ICONQUESTION; break;
  }
  switch (buttons) {
    case Buttons::Ok: flags |= MB_OK; break;
    case Buttons::OkCancel: flags |= MB_OKCANCEL; break;
    case Buttons::YesNo: flags |= MB_YESNO; break;
    case Buttons::Yes: flags |= MB_OK; break;
  }
  // The system's box has no single Yes button: its OK is renamed while the
  // box comes up.
  struct Rename {
    static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp) {
      if (code == HCBT_ACTIVATE) ::SetDlgItemTextW(reinterpret_cast<HWND>(wp), IDOK, L"はい(&Y)");
      return ::CallNextHookEx(nullptr, code, wp, lp);
    }
  };
  struct Hooked {
    HHOOK hook;
    ~Hooked() {
      if (hook) ::UnhookWindowsHookEx(hook);
    }
  } hooked{buttons == Buttons::Yes ? ::SetWindowsHookExW(WH_CBT, Rename::Hook, nullptr, ::GetCurrentThreadId())
                                   : nullptr};
  const int pressed = ::MessageBoxW(parent, WideText(text).c_str(), WideText(caption).c_str(), flags);
  switch (pressed) {
    case IDOK: return buttons == Buttons::Yes ? Answer::Yes : Answer::Ok;
    case IDYES: return Answer::Yes;
    case IDNO: return Answer::No;
    default: return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
  }
}

// The common dialogs' library is loaded at the first dialog, not imported:
// under Wine an import loads it, and the shell with it, at every start.
template <typename Function>
Function CommonDialog(const char* name) {
  static const unique_hmodule library(::LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  const auto entry = library ? ::GetProcAddress(library.get(), name) : nullptr;
  if (!entry) throw Failure("ダイアログのライブラリ comdlg32.dll を読み込めません");
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(entry));
}

std::optional<int32_t> Toolkit::PickColor(platform::Window* owner, int32_t initial) {
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = app_.get();
  if (auto* w = dynamic_cast<Window*>(owner); w && w->Handle()) cc.hwndOwner = w->Handle();
  cc.rgbResult = ToColorRef(initial);
  cc.lpCustColors = customColors_;
  cc.Flags = CC_RGBINIT;
  if (!CommonDialog<decltype(&::ChooseColorW)>("ChooseColorW")(&cc)) return std::nullopt;
  return static_cast<int32_t>(cc.rgbResult & 0xFFFFFF);
}

std::optional<Text> Toolkit::AskFileName(platform::Window* owner, FileDialogKind kind,
                                         const FileDialogRequest& request) {
  // "description|mask|..." becomes the NUL-separated list the dialog takes.
  std::wstring filter = WideText(request.filter);
  for (wchar_t& c : filter)
    if (c == L'|') c = L'\0';
  filter.append(2, L'\0');
  const std::wstring extension = WideText(request.defaultExtension);
  std::wstring name = WideText(request.fileName);
  name.resize(std::max<size_t>(name.size() + 1, 32768), L'\0');

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = app_.get();
  if (auto* w = dynamic_cast<Window*>(owner); w && w->Handle()) ofn.hwndOwner = w->Handle();
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR | OFN_EXPLORER;
  const BOOL chosen = kind == FileDialogKind::Open
                          ? CommonDialog<decltype(&::GetOpenFileNameW)>("GetOpenFileNameW")(&ofn)
                          : CommonDialog<decltype(&::GetSaveFileNameW)>("GetSaveFileNameW")(&ofn);
  if (!chosen) return std::nullopt;
  name.resize(wcsnlen(name.c_str(), name.size()));
  auto path = NarrowExact(name);
  if (!path) throw Failure("ファイル名に扱えない文字 (対のないサロゲート) が含まれています");
  return *path;
}

bool Toolkit::Preview(const MSG& msg) {
  const bool key = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
  if (!key && msg.message != WM_CHAR) return false;
  Window* window = Window::From(::GetAncestor(msg.hwnd, GA_ROOT));
  if (!window) return false;
  // Only ASCII characters are looked at; others go straight to the control.
  if (!key && msg.wParam >= 0x80) return false;
  bool consumed = false;
  Guard([&] {
    consumed = key ? window->PreviewKey(static_cast<int>(msg.wParam))
                   : window->PreviewChar(static_cast<char>(msg.wParam));
  });
  return consumed;
}

// Tab and Shift+Tab move the keyboard among the controls of our windows
// that take it, unless the control keeps tabs for itself (a text editor).
// Only Tab: a dialog's handling of Enter and Escape would take those keys
// from the key preview and the controls that act on them.
bool Toolkit::Navigate(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
  if (::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0) return false;
  HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
  if (!Window::From(root)) return false;
  const LRESULT wants = ::SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
  if (wants & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) return false;
  HWND next = ::GetNextDlgTabItem(root, msg.hwnd, ::GetKeyState(VK_SHIFT) < 0);
  if (!next || next == msg.hwnd) return true;
  ::SetFocus(next);
  // As in dialogs: a text field reached by Tab has its text selected.
  if (::SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) ::SendMessageW(next, EM_SETSEL, 0, -1);
  return true;
}

void Toolkit::Run(platform::Window& main) {
  MSG msg;
  while (!main.Closed()) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {  // someone asked the thread to quit: pass it on
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    Deliver(msg);
  }
}

void Toolkit::Deliver(const MSG& msg) {
  if (Preview(msg) || Navigate(msg)) return;
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
}

void Toolkit::RunPendingEvents() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {  // for the main loop to see
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    // Keys reach only the key preview, and clicks in client areas go: a
    // list that took them would change behind the running command's back.
    // The frame, the menu bar, system keys (Alt+F4) and painting still work.
    if (msg.message >= WM_SYSKEYDOWN && msg.message <= WM_SYSDEADCHAR) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
      continue;
    }
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
      Preview(msg);
      continue;
    }
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) continue;
    Deliver(msg);
  }
}

platform::Point Toolkit::CursorPos() const {
  POINT p{};
  ::GetCursorPos(&p);
  return {p.x, p.y};
}

platform::Size Toolkit::ScreenSize() const { return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}; }

namespace {
// The display's own DPI where the system tells it (Windows 8.1 on, loaded
// so that the program starts before), else the standard 96.
int MonitorDpi(HMONITOR monitor) {
  using GetDpi = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const unique_hmodule library(::LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  const auto getDpi = library ? reinterpret_cast<GetDpi>(reinterpret_cast<void (*)()>(
                                    ::GetProcAddress(library.get(), "GetDpiForMonitor")))
                              : nullptr;
  constexpr int kEffectiveDpi = 0;
  UINT x = 0, y = 0;
  if (!getDpi || FAILED(getDpi(monitor, kEffectiveDpi, &x, &y)) || x == 0) return 96;
  return static_cast<int>(x);
}
}  // namespace

platform::DisplayArea Toolkit::DisplayFor(const platform::Rect& r) const {
  const auto end = [](int from, int length) {
    return static_cast<LONG>(std::clamp<int64_t>(int64_t{from} + length, INT32_MIN, INT32_MAX));
  };
  const RECT rect{r.left, r.top, end(r.left, r.width), end(r.top, r.height)};
  HMONITOR monitor = ::MonitorFromRect(&rect, MONITOR_DEFAULTTONULL);
  const bool overlaps = monitor != nullptr;
  if (!overlaps) monitor = ::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  ::GetMonitorInfoW(monitor, &info);
  const RECT& w = info.rcWork;
  return {{w.left, w.top, w.right - w.left, w.bottom - w.top}, overlaps, MonitorDpi(monitor)};
}

void Toolkit::Wake() const { ::PostMessageW(timerWindow_.get(), WM_NULL, 0, 0); }

HFONT Toolkit::FontFor(const Font& font, int dpi) {
  auto key = std::make_tuple(font.face, font.size, font.points, font.underline, font.bold, dpi);
  auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second.get();
  LOGFONTW lf{};
  // The character height in pixels, at 96 DPI or in points.
  lf.lfHeight = -::MulDiv(font.size, dpi, font.points ? 72 : 96);
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = font.underline;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const std::wstring face = WideText(font.face).substr(0, LF_FACESIZE - 1);
  face.copy(lf.lfFaceName, face.size());
  HFONT handle = ::CreateFontIndirectW(&lf);
  if (!handle) throw Failure("フォントを作成できません");
  return fonts_.emplace(key, unique_hfont(handle)).first->second.get();
}

UINT Toolkit::RegisterCommand(MenuItem* item) {
  // WM_COMMAND carries 16 bits; ids of freed items are used again.
  constexpr UINT kFirst = 100, kLast = 0xEFFF;
  for (UINT tries = 0; tries <= kLast - kFirst; ++tries) {
    const UINT id = nextCommand_;
    nextCommand_ = nextCommand_ >= kLast ? kFirst : nextCommand_ + 1;
    if (commands_.emplace(id, item).second) return id;
  }
  throw Failure("メニュー項目が多すぎます");
}

void Toolkit::Unregister(UINT id, HMENU menu) {
  if (id) commands_.erase(id);
  if (menu) menus_.erase(menu);
}

MenuItem* Toolkit::CommandItem(UINT id) const {
  auto found = commands_.find(id);
  return found == commands_.end() ? nullptr : found->second;
}

MenuItem* Toolkit::DropDown(HMENU menu) const {
  auto found = menus_.find(menu);
  return found == menus_.end() ? nullptr : found->second;
}

// ---- timers

UINT_PTR Toolkit::AddTimer(TimerImpl* timer) {
  const UINT_PTR id = nextTimer_++;
  timers_[id] = timer;
  return id;
}

void Toolkit::RemoveTimer(UINT_PTR id) {
  ::KillTimer(timerWindow_.get(), id);
  timers_.erase(id);
}

LRESULT CALLBACK Toolkit::TimerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (msg == WM_TIMER) {
    auto* self = reinterpret_cast<Toolkit*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self) {
      auto found = self->timers_.find(wp);
      if (found != self->timers_.end()) Guard([&] { found->second->Tick(); });
    }
    return 0;
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

namespace {
// SetTimer raises anything below its minimum to the shortest period.
UINT TimerPeriod(int ms) { return static_cast<UINT>(ms < 1 ? 1 : ms); }
}  // namespace

TimerImpl::TimerImpl(Toolkit& toolkit, int intervalMs, std::function<void()> onTimer)
    : toolkit_(toolkit),
      interval_(TimerPeriod(intervalMs)),
      onTimer_(std::move(onTimer)),
      id_(toolkit.AddTimer(this)) {
  SetEnabled(true);
}

TimerImpl::~TimerImpl() { toolkit_.RemoveTimer(id_); }

void TimerImpl::SetInterval(int ms) {
  interval_ = TimerPeriod(ms);
  // Setting an existing timer again replaces its period.
  if (enabled_) ::SetTimer(toolkit_.TimerWindow(), id_, interval_, nullptr);
}

void TimerImpl::SetEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  if (on)
    ::SetTimer(toolkit_.TimerWindow(), id_, interval_, nullptr);
  else
    ::KillTimer(toolkit_.TimerWindow(), id_);
}

}  // namespace platform::win32
