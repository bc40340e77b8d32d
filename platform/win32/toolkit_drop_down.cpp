// COMBOBOX with CBS_DROPDOWNLIST, keeping every item's bytes.
#include <algorithm>

#include "platform/win32/text_convert.h"
#include "platform/win32/toolkit_controls.h"

namespace platform::win32 {

namespace {
constexpr int kDroppedItems = 8;
}  // namespace

DropDownList::DropDownList(Window& window, Control* parent) : ControlImpl(window, parent) {
  Create(0, L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST);
  Finish();
  // Version 6 controls size the open list by this count.
  ::SendMessageW(Handle(), CB_SETMINVISIBLE, kDroppedItems, 0);
}


void DropDownList::Clear() {
  items_.clear();
  shown_ = -1;
  ::SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
}

void DropDownList::Add(const Text& item) {
  ::SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideText(item).c_str()));
  items_.push_back(item);
}

Text DropDownList::Item(int index) const {
  CheckItemIndex(index, Count());
  return items_[index];
}

int DropDownList::ItemIndex() const { return static_cast<int>(::SendMessageW(Handle(), CB_GETCURSEL, 0, 0)); }

void DropDownList::SetItemIndex(int index) {
  if (index != -1) CheckItemIndex(index, Count());
  ::SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  shown_ = index;
}

// The window's height is the closed box's and the open list's together;
// the control keeps the closed part and remembers the rest.
void DropDownList::SetBounds(const Rect& r) {
  const int item = std::max(1, static_cast<int>(::SendMessageW(Handle(), CB_GETITEMHEIGHT, 0, 0)));
  Place(r, kDroppedItems * item + 2);
}

// The control also reports a pick of the item already shown.
void DropDownList::OnCommand(UINT code) {
  if (code != CBN_SELCHANGE) return;
  const int now = ItemIndex();
  if (now == shown_) return;
  shown_ = now;
  if (onChange) onChange();
}

}  // namespace platform::win32
