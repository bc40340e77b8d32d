// Menus kept as a tree beside the HMENUs: a hidden item leaves its menu and
// comes back at its place, so that the tree always knows every item.
#include "platform/failure.h"
#include "platform/win32/text_convert.h"
#include "platform/win32/toolkit_controls.h"

namespace platform::win32 {

MenuItem::MenuItem(Toolkit& toolkit, bool bar)
    : toolkit_(toolkit), parent_(nullptr), menu_(bar ? ::CreateMenu() : ::CreatePopupMenu()) {
  if (!menu_) throw Failure("メニューを作成できません");
  toolkit_.RegisterMenu(menu_, this);
}

MenuItem::MenuItem(Toolkit& toolkit, MenuItem* parent, Text caption, std::function<void()> onClick, bool separator)
    : toolkit_(toolkit), parent_(parent), caption_(std::move(caption)), onClick_(std::move(onClick)), separator_(separator) {
  id_ = toolkit_.RegisterCommand(this);
}

MenuItem::~MenuItem() {
  if (!parent_) DestroyHandles();
}

void MenuItem::DestroyHandles() {
  // Last child first, so that the positions of the others stay valid.
  for (auto it = items_.rbegin(); it != items_.rend(); ++it) (*it)->DestroyHandles();
  toolkit_.Unregister(id_, menu_);
  id_ = 0;
  if (!menu_) return;
  if (parent_ && visible_ && parent_->menu_) ::RemoveMenu(parent_->menu_, Position(), MF_BYPOSITION);
  ::DestroyMenu(menu_);
  menu_ = nullptr;
}

MenuItem* MenuItem::Root() {
  MenuItem* at = this;
  while (at->parent_) at = at->parent_;
  return at;
}

int MenuItem::Position() const {
  int position = 0;
  for (const auto& sibling : parent_->items_) {
    if (sibling.get() == this) break;
    if (sibling->visible_) ++position;
  }
  return position;
}

void MenuItem::EnsureSubMenu() {
  if (menu_) return;
  menu_ = ::CreatePopupMenu();
  if (!menu_) throw Failure("メニューを作成できません");
  toolkit_.RegisterMenu(menu_, this);
  if (parent_ && visible_) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_SUBMENU;
    info.hSubMenu = menu_;
    ::SetMenuItemInfoW(parent_->menu_, Position(), TRUE, &info);
  }
}

platform::MenuItem& MenuItem::Add(const Text& caption, std::function<void()> onClick) {
  EnsureSubMenu();
  items_.push_back(std::unique_ptr<MenuItem>(new MenuItem(toolkit_, this, caption, std::move(onClick), false)));
  items_.back()->Attach();
  MenuItem* root = Root();
  if (root->barWindow_ && ::GetMenu(root->barWindow_) != root->menu_) ::SetMenu(root->barWindow_, root->menu_);
  items_.back()->Redraw();
  return *items_.back();
}

void MenuItem::AddSeparator() {
  EnsureSubMenu();
  items_.push_back(std::unique_ptr<MenuItem>(new MenuItem(toolkit_, this, "-", nullptr, true)));
  items_.back()->Attach();
}

void MenuItem::Attach() {
  std::wstring text = WideText(caption_);
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE;
  info.wID = id_;
  if (separator_) {
    info.fType = MFT_SEPARATOR;
  } else {
    info.fMask |= MIIM_STRING | MIIM_SUBMENU;
    info.fType = MFT_STRING;
    info.dwTypeData = text.data();
    info.hSubMenu = menu_;
    info.fState = (enabled_ ? MFS_ENABLED : MFS_GRAYED) | (checked_ ? MFS_CHECKED : MFS_UNCHECKED);
  }
  ::InsertMenuItemW(parent_->menu_, Position(), TRUE, &info);
}

void MenuItem::Refresh() {
  if (!parent_ || !visible_) return;
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE;
  info.fState = (enabled_ ? MFS_ENABLED : MFS_GRAYED) | (checked_ ? MFS_CHECKED : MFS_UNCHECKED);
  ::SetMenuItemInfoW(parent_->menu_, Position(), TRUE, &info);
  Redraw();
}

void MenuItem::Redraw() const {
  // Only the bar needs redrawing; drop-downs draw themselves when opened.
  if (parent_ && !parent_->parent_ && parent_->barWindow_) ::DrawMenuBar(parent_->barWindow_);
}

void MenuItem::SetEnabled(bool on) {
  enabled_ = on;
  Refresh();
}

void MenuItem::SetChecked(bool on) {
  checked_ = on;
  Refresh();
}

void MenuItem::SetVisible(bool on) {
  if (!parent_ || on == visible_) {
    visible_ = on;
    return;
  }
  if (on) {
    visible_ = true;
    Attach();
  } else {
    // RemoveMenu keeps the drop-down's HMENU: it comes back with the item.
    ::RemoveMenu(parent_->menu_, Position(), MF_BYPOSITION);
    visible_ = false;
  }
  Redraw();
}

void MenuItem::Choose() const {
  if (enabled_ && onClick_) onClick_();
}

void MenuItem::Opening() const {
  if (onOpen) onOpen();
}

// ---- popup menus

PopupMenu::PopupMenu(Window& window) : toolkit_(window.Owner()), owner_(window.Handle()), root_(window.Owner(), false) {}

void PopupMenu::Popup(Point screen) {
  HWND owner = ::IsWindow(owner_) ? owner_ : toolkit_.ApplicationWindow();
  // The owner must be in front, or the menu does not close when the user
  // clicks elsewhere.
  ::SetForegroundWindow(owner);
  const UINT id = static_cast<UINT>(::TrackPopupMenuEx(root_.Menu(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN,
                                                       screen.x, screen.y, owner, nullptr));
  ::PostMessageW(owner, WM_NULL, 0, 0);
  if (id == 0) return;
  if (MenuItem* item = toolkit_.CommandItem(id)) item->Choose();
}

}  // namespace platform::win32
