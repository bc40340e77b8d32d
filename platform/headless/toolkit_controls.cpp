// Labels, check boxes, check lists and drop-down lists.
#include <string>

#include "platform/headless/toolkit.h"

namespace headless {

// ---- Label

void Label::UserClick() {
  CheckReachable(*this, "label");
  if (onClick) onClick();
}

// ---- CheckBox

void CheckBox::UserClick() {
  CheckReachable(*this, "check box");
  SetFocus();
  Toggle();
}

void CheckBox::Toggle() {
  checked_ = !checked_;
  if (onClick) onClick();
}

// ---- CheckList

void CheckList::Clear() {
  ItemListImpl::Clear();
  checked_.clear();
}

void CheckList::Add(const Text& item) {
  ItemListImpl::Add(item);
  checked_.push_back(false);
}

bool CheckList::Checked(int index) const {
  platform::CheckItemIndex(index, Count());
  return checked_[index];
}

void CheckList::SetChecked(int index, bool on) {
  platform::CheckItemIndex(index, Count());
  checked_[index] = on;
}

void CheckList::UserClick(int index) {
  CheckReachable(*this, "check list");
  platform::CheckItemIndex(index, Count());
  SetFocus();
  index_ = index;
  if (onClick) onClick();
}

void CheckList::UserClickCheck(int index) {
  CheckReachable(*this, "check list");
  platform::CheckItemIndex(index, Count());
  SetFocus();
  checked_[index] = !checked_[index];
  if (onClickCheck) onClickCheck(index);
  index_ = index;
  if (onClick) onClick();
}

void CheckList::UserSpace() {
  CheckReachable(*this, "check list");
  if (index_ < 0) return;
  const int index = index_;
  checked_[index] = !checked_[index];
  if (onClickCheck) onClickCheck(index);
}

// ---- DropDownList

void DropDownList::UserChoose(int index) {
  CheckReachable(*this, "drop-down list");
  platform::CheckItemIndex(index, Count());
  SetFocus();
  if (index == index_) return;
  index_ = index;
  if (onChange) onChange();
}

}  // namespace headless
