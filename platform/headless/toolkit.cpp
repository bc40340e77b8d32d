#include "platform/headless/toolkit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <stdexcept>

#include "platform/failure.h"
#include "platform/headless/clipboard.h"
#include "platform/utf8.h"

namespace headless {

Unexpected::Unexpected(Text w) : what(std::move(w)) { std::fprintf(stderr, "headless: %s\n", what.c_str()); }

// ---- menus

MenuItem::MenuItem(Text caption, std::function<void()> onClick, bool separator)
    : caption_(std::move(caption)), onClick_(std::move(onClick)), separator_(separator) {}

platform::MenuItem& MenuItem::Add(const Text& caption, std::function<void()> onClick) {
  items_.push_back(std::make_unique<MenuItem>(caption, std::move(onClick)));
  return *items_.back();
}

void MenuItem::AddSeparator() { items_.push_back(std::make_unique<MenuItem>("-", nullptr, true)); }

MenuItem& MenuItem::Find(const Text& caption) {
  for (auto& item : items_)
    if (!item->separator_ && item->caption_ == caption) return *item;
  throw Unexpected("no menu item " + caption + " under " + caption_);
}

void MenuItem::UserOpen() {
  if (!enabled_ || !visible_) throw Unexpected("menu " + caption_ + " is not available");
  if (onOpen) onOpen();
}

void MenuItem::UserChoose() {
  if (!enabled_ || !visible_) throw Unexpected("menu item " + caption_ + " is not available");
  if (onClick_) onClick_();
}

PopupMenu::~PopupMenu() {
  if (toolkit_.LastPopup() == this) toolkit_.NotePopup(nullptr);
}

void PopupMenu::Popup(platform::Point) {
  toolkit_.NotePopup(this);
  const Text choice = toolkit_.TakePopupChoice();
  if (!choice.empty()) root_.Find(choice).UserChoose();
}

// ---- controls

void CheckReachable(const platform::Control& control, const char* what) {
  for (const platform::Control* c = &control; c; c = dynamic_cast<const Child&>(*c).Parent())
    if (!c->Visible() || !c->Enabled()) throw Unexpected(std::string(what) + " " + control.Name() + " is out of the user's reach");
}

void Panel::UserClick() {
  CheckReachable(*this, "panel");
  if (onClick) onClick();
}

void Panel::UserDoubleClick() {
  UserClick();
  if (onDblClick) onDblClick();
}

template <class Base>
ControlImpl<Base>::~ControlImpl() {
  window_.Forget(this);
}

template <class Base>
void ControlImpl<Base>::SetFocus() {
  window_.SetFocused(this);
}

template <class Base>
bool ControlImpl<Base>::HasFocus() const {
  return window_.Focused() == this;
}

// The kinds whose members are defined in toolkit_controls.cpp.
template class ControlImpl<platform::Label>;
template class ControlImpl<platform::CheckBox>;
template class ControlImpl<platform::ChordBox>;
template class ControlImpl<platform::CheckList>;
template class ControlImpl<platform::DropDownList>;
template class ControlImpl<platform::TabPages>;


void ListBox::Clear() {
  Changed();
  items_.clear();
  selected_.clear();
  caret_ = -1;
}

void ListBox::Add(const Text& item) {
  Changed();
  items_.push_back(item);
  selected_.push_back(false);
}

void ListBox::AddAll(std::vector<Text> items) {
  Changed();
  if (items_.empty()) {
    items_ = std::move(items);
  } else {
    items_.reserve(items_.size() + items.size());
    std::move(items.begin(), items.end(), std::back_inserter(items_));
  }
  selected_.resize(items_.size(), false);
}

void ListBox::SetItem(int index, const Text& item) {
  platform::CheckItemIndex(index, Count());
  Changed();
  items_[index] = item;
}

void ListBox::Delete(int index) {
  platform::CheckItemIndex(index, Count());
  Changed();
  items_.erase(items_.begin() + index);
  selected_.erase(selected_.begin() + index);
  if (caret_ > index || caret_ == Count()) --caret_;
}

Text ListBox::Item(int index) const {
  platform::CheckItemIndex(index, Count());
  return items_[index];
}

int ListBox::ItemIndex() const {
  if (style_ == platform::ListStyle::Multiple) return CaretIndex();
  auto it = std::find(selected_.begin(), selected_.end(), true);
  return it == selected_.end() ? -1 : static_cast<int>(it - selected_.begin());
}

void ListBox::SetItemIndex(int index) {
  if (index != -1) platform::CheckItemIndex(index, Count());
  Changed();
  std::fill(selected_.begin(), selected_.end(), false);
  if (index >= 0) selected_[index] = true;
  caret_ = index;
}

void ListBox::SetCaretIndex(int index) {
  platform::CheckItemIndex(index, Count());
  Changed();
  caret_ = index;
}

bool ListBox::Selected(int index) const {
  platform::CheckItemIndex(index, Count());
  return selected_[index];
}

void ListBox::SetSelected(int index, bool on) {
  platform::CheckItemIndex(index, Count());
  Changed();
  selected_[index] = on;
}

int ListBox::FindExact(const Text& text) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (utf8::EqualsIgnoreCase(items_[i], text)) return static_cast<int>(i);
  return -1;
}

