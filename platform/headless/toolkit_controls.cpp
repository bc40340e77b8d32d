// Labels, pictures, check boxes, chord boxes, check lists, drop-down lists and
// tabbed pages.
#include <algorithm>
#include <string>

#include "platform/headless/toolkit.h"

namespace headless {

// ---- Label

platform::Font Label::DrawnFont() const {
  platform::Font shown = CurrentFont();
  shown.underline = shown.underline || link_;
  return shown;
}

void Label::UserClick() {
  CheckReachable(*this, "label");
  if (onClick) onClick();
}

// ---- Picture

void Picture::UserClick() {
  CheckReachable(*this, "picture");
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

// ---- ChordBox

void ChordBox::Press(int key, int modifiers) {
  CheckReachable(*this, "chord box");
  const auto captured = platform::CapturedChord(key, modifiers);
  if (!captured || *captured == chord_) return;
  chord_ = *captured;
  if (onChange) onChange();
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

// ---- TabPages

std::unique_ptr<platform::Panel> TabPages::AddPage(const Text& caption) {
  auto page = window_.NewPanel(this);
  pages_.push_back(page.get());
  captions_.push_back(caption);
  if (index_ < 0) index_ = 0;
  SetBounds(Bounds());
  ShowPages();
  return page;
}

void TabPages::SetPageIndex(int index) {
  platform::CheckItemIndex(index, PageCount());
  index_ = index;
  ShowPages();
}

void TabPages::SetBounds(const platform::Rect& r) {
  ControlImpl::SetBounds(r);
  constexpr int kTabs = 21, kBorder = 2;
  for (platform::Panel* page : pages_)
    page->SetBounds({kBorder, kTabs + kBorder, std::max(0, r.width - 2 * kBorder), std::max(0, r.height - kTabs - 2 * kBorder)});
}

void TabPages::UserChoose(int index) {
  CheckReachable(*this, "tabs");
  platform::CheckItemIndex(index, PageCount());
  SetFocus();
  if (index == index_) return;
  SetPageIndex(index);
  if (onChange) onChange();
}

void TabPages::ShowPages() {
  for (int i = 0; i < PageCount(); ++i) pages_[i]->SetVisible(i == index_);
}

}  // namespace headless
