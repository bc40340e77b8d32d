// Panels, text boxes, buttons and splitters.
#include "platform/win32/toolkit_controls.h"

#include <imm.h>
#include <richedit.h>
#include <windowsx.h>

#include <algorithm>

#include "platform/failure.h"
#include "platform/win32/clipboard.h"
#include "platform/win32/text_convert.h"

namespace platform::win32 {

const wchar_t* RegisterPlainClass(const wchar_t* name, const wchar_t* cursor) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (::GetClassInfoExW(::GetModuleHandleW(nullptr), name, &wc)) return name;
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = ::LoadCursorW(nullptr, cursor);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name;
  ::RegisterClassExW(&wc);
  return name;
}

namespace {

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

// ---- Panel

Panel::Panel(Window& window, Control* parent) : ControlImpl(window, parent) {
  Create(WS_EX_CONTROLPARENT, RegisterPlainClass(L"MirufoPanel", IDC_ARROW), WS_CLIPCHILDREN);
  Finish();
}

void Panel::SetColor(int32_t color) {
  color_ = color;
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

void Panel::SetTakesKeyboard(bool on) {
  const auto style = ::GetWindowLongPtrW(Handle(), GWL_STYLE);
  ::SetWindowLongPtrW(Handle(), GWL_STYLE, on ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  // Tab looks into a control parent instead of stopping at it.
  const auto ex = ::GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
  ::SetWindowLongPtrW(Handle(), GWL_EXSTYLE, on ? ex & ~WS_EX_CONTROLPARENT : ex | WS_EX_CONTROLPARENT);
}

void Panel::SetCaption(const Text& caption) {
  caption_ = caption;
  ::SetWindowTextW(Handle(), WideText(caption).c_str());
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT Panel::OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
  switch (msg) {
    case WM_ERASEBKGND: {  // in the panel's colour, also behind its controls
      RECT r{};
      ::GetClientRect(Handle(), &r);
      unique_hbrush fill(::CreateSolidBrush(ToColorRef(color_)));
      ::FillRect(reinterpret_cast<HDC>(wp), &r, fill.get());
      handled = true;
      return 1;
    }
    case WM_PAINT:
      Paint();
      handled = true;
      return 0;
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wp);
      if (LOWORD(lp)) ::InvalidateRect(Handle(), nullptr, TRUE);
      handled = true;
      return 0;
    case WM_GETFONT:
      handled = true;
      return reinterpret_cast<LRESULT>(font_);
    case WM_SIZE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      ::InvalidateRect(Handle(), nullptr, TRUE);
      break;
  }
  if (click_.Click(msg, onClick)) return 0;
  if (msg == WM_LBUTTONDBLCLK) {
    if (onDblClick) onDblClick();
    return 0;
  }
  return ControlImpl::OnMessage(msg, wp, lp, handled);
}

void Panel::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(Handle(), &ps);
  RECT r{};
  ::GetClientRect(Handle(), &r);
  // A panel that holds no controls is a text panel: sunken, with its caption.
  if (!::GetWindow(Handle(), GW_CHILD)) {
    unique_hbrush fill(::CreateSolidBrush(ToColorRef(color_)));
    ::FillRect(dc, &r, fill.get());
    ::DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    if (!caption_.empty()) {
      const std::wstring text = WideText(caption_);
      HGDIOBJ old = ::SelectObject(dc, font_ ? font_ : ::GetStockObject(DEFAULT_GUI_FONT));
      ::SetBkMode(dc, TRANSPARENT);
      ::SetTextColor(dc, ::GetSysColor(IsWindowEnabled(Handle()) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
      ::InflateRect(&r, -2, 0);
      ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
      ::SelectObject(dc, old);
    }
    if (::GetFocus() == Handle()) {
      ::InflateRect(&r, 1, -1);
      ::DrawFocusRect(dc, &r);
    }
  }
  ::EndPaint(Handle(), &ps);
}

// ---- EntryBox

EntryBox::EntryBox(Window& window, Control* parent) : ControlImpl(window, parent) {
  Create(WS_EX_CLIENTEDGE, L"EDIT", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL);
  Finish();
}

void EntryBox::SetText(const Text& text) { ::SetWindowTextW(Handle(), WideText(text).c_str()); }

void EntryBox::SetPlaceholder(const Text& text) {
  ::SendMessageW(Handle(), EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(WideText(text).c_str()));
}

Text EntryBox::GetText() const { return Narrow(WindowText(Handle())); }

void EntryBox::SetBackground(int32_t color) {
  background_ = color;
  brush_.reset(colour::IsSystem(color) ? nullptr : ::CreateSolidBrush(ToColorRef(color)));
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

void EntryBox::SelectAll() { ::SendMessageW(Handle(), EM_SETSEL, 0, -1); }

// Read-only boxes keep the system's grey, whatever background is set.
HBRUSH EntryBox::OnCtlColor(HDC dc) {
  if (ReadOnly()) {
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    return ::GetSysColorBrush(COLOR_BTNFACE);
  }
  ::SetBkColor(dc, ToColorRef(background_));
  return brush_ ? brush_.get() : ::GetSysColorBrush(background_ & 0xFF);
}

void EntryBox::SetReadOnly(bool on) {
  ::SendMessageW(Handle(), EM_SETREADONLY, on, 0);
  // Tab passes over a box that cannot be changed.
  LONG_PTR style = ::GetWindowLongPtrW(Handle(), GWL_STYLE);
  style = on ? style & ~static_cast<LONG_PTR>(WS_TABSTOP) : style | WS_TABSTOP;
  ::SetWindowLongPtrW(Handle(), GWL_STYLE, style);
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

bool EntryBox::ReadOnly() const { return (::GetWindowLongPtrW(Handle(), GWL_STYLE) & ES_READONLY) != 0; }

void EntryBox::OnCommand(UINT code) {
  if (code == EN_SETFOCUS && imeOff_) {
    if (HIMC context = ::ImmGetContext(Handle())) {
      ::ImmSetOpenStatus(context, FALSE);
      ::ImmReleaseContext(Handle(), context);
    }
  }
  if (code == EN_KILLFOCUS && onExit) onExit();
  if (code == EN_CHANGE && onChange) onChange();
}

// ---- EditBox

namespace {

constexpr UINT_PTR kSliceTimer = 0x4D46;
// A slice's time in ms, well within what a user notices as a pause.
constexpr ULONGLONG kSliceTime = 30;

}  // namespace

EditBox::EditBox(Window& window, Control* parent) : ControlImpl(window, parent) {
  Create(WS_EX_CLIENTEDGE, MSFTEDIT_CLASS,
         WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOHSCROLL | ES_AUTOVSCROLL |
             ES_NOHIDESEL);
  Prepare();
  Finish();
}

void EditBox::Prepare() {
  ::SendMessageW(Handle(), EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO | TM_MULTICODEPAGE, 0);
  ::SendMessageW(Handle(), EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  ::SendMessageW(Handle(), EM_SETTARGETDEVICE, 0, 1);  // no word wrap
  if (hasBackground_) ::SendMessageW(Handle(), EM_SETBKGNDCOLOR, 0, background_);
}

void EditBox::Empty() {
  ::KillTimer(Handle(), kSliceTimer);
  coming_.clear();
  taken_ = 0;
  GETTEXTLENGTHEX size{GTL_NUMCHARS, 1200};
  if (::SendMessageW(Handle(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&size), 0) <= 0) return;
  // Under Wine the rich edit empties itself line by line, each line joined
  // in time that grows with the text (34 s for 20,000 lines), while a new
  // control costs next to nothing.
  Recreate();
  if (!Hint().empty()) SetHint(Hint());
}

void EditBox::SetText(const Text& text) {
  Empty();
  coming_ = WideText(text);
  TakeSlice();
}

void EditBox::TakeSlice() {
  ::KillTimer(Handle(), kSliceTimer);
  // A slice ends after a line break: the rich edit reads CR CR LF as one.
  size_t end = taken_ + slice_;
  const size_t lineEnd = end < coming_.size() ? coming_.find(L'\n', end) : std::wstring::npos;
  end = lineEnd == std::wstring::npos ? coming_.size() : lineEnd + 1;
  const std::wstring part = coming_.substr(taken_, end - taken_);
  const ULONGLONG started = ::GetTickCount64();
  if (taken_ == 0) {
    SETTEXTEX how{ST_DEFAULT, 1200};
    ::SendMessageW(Handle(), EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(part.c_str()));
  } else {
    // At the end of the text, the user's selection and view left alone.
    CHARRANGE kept{};
    POINT view{};
    ::SendMessageW(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&kept));
    ::SendMessageW(Handle(), EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&view));
    GETTEXTLENGTHEX size{GTL_NUMCHARS, 1200};
    const auto length = static_cast<LONG>(::SendMessageW(Handle(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&size), 0));
    CHARRANGE atEnd{length, length};
    ::SendMessageW(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&atEnd));
    SETTEXTEX how{ST_SELECTION, 1200};
    ::SendMessageW(Handle(), EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(part.c_str()));
    ::SendMessageW(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&kept));
    ::SendMessageW(Handle(), EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&view));
  }
  // Only a whole slice tells how long one takes.
  if (end - taken_ >= slice_) {
    const ULONGLONG took = ::GetTickCount64() - started;
    if (took < kSliceTime / 2) slice_ = std::min<size_t>(slice_ * 2, 1 << 20);
    if (took > kSliceTime * 2) slice_ = std::max<size_t>(slice_ / 2, 1 << 10);
  }
  taken_ = end;
  if (taken_ < coming_.size()) {
    // A timer's tick comes when no other message waits.
    ::SetTimer(Handle(), kSliceTimer, USER_TIMER_MINIMUM, nullptr);
  } else {
    coming_ = {};
    taken_ = 0;
  }
}

Text EditBox::GetText() const {
  GETTEXTLENGTHEX size{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, 1200};
  const LRESULT n = ::SendMessageW(Handle(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&size), 0);
  std::wstring text(static_cast<size_t>(std::max<LRESULT>(n, 0)) + 1, L'\0');
  GETTEXTEX how{};
  how.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  how.flags = GT_USECRLF;
  how.codepage = 1200;
  const LRESULT got = n <= 0 ? 0
                             : ::SendMessageW(Handle(), EM_GETTEXTEX, reinterpret_cast<WPARAM>(&how),
                                              reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(got < 0 ? 0 : got));
  text.append(coming_, taken_);
  return Narrow(text);
}

// Some rich edit versions empty the clipboard on a copy of nothing.
bool EditBox::HasSelection() const {
  CHARRANGE range{};
  ::SendMessageW(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range.cpMin != range.cpMax;
}

void EditBox::Cut() {
  if (HasSelection()) ::SendMessageW(Handle(), WM_CUT, 0, 0);
}

void EditBox::Copy() {
  if (HasSelection()) ::SendMessageW(Handle(), WM_COPY, 0, 0);
}

// Plain text replacing the selection, undoable; a rich edit's own paste may
// replace the whole text in plain-text mode.
void EditBox::Paste() {
  if (const auto text = ClipboardWideText(); text && !text->empty())
    ::SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text->c_str()));
}

