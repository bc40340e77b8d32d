// LISTBOX with a copy of every item's bytes: the list is the working copy of
// a group file, and a control string cannot hold a NUL. The rows are drawn
// here (platform/win32/row_text.h), so that a face of any script shows.
#include <algorithm>
#include <stdexcept>

#include "platform/cp932.h"
#include "platform/utf8.h"
#include "platform/win32/row_text.h"
#include "platform/win32/text_convert.h"
#include "platform/win32/toolkit_controls.h"

namespace platform::win32 {

namespace {

constexpr UINT_PTR kFillTimer = 0x4D4C;
// Rows a list takes at once; more come from a timer, a step at a time, so a
// group of 200,000 faces shows its first page at once and the palette
// answers while the rest arrives (under Wine a row costs about 6 us).
constexpr size_t kRowsAtOnce = 2000;
constexpr size_t kRowsPerStep = 4000;

// A row as tall as the font's line: the height a plain list gives it.
int RowHeight(HWND list, HFONT font) {
  HDC dc = ::GetDC(list);
  HGDIOBJ old = ::SelectObject(dc, font ? font : ::GetStockObject(SYSTEM_FONT));
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  ::SelectObject(dc, old);
  ::ReleaseDC(list, dc);
  return std::max<int>(metrics.tmHeight, 1);
}

}  // namespace

ListBox::ListBox(Window& window, Control* parent, ListStyle style)
    : ControlImpl(window, parent), multiple_(style == ListStyle::Multiple) {
  Create(WS_EX_CLIENTEDGE, L"LISTBOX",
         WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS | (multiple_ ? LBS_EXTENDEDSEL : 0));
  Finish();
}

void ListBox::Clear() {
  ::KillTimer(Handle(), kFillTimer);
  // Emptied, an owner-drawn list hears of every row: past a screenful of
  // screenfuls it is cheaper made again as the system draws it. A short one
  // stays, as a list refilled at each keystroke would otherwise be made
  // twice for each.
  const bool many = shown_ > kRowsAtOnce;
  items_.clear();
  shown_ = 0;
  if (ownerDrawn_ && many)
    DrawRowsHere(false);
  else
    ::SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
}

void ListBox::DrawRowsHere(bool here) {
  if (here == ownerDrawn_) return;
  ownerDrawn_ = here;
  const int current = multiple_ ? -1 : ItemIndex(), caret = CaretIndex();
  const int top = static_cast<int>(::SendMessageW(Handle(), LB_GETTOPINDEX, 0, 0));
  std::vector<int> selected;
  if (multiple_) {
    selected.resize(static_cast<size_t>(std::max<LRESULT>(::SendMessageW(Handle(), LB_GETSELCOUNT, 0, 0), 0)));
    if (!selected.empty())
      ::SendMessageW(Handle(), LB_GETSELITEMS, selected.size(), reinterpret_cast<LPARAM>(selected.data()));
  }
  Recreate(here ? LBS_OWNERDRAWFIXED : 0, here ? 0 : LBS_OWNERDRAWFIXED);
  // The new control paints as it fills unless the pause is taken over.
  if (updates_ > 0) Redraw(false);
  if (here) {
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(Handle(), WM_GETFONT, 0, 0));
    ::SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, RowHeight(Handle(), font));
  }
  const size_t rows = shown_;
  shown_ = 0;
  ShowRows(rows);
  for (const int i : selected) ::SendMessageW(Handle(), LB_SETSEL, TRUE, i);
  if (current >= 0) ::SendMessageW(Handle(), LB_SETCURSEL, current, 0);
  if (caret >= 0 && rows > 0) ::SendMessageW(Handle(), LB_SETCARETINDEX, caret, FALSE);
  ::SendMessageW(Handle(), LB_SETTOPINDEX, top, 0);
  if (shown_ < items_.size()) ::SetTimer(Handle(), kFillTimer, USER_TIMER_MINIMUM, nullptr);
}

void ListBox::Add(const Text& item) {
  items_.push_back(item);
  if (shown_ == items_.size() - 1) ShowRows(items_.size());
}

void ListBox::AddAll(std::vector<Text> items) {
  // Rows beyond what is shown at once would each be heard of when emptied.
  if (ownerDrawn_ && items_.empty() && items.size() > kRowsAtOnce) DrawRowsHere(false);
  items_.reserve(items_.size() + items.size());
  for (Text& item : items) items_.push_back(std::move(item));
  if (shown_ + kRowsAtOnce >= items_.size()) {
    ShowRows(items_.size());
    return;
  }
  ShowRows(std::max(shown_, kRowsAtOnce));
  // A timer's tick comes when no other message waits.
  ::SetTimer(Handle(), kFillTimer, USER_TIMER_MINIMUM, nullptr);
}

