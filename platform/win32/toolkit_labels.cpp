// Static labels and check boxes.
#include "platform/win32/text_convert.h"
#include "platform/win32/toolkit_controls.h"

namespace platform::win32 {

// ---- Label

// No prefix: the message loop has no dialog navigation for mnemonics to
// serve, and an '&' in a face must show as it is.
Label::Label(Window& window, Control* parent) : ControlImpl(window, parent) {
  Create(0, L"STATIC", SS_LEFT | SS_NOTIFY | SS_NOPREFIX);
  font_ = window.CurrentFont();
  ApplyLook();
}

void Label::SetCaption(const Text& caption) {
  caption_ = caption;
  ::SetWindowTextW(Handle(), WideText(caption).c_str());
  Repaint();
}

void Label::SetTransparent(bool on) {
  transparent_ = on;
  Repaint();
}

void Label::SetLinkLook(bool on) {
  link_ = on;
  ApplyLook();
}

void Label::SetColor(int32_t color) {
  color_ = color;
  Repaint();
}

void Label::SetFont(const Font& font) {
  font_ = font;
  KeepFont(font);
  ApplyLook();
}

// The font, underlined for the link look; without a font of the window's,
// the system's dialog font.
void Label::ApplyLook() {
  HFONT handle = nullptr;
  if (!font_.face.empty() && font_.size > 0 && Owner()) {
    Font shown = font_;
    shown.underline = shown.underline || link_;
    handle = Owner()->Owner().FontFor(shown, Owner()->Dpi());
  } else if (link_) {
    if (!linkFont_) {
      LOGFONTW lf{};
      ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
      lf.lfUnderline = TRUE;
      linkFont_.reset(::CreateFontIndirectW(&lf));
    }
    handle = linkFont_.get();
  } else {
    handle = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  }
  ::SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(handle), FALSE);
  Repaint();
}

// The control paints a new text at once without erasing; a transparent one
// would leave the old text showing through.
void Label::Repaint() { ::InvalidateRect(Handle(), nullptr, TRUE); }

HBRUSH Label::OnCtlColor(HDC dc) {
  ::SetTextColor(dc, ToColorRef(link_ ? colour::kBlue : color_));
  if (transparent_) {
    ::SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
  }
  ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
  return ::GetSysColorBrush(COLOR_BTNFACE);
}

void Label::OnCommand(UINT code) {
  // The second press of a double click is STN_DBLCLK: a link opens once.
  if (code == STN_CLICKED && onClick) onClick();
}

LRESULT Label::OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
  switch (msg) {
    case WM_ERASEBKGND:
      if (transparent_) {
        // The parent erases the area, in its own coordinates.
        HDC dc = reinterpret_cast<HDC>(wp);
        POINT origin{0, 0};
        ::MapWindowPoints(Handle(), parent_, &origin, 1);
        POINT old{};
        ::OffsetWindowOrgEx(dc, origin.x, origin.y, &old);
        ::SendMessageW(parent_, WM_ERASEBKGND, wp, 0);
        ::SetWindowOrgEx(dc, old.x, old.y, nullptr);
        handled = true;
        return 1;
      }
      break;
    case WM_SETCURSOR:
      if (link_ && LOWORD(lp) == HTCLIENT) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        handled = true;
        return TRUE;
      }
      break;
  }
  return ControlImpl::OnMessage(msg, wp, lp, handled);
}

// ---- CheckBox

CheckBox::CheckBox(Window& window, Control* parent) : ControlImpl(window, parent) {
  Create(0, L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX);
  Finish();
}

void CheckBox::SetCaption(const Text& caption) {
  caption_ = caption;
  ::SetWindowTextW(Handle(), WideText(caption).c_str());
}

void CheckBox::SetChecked(bool on) { ::SendMessageW(Handle(), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

bool CheckBox::Checked() const { return ::SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

// BM_SETCHECK notifies nothing: only the user's toggles arrive here.
void CheckBox::OnCommand(UINT code) {
  if (code == BN_CLICKED && onClick) onClick();
}

}  // namespace platform::win32