void ListBox::EndUpdate() {
  if (updates_ == 0) throw Unexpected("EndUpdate without BeginUpdate");
  if (--updates_ == 0) ++redraws_;
}

void ListBox::UserClick(int index, bool ctrl) {
  CheckReachable(*this, "list");
  platform::CheckItemIndex(index, Count());
  SetFocus();
  if (style_ == platform::ListStyle::Multiple && ctrl) {
    Changed();
    selected_[index] = !selected_[index];
    caret_ = index;
  } else {
    SetItemIndex(index);
  }
  if (onClick) onClick();
}

void ListBox::UserDoubleClick(int index) {
  UserClick(index);
  if (onDblClick) onDblClick();
}

void ListBox::UserArrow(int delta) {
  CheckReachable(*this, "list");
  if (items_.empty()) return;
  const int from = CaretIndex();
  const int to = std::clamp(from + delta, 0, Count() - 1);
  SetFocus();
  SetItemIndex(to);
  if (onClick) onClick();
}

void EntryBox::ReceiveChar(char c) {
  ControlImpl::ReceiveChar(c);
  if (readOnly_) return;
  if (allSelected_ && (c == '\b' || static_cast<unsigned char>(c) >= 0x20)) text_.clear();
  allSelected_ = false;
  const Text before = text_;
  if (c == '\b') {
    if (!text_.empty()) text_.pop_back();
  } else if (static_cast<unsigned char>(c) >= 0x20) {
    text_ += c;
  }
  if (text_ != before && onChange) onChange();
}

void EntryBox::UserInput(const Text& text) {
  CheckReachable(*this, "entry box");
  if (readOnly_) return;
  if (allSelected_) text_.clear();
  allSelected_ = false;
  text_ += text;
  if (onChange) onChange();
}

void EditBox::ReceiveChar(char c) {
  ControlImpl::ReceiveChar(c);
  ReplaceSelection(c == '\r' ? Text("\r\n") : Text(1, c));
}

void EditBox::UserSelect(size_t start, size_t length) {
  if (start > text_.size() || length > text_.size() - start) throw Unexpected("selection beyond the text");
  start_ = start;
  length_ = length;
}

void EditBox::ReplaceSelection(const Text& with) {
  text_.replace(start_, length_, with);
  start_ += with.size();
  length_ = 0;
}

void EditBox::Copy() {
  if (length_ > 0) window_.Owner().SystemClipboard().SetText(text_.substr(start_, length_));
}

void EditBox::Cut() {
  if (length_ > 0 && window_.Owner().SystemClipboard().SetText(text_.substr(start_, length_))) ReplaceSelection("");
}

void EditBox::Paste() {
  platform::Clipboard& clipboard = window_.Owner().SystemClipboard();
  if (!clipboard.HasText()) return;
  ReplaceSelection(clipboard.GetText());
}

platform::Clipboard& Toolkit::SystemClipboard() const {
  if (!clipboard_) throw Unexpected("no clipboard shared with the toolkit");
  return *clipboard_;
}

void Button::UserClick() {
  CheckReachable(*this, "button");
  SetFocus();  // a pushed button takes the keyboard, so a field is left first
  if (onClick) onClick();
}

void Splitter::UserDrag(int dy) {
  CheckReachable(*this, "splitter");
  if (onDrag) onDrag(dy);
}

StatusBar::StatusBar(Window& window, platform::Control* parent, std::vector<int> widths, std::vector<bool> right)
    : ControlImpl(window, parent), widths_(std::move(widths)), right_(std::move(right)), texts_(widths_.size()) {
  right_.resize(widths_.size(), false);
}

