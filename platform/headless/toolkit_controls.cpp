// Labels, check boxes, check lists and drop-down lists.
#include <stdexcept>
#include <string>

#include "platform/headless/toolkit.h"

namespace headless {

namespace {
void CheckIndex(int index, int count) {
  if (index < 0 || index >= count) throw std::out_of_range("list index " + std::to_string(index));
}
}  // namespace

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

void CheckList::Check(int index) const { CheckIndex(index, Count()); }

void CheckList::Clear() {
  items_.clear();
  checked_.clear();
  index_ = -1;
}

void CheckList::Add(const Text& item) {
  items_.push_back(item);
  checked_.push_back(false);
}

Text CheckList::Item(int index) const {
  Check(index);
  return items_[index];
}

void CheckList::SetItemIndex(int index) {
  if (index != -1) Check(index);
  index_ = index;
}

bool CheckList::Checked(int index) const {
  Check(index);
  return checked_[index];
}

void CheckList::SetChecked(int index, bool on) {
  Check(index);
  checked_[index] = on;
}

void CheckList::UserClick(int index) {
  CheckReachable(*this, "check list");
  Check(index);
  SetFocus();
  index_ = index;
  if (onClick) onClick();
}

void CheckList::UserClickCheck(int index) {
  CheckReachable(*this, "check list");
  Check(index);
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

void DropDownList::Check(int index) const { CheckIndex(index, Count()); }

void DropDownList::Clear() {
  items_.clear();
  index_ = -1;
}

void DropDownList::Add(const Text& item) { items_.push_back(item); }

Text DropDownList::Item(int index) const {
  Check(index);
  return items_[index];
}

void DropDownList::SetItemIndex(int index) {
  if (index != -1) Check(index);
  index_ = index;
}

void DropDownList::UserChoose(int index) {
  CheckReachable(*this, "drop-down list");
  Check(index);
  SetFocus();
  if (index == index_) return;
  index_ = index;
  if (onChange) onChange();
}

}  // namespace headless