void ListBox::ShowRows(size_t end) {
  end = std::min(end, items_.size());
  if (end <= shown_) return;
  if (!ownerDrawn_ && std::any_of(items_.begin() + shown_, items_.begin() + end, [](const Text& row) { return NeedsRowDrawing(row); })) {
    DrawRowsHere(true);
    if (end <= shown_) return;
  }
  size_t bytes = 0;
  for (size_t i = shown_; i < end; ++i) bytes += (items_[i].size() + 1) * sizeof(wchar_t);
  ::SendMessageW(Handle(), LB_INITSTORAGE, end - shown_, static_cast<LPARAM>(bytes));
  // Rows below the view change nothing to see but the scroll bar.
  const bool pause = end - shown_ > 1;
  if (pause) BeginUpdate();
  for (; shown_ < end; ++shown_)
    ::SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideText(items_[shown_]).c_str()));
  if (pause) EndUpdate();
  if (shown_ == items_.size()) ::KillTimer(Handle(), kFillTimer);
}

LRESULT ListBox::OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
  // Every font the list gets (its own, or again at a new DPI) sets the rows'
  // height; the control then keeps the font as usual.
  if (msg == WM_SETFONT && ownerDrawn_)
    ::SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, RowHeight(Handle(), reinterpret_cast<HFONT>(wp)));
  if (msg == WM_TIMER && wp == kFillTimer) {
    ShowRows(shown_ + kRowsPerStep);
    handled = true;
    return 0;
  }
  return ControlImpl::OnMessage(msg, wp, lp, handled);
}

void ListBox::SetItem(int index, const Text& item) {
  CheckItemIndex(index, Count());
  if (static_cast<size_t>(index) >= shown_) {
    items_[index] = item;  // the row takes it when it comes
    return;
  }
  if (!ownerDrawn_ && NeedsRowDrawing(item)) {
    items_[index] = item;  // a new control takes every row
    DrawRowsHere(true);
    return;
  }
  const bool selected = Selected(index);
  const int caret = CaretIndex();
  const int current = multiple_ ? -1 : ItemIndex();
  BeginUpdate();
  ::SendMessageW(Handle(), LB_DELETESTRING, index, 0);
  ::SendMessageW(Handle(), LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(WideText(item).c_str()));
  items_[index] = item;
  if (multiple_) {
    ::SendMessageW(Handle(), LB_SETSEL, selected, index);
    ::SendMessageW(Handle(), LB_SETCARETINDEX, caret, FALSE);
  } else if (current >= 0) {
    ::SendMessageW(Handle(), LB_SETCURSEL, current, 0);
  }
  EndUpdate();
}

void ListBox::Delete(int index) {
  CheckItemIndex(index, Count());
  if (static_cast<size_t>(index) < shown_) {
    ::SendMessageW(Handle(), LB_DELETESTRING, index, 0);
    --shown_;
  }
  items_.erase(items_.begin() + index);
  if (shown_ == items_.size()) ::KillTimer(Handle(), kFillTimer);
}

Text ListBox::Item(int index) const {
  CheckItemIndex(index, Count());
  return items_[index];
}

int ListBox::ItemIndex() const {
  if (multiple_) return CaretIndex();
  return static_cast<int>(::SendMessageW(Handle(), LB_GETCURSEL, 0, 0));
}

void ListBox::SetItemIndex(int index) {
  if (index != -1) CheckItemIndex(index, Count());
  if (index >= 0) ShowRows(index + 1);
  if (!multiple_) {
    ::SendMessageW(Handle(), LB_SETCURSEL, index, 0);
    return;
  }
  ::SendMessageW(Handle(), LB_SETSEL, FALSE, -1);
  if (index < 0) return;
  ::SendMessageW(Handle(), LB_SETSEL, TRUE, index);
  ::SendMessageW(Handle(), LB_SETANCHORINDEX, index, 0);
  ::SendMessageW(Handle(), LB_SETCARETINDEX, index, FALSE);
}

int ListBox::CaretIndex() const {
  if (items_.empty()) return -1;
  return static_cast<int>(::SendMessageW(Handle(), LB_GETCARETINDEX, 0, 0));
}