void StatusBar::SetPanelText(int panel, const Text& t) { texts_.at(panel) = t; }
Text StatusBar::PanelText(int panel) const { return texts_.at(panel); }

void StatusBar::UserDoubleClick() {
  CheckReachable(*this, "status bar");
  if (onClick) onClick();
  if (onDblClick) onDblClick();
}

// ---- window

void Window::SetBounds(const platform::Rect& r) {
  bounds_ = r;
  if (onResize) onResize();
}

namespace {
// The frame around the client area: borders, caption and a one-line menu
// bar, as Windows draws them at 96 DPI.
platform::Size FrameSize(const platform::WindowOptions& o) {
  constexpr int kCaption = 23, kMenu = 19;
  const int border = o.frame == platform::Frame::Sizeable ? 8 : o.frame == platform::Frame::Fixed ? 3 : 0;
  const int caption = o.frame == platform::Frame::None ? 0 : kCaption;
  return {2 * border, 2 * border + caption + (o.menuBar ? kMenu : 0)};
}
}  // namespace

Window::Window(Toolkit& toolkit, const platform::WindowOptions& options)
    : toolkit_(toolkit), options_(options), caption_(options.caption), onTop_(options.stayOnTop),
      owner_(options.owner ? &As<Window>(*options.owner) : nullptr), menu_("") {
  platform::Size size = options.size;
  if (options.clientSize) {
    const platform::Size frame = FrameSize(options);
    size = {size.width + frame.width, size.height + frame.height};
  }
  const platform::Size screen = toolkit.ScreenSize();
  bounds_ = {options.centred ? (screen.width - size.width) / 2 : 0, options.centred ? (screen.height - size.height) / 2 : 0,
             size.width, size.height};
}

platform::Size Window::ClientSize() const {
  const platform::Size frame = FrameSize(options_);
  return {std::max(0, bounds_.width - frame.width), std::max(0, bounds_.height - frame.height)};
}

void Window::UserDropFiles(const std::vector<platform::DroppedPath>& paths) {
  if (!options_.acceptsFiles) throw Unexpected("files dropped on a window that takes none");
  if (onDropFiles) onDropFiles(paths);
}

void Window::SetMessageHandler(const Text& name, MessageHandler handler) {
  if (handler)
    registered_[utf8::UpperAscii(name)] = std::move(handler);
  else
    registered_.erase(utf8::UpperAscii(name));
}

std::intptr_t Window::SendRegistered(const Text& name, std::uintptr_t wParam, std::intptr_t lParam) {
  const auto it = registered_.find(utf8::UpperAscii(name));
  if (it == registered_.end() || closed_) return 0;
  return it->second(wParam, lParam);
}

bool Window::HandlesMessage(const Text& name) const { return registered_.count(utf8::UpperAscii(name)) != 0; }

Window::~Window() { toolkit_.ReleaseHotKey(*this); }

void Window::Close() {
  if (closed_) return;
  if (onClose && !onClose()) return;
  closed_ = true;
  toolkit_.ReleaseHotKey(*this);
}

bool Window::SetHotKey(const platform::Chord& chord) {
  toolkit_.ReleaseHotKey(*this);
  hotKey_ = {};
  if (chord.Empty()) return true;
  if (closed_) throw Unexpected("a hotkey for a closed window");
  if (!toolkit_.TakeHotKey(*this, chord)) return false;
  hotKey_ = chord;
  return true;
}

template <class T, class... Args>
std::unique_ptr<T> Window::Make(platform::Control* parent, Args&&... args) {
  auto control = std::make_unique<T>(*this, parent, std::forward<Args>(args)...);
  control->SetFont(font_);
  controls_.push_back(control.get());
  return control;
}

std::unique_ptr<platform::Panel> Window::NewPanel(platform::Control* parent) { return Make<Panel>(parent); }
std::unique_ptr<platform::ListBox> Window::NewListBox(platform::Control* parent, platform::ListStyle style) {
  return Make<ListBox>(parent, style);
}
std::unique_ptr<platform::EntryBox> Window::NewEntryBox(platform::Control* parent) { return Make<EntryBox>(parent); }
std::unique_ptr<platform::EditBox> Window::NewEditBox(platform::Control* parent) { return Make<EditBox>(parent); }
std::unique_ptr<platform::Button> Window::NewButton(platform::Control* parent, int picture) {
  return Make<Button>(parent, picture);
}
std::unique_ptr<platform::Splitter> Window::NewSplitter(platform::Control* parent) { return Make<Splitter>(parent); }
std::unique_ptr<platform::StatusBar> Window::NewStatusBar(const std::vector<int>& widths,
                                                           const std::vector<bool>& right) {
  return Make<StatusBar>(nullptr, widths, right);
}

