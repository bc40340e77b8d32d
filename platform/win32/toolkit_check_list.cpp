// An owner-drawn LISTBOX with a check box at the left of every item. The
// checked states live here; the control holds the strings for its own
// keyboard search.
#include <windowsx.h>

#include <algorithm>

#include "platform/win32/text_convert.h"
#include "platform/win32/toolkit_controls.h"

namespace platform::win32 {

namespace {

constexpr int kBox = 13;      // the system's check box
constexpr int kBoxLeft = 2;   // from the item's left edge
constexpr int kTextGap = 4;   // between the box and the text

RECT BoxIn(const RECT& item) {
  const int top = item.top + (item.bottom - item.top - kBox) / 2;
  return {item.left + kBoxLeft, top, item.left + kBoxLeft + kBox, top + kBox};
}

}  // namespace

CheckList::CheckList(Window& window, Control* parent) : ControlImpl(window, parent) {
  Create(WS_EX_CLIENTEDGE, L"LISTBOX",
         WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS | LBS_OWNERDRAWFIXED);
  Finish();
  FitItemHeight();
}


void CheckList::Clear() {
  items_.clear();
  checked_.clear();
  ::SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
}

void CheckList::Add(const Text& item) {
  ::SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideText(item).c_str()));
  items_.push_back(item);
  checked_.push_back(false);
}

Text CheckList::Item(int index) const {
  CheckItemIndex(index, Count());
  return items_[index];
}

int CheckList::ItemIndex() const { return static_cast<int>(::SendMessageW(Handle(), LB_GETCURSEL, 0, 0)); }

void CheckList::SetItemIndex(int index) {
  if (index != -1) CheckItemIndex(index, Count());
  ::SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool CheckList::Checked(int index) const {
  CheckItemIndex(index, Count());
  return checked_[index];
}

void CheckList::SetChecked(int index, bool on) {
  CheckItemIndex(index, Count());
  checked_[index] = on;
  RECT r{};
  if (::SendMessageW(Handle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)) != LB_ERR)
    ::InvalidateRect(Handle(), &r, FALSE);
}

void CheckList::Toggle(int index) {
  SetChecked(index, !checked_[index]);
  if (onClickCheck) onClickCheck(index);
}

RECT CheckList::CheckRect(int index) const {
  CheckItemIndex(index, Count());
  RECT r{};
  ::SendMessageW(Handle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  return BoxIn(r);
}

// An owner-drawn list keeps the item height it had when it was created;
// it follows the font here, and never gets lower than the box.
void CheckList::FitItemHeight() {
  HDC dc = ::GetDC(Handle());
  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(Handle(), WM_GETFONT, 0, 0));
  HGDIOBJ old = ::SelectObject(dc, font ? font : ::GetStockObject(SYSTEM_FONT));
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  ::SelectObject(dc, old);
  ::ReleaseDC(Handle(), dc);
  const int height = std::max<int>(metrics.tmHeight + 2, kBox + 4);
  ::SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, height);
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

void CheckList::SetFont(const Font& font) {
  ControlImpl::SetFont(font);
  FitItemHeight();
}

void CheckList::OnCommand(UINT code) {
  if (code == LBN_SELCHANGE && onClick) onClick();
}

// The box stays on the window's colour; only the text shows the selection.
bool CheckList::OnDrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT text = item.rcItem;
  const RECT box = BoxIn(item.rcItem);
  text.left = box.right + kTextGap - 2;
  const int index = static_cast<int>(item.itemID);
  if (index < 0 || index >= Count()) {  // an empty list with the focus
    if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &item.rcItem);
    return true;
  }
  if (item.itemAction == ODA_FOCUS) {
    ::DrawFocusRect(dc, &text);
    return true;
  }
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const bool enabled = ::IsWindowEnabled(Handle()) != FALSE;
  RECT left = item.rcItem;
  left.right = text.left;
  ::FillRect(dc, &left, ::GetSysColorBrush(COLOR_WINDOW));
  ::FillRect(dc, &text, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  RECT frame = box;
  ::DrawFrameControl(dc, &frame, DFC_BUTTON,
                     DFCS_BUTTONCHECK | (checked_[index] ? DFCS_CHECKED : 0) | (enabled ? 0 : DFCS_INACTIVE));

  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(Handle(), WM_GETFONT, 0, 0));
  HGDIOBJ old = font ? ::SelectObject(dc, font) : nullptr;
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(!enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const std::wstring wide = WideText(items_[index]);
  RECT inner = text;
  inner.left += 2;
  ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &inner,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (old) ::SelectObject(dc, old);
  if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &text);
  return true;
}

LRESULT CheckList::OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // A press on a box toggles it; the list then takes the click as any
      // other, selecting the item.
      const POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      const LRESULT hit = ::SendMessageW(Handle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(at.x, at.y));
      const int index = LOWORD(hit);
      if (!HIWORD(hit) && index < Count()) {
        RECT box = CheckRect(index);
        ::InflateRect(&box, 2, 2);
        if (::PtInRect(&box, at)) Toggle(index);
      }
      break;
    }
    case WM_KEYDOWN:
      if (wp == VK_SPACE) {
        const LRESULT result = ControlImpl::OnMessage(msg, wp, lp, handled);
        const int index = ItemIndex();
        if (index >= 0 && index < Count()) Toggle(index);
        handled = true;
        return result;
      }
      break;
    case WM_CHAR:
      // The list's own search would jump to an item starting with a space.
      if (wp == L' ') {
        handled = true;
        return 0;
      }
      break;
  }
  return ControlImpl::OnMessage(msg, wp, lp, handled);
}

}  // namespace platform::win32