// The keyboard's paste (Ctrl+V, Shift+Insert) and WM_PASTE take the same
// way as the paste command.
LRESULT EditBox::OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
  // Tab types a tab, and reaching the box by keyboard keeps its selection:
  // a key typed then must not replace the whole text. The control is not
  // told of the message: with it, it would act as a dialog's field and
  // give Tab and Enter away.
  if (msg == WM_GETDLGCODE) {
    handled = true;
    return (Default(msg, wp, 0) | DLGC_WANTTAB) & ~static_cast<LRESULT>(DLGC_HASSETSEL);
  }
  if (msg == WM_TIMER && wp == kSliceTimer) {
    TakeSlice();
    handled = true;
    return 0;
  }
  const bool ctrl = ::GetKeyState(VK_CONTROL) < 0, shift = ::GetKeyState(VK_SHIFT) < 0;
  const bool pasteKey = msg == WM_KEYDOWN && ((wp == 'V' && ctrl && !shift) || (wp == VK_INSERT && shift && !ctrl));
  if (pasteKey || msg == WM_PASTE) {
    Paste();
    handled = true;
    return 0;
  }
  // The character that Ctrl+V leaves behind must not reach the control.
  if (msg == WM_CHAR && wp == 0x16) {
    handled = true;
    return 0;
  }
  return ControlImpl::OnMessage(msg, wp, lp, handled);
}