std::unique_ptr<platform::Picture> Window::NewPicture(platform::Control* parent, int bitmap) {
  return Make<Picture>(parent, bitmap);
}
std::unique_ptr<platform::Label> Window::NewLabel(platform::Control* parent) { return Make<Label>(parent); }
std::unique_ptr<platform::CheckBox> Window::NewCheckBox(platform::Control* parent) { return Make<CheckBox>(parent); }
std::unique_ptr<platform::ChordBox> Window::NewChordBox(platform::Control* parent) { return Make<ChordBox>(parent); }
std::unique_ptr<platform::CheckList> Window::NewCheckList(platform::Control* parent) { return Make<CheckList>(parent); }
std::unique_ptr<platform::DropDownList> Window::NewDropDownList(platform::Control* parent) {
  return Make<DropDownList>(parent);
}
std::unique_ptr<platform::TabPages> Window::NewTabPages(platform::Control* parent) { return Make<TabPages>(parent); }

std::unique_ptr<platform::PopupMenu> Window::NewPopupMenu() { return std::make_unique<PopupMenu>(toolkit_); }

void Window::SetFocused(platform::Control* c) {
  platform::Control* left = focused_;
  focused_ = c;
  // As the system does, the box hears of it when the focus is already gone.
  if (left != c)
    if (auto* entry = dynamic_cast<EntryBox*>(left); entry && entry->onExit) entry->onExit();
}

void Window::Forget(platform::Control* c) {
  if (focused_ == c) focused_ = nullptr;
  std::erase(controls_, c);
}

namespace {
// Each control kind receives characters through its own override.
void Deliver(platform::Control* c, char ch) {
  if (auto* e = dynamic_cast<EntryBox*>(c)) return e->ReceiveChar(ch);
  if (auto* e = dynamic_cast<EditBox*>(c)) return e->ReceiveChar(ch);
  if (auto* l = dynamic_cast<ListBox*>(c)) return l->ReceiveChar(ch);
  if (auto* b = dynamic_cast<Button*>(c)) return b->ReceiveChar(ch);
}
}  // namespace

void Window::UserKey(int key, int modifiers) {
  if (closed_) throw Unexpected("key pressed on a closed window");
  struct Held {
    int& now;
    ~Held() { now = 0; }
  } held{modifiers_ = modifiers};
  if (onKeyDown && onKeyDown(key)) return;
  if (closed_) return;
  if (focused_ && focused_->onKeyDown) focused_->onKeyDown(key);
  if (auto* box = dynamic_cast<ChordBox*>(focused_); box && !closed_) box->Press(key, modifiers);
  if (key == platform::key::kSpace && !closed_) {
    if (auto* box = dynamic_cast<CheckBox*>(focused_)) box->Toggle();
    if (auto* list = dynamic_cast<CheckList*>(focused_)) list->UserSpace();
  }
  if (key == platform::key::kEnter && !closed_) UserChar('\r');
}

void Window::UserChar(char c) {
  if (onKeyPress && onKeyPress(c)) return;
  if (focused_) Deliver(focused_, c);
}

// ---- toolkit

bool Toolkit::HoldHotKeyElsewhere(const platform::Chord& chord) {
  return hotKeys_.emplace(std::pair{chord.modifiers, chord.key}, nullptr).second;
}

void Toolkit::PressHotKey(const platform::Chord& chord) {
  const auto it = hotKeys_.find({chord.modifiers, chord.key});
  if (it == hotKeys_.end()) throw Unexpected("the hotkey " + platform::ChordText(chord) + " pressed, which nobody holds");
  if (Window* holder = it->second; holder && holder->onHotKey) holder->onHotKey();
}

bool Toolkit::TakeHotKey(Window& window, const platform::Chord& chord) {
  return hotKeys_.emplace(std::pair{chord.modifiers, chord.key}, &window).second;
}

void Toolkit::ReleaseHotKey(const Window& window) {
  std::erase_if(hotKeys_, [&](const auto& held) { return held.second == &window; });
}

Timer::~Timer() { toolkit_.Forget(this); }