void ListBox::SetCaretIndex(int index) {
  CheckItemIndex(index, Count());
  ShowRows(index + 1);
  if (!multiple_) {
    ::SendMessageW(Handle(), LB_SETCARETINDEX, index, FALSE);
    return;
  }
  // The caret moves alone: whatever the control does with the selection on
  // the way, the selection is put back as it was.
  std::vector<int> selected(static_cast<size_t>(::SendMessageW(Handle(), LB_GETSELCOUNT, 0, 0)));
  if (!selected.empty())
    ::SendMessageW(Handle(), LB_GETSELITEMS, selected.size(), reinterpret_cast<LPARAM>(selected.data()));
  ::SendMessageW(Handle(), LB_SETCARETINDEX, index, FALSE);
  const bool moved = ::SendMessageW(Handle(), LB_GETSELCOUNT, 0, 0) != static_cast<LRESULT>(selected.size()) ||
                     (::SendMessageW(Handle(), LB_GETSEL, index, 0) > 0) !=
                         std::binary_search(selected.begin(), selected.end(), index);
  if (moved) {
    ::SendMessageW(Handle(), LB_SETSEL, FALSE, -1);
    for (int i : selected) ::SendMessageW(Handle(), LB_SETSEL, TRUE, i);
    ::SendMessageW(Handle(), LB_SETCARETINDEX, index, FALSE);
  }
}

bool ListBox::Selected(int index) const {
  CheckItemIndex(index, Count());
  if (static_cast<size_t>(index) >= shown_) return false;  // a row still to come was never chosen
  return ::SendMessageW(Handle(), LB_GETSEL, index, 0) > 0;
}

void ListBox::SetSelected(int index, bool selected) {
  CheckItemIndex(index, Count());
  ShowRows(index + 1);
  if (multiple_) {
    ::SendMessageW(Handle(), LB_SETSEL, selected, index);
  } else if (selected) {
    ::SendMessageW(Handle(), LB_SETCURSEL, index, 0);
  } else if (ItemIndex() == index) {
    ::SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  }
}

int ListBox::FindExact(const Text& text) const {
  // The control's own search sees only its rows: all of them come now.
  const_cast<ListBox*>(this)->ShowRows(items_.size());
  if (text.find('\0') != Text::npos) {
    for (size_t i = 0; i < items_.size(); ++i)
      if (utf8::EqualsIgnoreCase(items_[i], text)) return static_cast<int>(i);
    return -1;
  }
  // The control's own search, from the top (a start of -1); it wraps, so
  // stop when it comes round again.
  const std::wstring wide = WideText(text);
  int from = -1;
  for (;;) {
    const int found = static_cast<int>(
        ::SendMessageW(Handle(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(from), reinterpret_cast<LPARAM>(wide.c_str())));
    if (found < 0 || found <= from) return -1;
    // An item cut at a NUL shows only its start; it is not this text.
    if (static_cast<size_t>(found) < items_.size() && items_[found].find('\0') == Text::npos) return found;
    from = found;
  }
}

void ListBox::Redraw(bool on) {
  // WM_SETREDRAW TRUE may show a hidden window; keep its own visibility.
  const bool visible = Visible();
  ::SendMessageW(Handle(), WM_SETREDRAW, on, 0);
  if (on) {
    if (!visible && Visible()) ::ShowWindow(Handle(), SW_HIDE);
    ::InvalidateRect(Handle(), nullptr, TRUE);
  }
}

void ListBox::BeginUpdate() {
  if (updates_++ == 0) Redraw(false);
}

void ListBox::EndUpdate() {
  if (updates_ == 0) return;
  if (--updates_ == 0) Redraw(true);
}

void ListBox::SetFont(const Font& font) {
  textColor_ = font.color;
  ControlImpl::SetFont(font);
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

HBRUSH ListBox::OnCtlColor(HDC dc) {
  ::SetTextColor(dc, ToColorRef(textColor_));
  ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
  return ::GetSysColorBrush(COLOR_WINDOW);
}

bool ListBox::OnDrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT row = item.rcItem;
  const int index = static_cast<int>(item.itemID);
  if (index < 0 || static_cast<size_t>(index) >= items_.size() || item.itemAction == ODA_FOCUS) {
    if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &row);
    return true;
  }
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const bool enabled = ::IsWindowEnabled(Handle()) != FALSE;
  ::FillRect(dc, &row, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(Handle(), WM_GETFONT, 0, 0));
  HGDIOBJ old = font ? ::SelectObject(dc, font) : nullptr;
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, !enabled ? ::GetSysColor(COLOR_GRAYTEXT)
                              : selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : ToColorRef(textColor_));
  // As the user sees and pastes the face: a stray byte of a Shift-JIS file
  // is the replacement character.
  const std::wstring text = WideText(cp932::Shown(items_[index]));
  DrawRowText(dc, row, row.left + 1, text);
  if (old) ::SelectObject(dc, old);
  if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &row);
  return true;
}

void ListBox::OnCommand(UINT code) {
  // The control notifies only what the user did: LB_SETCURSEL, LB_SETSEL and
  // LB_SETCARETINDEX send nothing.
  if (code == LBN_SELCHANGE && onClick) onClick();
  if (code == LBN_DBLCLK && onDblClick) onDblClick();
}

}  // namespace platform::win32