void EditBox::SetBackground(int32_t color) {
  const auto bits = static_cast<uint32_t>(color);
  // 0xFF0000nn names system colour nn.
  background_ = (bits & 0xFF000000u) ? ::GetSysColor(static_cast<int>(bits & 0xFF)) : bits;
  hasBackground_ = true;
  ::SendMessageW(Handle(), EM_SETBKGNDCOLOR, 0, background_);
}

// ---- Button

Button::Button(Window& window, Control* parent, int picture) : ControlImpl(window, parent), picture_(picture) {
  Create(0, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | (picture ? BS_ICON : 0));
  ShowPicture();
  Finish();
}

void Button::ShowPicture() {
  if (!picture_ || !Owner()) return;
  unique_hicon icon = LoadPictureIcon(picture_, Owner()->Scale(16));
  ::SendMessageW(Handle(), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon.get()));
  icon_ = std::move(icon);  // the button no longer shows the old one
}

void Button::Rescale() {
  ControlImpl::Rescale();
  ShowPicture();
}

void Button::SetCaption(const Text& caption) { ::SetWindowTextW(Handle(), WideText(caption).c_str()); }

void Button::OnCommand(UINT code) {
  if (code == BN_CLICKED && onClick) onClick();
}

// ---- Splitter

Splitter::Splitter(Window& window, Control* parent) : ControlImpl(window, parent) {
  Create(0, RegisterPlainClass(L"MirufoSplitter", IDC_SIZENS), 0);
}

LRESULT Splitter::OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
  auto screenY = [&] {
    POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    ::ClientToScreen(Handle(), &p);
    return static_cast<int>(p.y);
  };
  switch (msg) {
    case WM_LBUTTONDOWN:
      ::SetCapture(Handle());
      dragging_ = true;
      lastY_ = screenY();
      handled = true;
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_) {
        const int y = screenY();
        if (y != lastY_) {
          const int dy = y - lastY_;
          lastY_ = y;
          if (onDrag) onDrag(Owner() ? Owner()->Unscale(dy) : dy);
        }
        handled = true;
        return 0;
      }
      break;
    case WM_LBUTTONUP:
      if (dragging_) ::ReleaseCapture();
      dragging_ = false;
      handled = true;
      return 0;
    case WM_CAPTURECHANGED:
      dragging_ = false;
      break;
  }
  return ControlImpl::OnMessage(msg, wp, lp, handled);
}

}  // namespace platform::win32
