// The field that records key combinations.
#include "platform/win32/toolkit_controls.h"

#include <imm.h>

#include "platform/win32/text_convert.h"

namespace platform::win32 {

// Read-only, the EDIT itself takes no typing, paste or cut, and Tab passes
// over it as over any field; its caret and selection still show.
ChordBox::ChordBox(Window& window, Control* parent) : ControlImpl(window, parent) {
  Create(WS_EX_CLIENTEDGE, L"EDIT", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL | ES_READONLY);
  // Without an input context no composition window opens over it.
  ::ImmAssociateContext(Handle(), nullptr);
  Finish();
}

void ChordBox::SetChord(const Chord& chord) {
  chord_ = chord;
  const std::wstring text = WideText(ChordText(chord));
  ::SetWindowTextW(Handle(), text.c_str());
  ::SendMessageW(Handle(), EM_SETSEL, text.size(), text.size());
}

// A read-only EDIT asks for a static's colours, the button face; this one
// is drawn as a field the user fills in.
HBRUSH ChordBox::OnCtlColor(HDC dc) {
  if (!::IsWindowEnabled(Handle())) return nullptr;
  ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
  ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
  return ::GetSysColorBrush(COLOR_WINDOW);
}

LRESULT ChordBox::OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
  switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      ControlImpl::OnMessage(msg, wp, lp, handled);  // the control's onKeyDown
      handled = true;
      const auto captured = CapturedChord(static_cast<int>(wp), HeldModifiers());
      if (!captured || *captured == chord_) return 0;
      SetChord(*captured);
      if (onChange) onChange();
      return 0;
    }
    // Not even the system's: Alt alone or with a letter would open the
    // window's menu, F10 too.
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
      handled = true;
      return 0;
  }
  return ControlImpl::OnMessage(msg, wp, lp, handled);
}

}  // namespace platform::win32