std::unique_ptr<platform::Window> Toolkit::NewWindow(const platform::WindowOptions& options) {
  return std::make_unique<Window>(*this, options);
}

std::function<void(Window&)> Toolkit::TakeDialogScript() {
  if (dialogs_.empty()) throw Unexpected("a modal dialog opened that the test did not expect");
  auto actions = std::move(dialogs_.front());
  dialogs_.pop_front();
  return actions;
}

void Window::ShowModal() {
  visible_ = true;
  toolkit_.TakeDialogScript()(*this);
  if (!closed_) throw Unexpected("the dialog was left open");
}

std::unique_ptr<platform::Timer> Toolkit::NewTimer(int intervalMs, std::function<void()> onTimer) {
  auto t = std::make_unique<Timer>(*this, intervalMs, std::move(onTimer));
  timers_.push_back(t.get());
  return t;
}

void Toolkit::Forget(Timer* t) { std::erase(timers_, t); }

void Toolkit::TickTimers() {
  for (Timer* t : std::vector<Timer*>(timers_)) t->Tick();
}

platform::Answer Toolkit::MessageBox(platform::Window*, const Text& text, const Text& caption, platform::Icon icon,
                                     platform::Buttons buttons) {
  messages_.push_back({text, caption, icon, buttons});
  if (!answers_.empty()) {
    const platform::Answer a = answers_.front();
    answers_.pop_front();
    return a;
  }
  if (buttons == platform::Buttons::Ok) return platform::Answer::Ok;
  if (buttons == platform::Buttons::Yes) return platform::Answer::Yes;
  throw Unexpected("unexpected question: " + text);
}

std::optional<int32_t> Toolkit::PickColor(platform::Window*, int32_t initial) {
  if (colors_.empty()) throw Unexpected("a colour chooser opened that the test did not expect");
  lastOffered_ = initial;
  auto c = colors_.front();
  colors_.pop_front();
  return c;
}

std::optional<Text> Toolkit::AskFileName(platform::Window*, platform::FileDialogKind kind,
                                         const platform::FileDialogRequest& request) {
  if (fileNames_.empty()) throw Unexpected("a file dialog opened that the test did not expect");
  fileDialogs_.push_back({kind, request});
  auto path = fileNames_.front();
  fileNames_.pop_front();
  return path;
}

Text Toolkit::TakePopupChoice() {
  if (popupChoices_.empty()) throw Unexpected("a popup menu opened that the test did not expect");
  Text c = popupChoices_.front();
  popupChoices_.pop_front();
  return c;
}

platform::DisplayArea Toolkit::DisplayFor(const platform::Rect& r) const {
  if (displays_.empty()) throw Unexpected("no display to ask about");
  // Edges as the system takes them: clipped to the range of coordinates.
  const auto end = [](int from, int length) { return std::clamp<int64_t>(int64_t{from} + length, INT32_MIN, INT32_MAX); };
  const int64_t right = end(r.left, r.width), bottom = end(r.top, r.height);
  // The gap between two spans along one axis, or their overlap as a
  // negative number.
  const auto gap = [](int64_t from1, int64_t to1, int64_t from2, int64_t to2) {
    return std::max(from1, from2) - std::min(to1, to2);
  };
  const Display* best = nullptr;
  int64_t mostShared = 0;
  double nearest = INFINITY;
  for (const Display& d : displays_) {
    const platform::Rect& a = d.area;
    const int64_t dx = gap(r.left, right, a.left, end(a.left, a.width));
    const int64_t dy = gap(r.top, bottom, a.top, end(a.top, a.height));
    if (dx < 0 && dy < 0 && dx * dy > mostShared) {
      mostShared = dx * dy;
      best = &d;
    }
    const double distance = std::hypot(static_cast<double>(std::max<int64_t>(dx, 0)), static_cast<double>(std::max<int64_t>(dy, 0)));
    if (mostShared == 0 && distance < nearest) {
      nearest = distance;
      best = &d;
    }
  }
  return {best->workArea, mostShared > 0, best->dpi};
}

void Toolkit::RunPendingEvents() {
  ++pendingRuns_;
  if (pending_.empty()) return;
  const auto actions = std::move(pending_.front());
  pending_.pop_front();
  actions();
}

void Toolkit::Run(platform::Window& main) {
  if (!main.Closed()) throw Unexpected("headless Run needs a closed window; drive the window from the test");
}

}  // namespace headless
