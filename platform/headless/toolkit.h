// In-memory toolkit with the semantics of the Win32 one. Tests act as the
// user through the User* calls and answer modal windows from a script; every
// message box is recorded.
#pragma once
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/text.h"
#include "platform/toolkit.h"

namespace headless {


// A step the test did not script (a question nobody answers, a greyed item
// chosen). Not a std::exception, so the program's own error handling cannot
// swallow it: it ends the test.
struct Unexpected {
  explicit Unexpected(Text what);
  Text what;
};
class Window;

// The headless object behind an interface reference (tests only).
template <class T, class I>
T& As(I& control) {
  return dynamic_cast<T&>(control);
}

class MenuItem : public platform::MenuItem {
 public:
  explicit MenuItem(Text caption, std::function<void()> onClick = {}, bool separator = false);
  platform::MenuItem& Add(const Text& caption, std::function<void()> onClick) override;
  void AddSeparator() override;
  Text Caption() const override { return caption_; }
  void SetEnabled(bool on) override { enabled_ = on; }
  bool Enabled() const override { return enabled_; }
  void SetChecked(bool on) override { checked_ = on; }
  bool Checked() const override { return checked_; }
  void SetVisible(bool on) override { visible_ = on; }
  bool Visible() const override { return visible_; }

  bool IsSeparator() const { return separator_; }
  const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }
  // The child with this caption; fails loudly when there is none.
  MenuItem& Find(const Text& caption);
  // The user opens this drop-down (runs onOpen).
  void UserOpen();
  // The user chooses this item; fails loudly when it is greyed or hidden.
  void UserChoose();

 private:
  Text caption_;
  std::function<void()> onClick_;
  bool separator_;
  bool enabled_ = true, checked_ = false, visible_ = true;
  std::vector<std::unique_ptr<MenuItem>> items_;
};

class Toolkit;

// Where a control sits: the user reaches it only while it and every parent
// up to the client area are visible and enabled, as on Windows.
class Child {
 public:
  explicit Child(platform::Control* parent) : parent_(parent) {}
  virtual ~Child() = default;
  platform::Control* Parent() const { return parent_; }

 private:
  platform::Control* parent_;
};

// Fails loudly unless the user can reach the control.
void CheckReachable(const platform::Control& control, const char* what);

// State shared by all controls: bounds, visibility, focus, font, hint.
template <class Base>
class ControlImpl : public Base, public Child {
 public:
  ControlImpl(Window& window, platform::Control* parent) : Child(parent), window_(window) {}
  ~ControlImpl() override;
  void SetBounds(const platform::Rect& r) override { bounds_ = r; }
  platform::Rect Bounds() const override { return bounds_; }
  void SetVisible(bool on) override { visible_ = on; }
  bool Visible() const override { return visible_; }
  void SetEnabled(bool on) override { enabled_ = on; }
  bool Enabled() const override { return enabled_; }
  void SetFocus() override;
  bool HasFocus() const override;
  void SetFont(const platform::Font& f) override { font_ = f; }
  void SetHint(const Text& h) override { hint_ = h; }
  Text Hint() const override { return hint_; }
  void SetName(const Text& n) override { name_ = n; }
  Text Name() const override { return name_; }

  const platform::Font& CurrentFont() const { return font_; }
  // Characters that reached this control (the key preview let them through).
  const Text& ReceivedChars() const { return received_; }
  virtual void ReceiveChar(char c) { received_ += c; }

 protected:
  Window& window_;

 private:
  platform::Rect bounds_;
  bool visible_ = true, enabled_ = true;
  platform::Font font_;
  Text hint_, name_, received_;
};

class Panel : public ControlImpl<platform::Panel> {
 public:
  using ControlImpl::ControlImpl;
  void SetCaption(const Text& c) override { caption_ = c; }
  Text Caption() const override { return caption_; }
  void SetColor(int32_t c) override { color_ = c; }
  int32_t Color() const override { return color_; }
  void SetTakesKeyboard(bool on) override { takesKeyboard_ = on; }
  bool TakesKeyboard() const { return takesKeyboard_; }
  void UserClick();
  void UserDoubleClick();

 private:
  Text caption_;
  int32_t color_ = platform::colour::kButtonFace;
  bool takesKeyboard_ = false;
};

class ListBox : public ControlImpl<platform::ListBox> {
 public:
  ListBox(Window& window, platform::Control* parent, platform::ListStyle style)
      : ControlImpl(window, parent), style_(style) {}
  void Clear() override;
  void Add(const Text& item) override;
  void AddAll(std::vector<Text> items) override;
  int Count() const override { return static_cast<int>(items_.size()); }
  Text Item(int index) const override;
  void SetItem(int index, const Text& item) override;
  void Delete(int index) override;
  int ItemIndex() const override;
  void SetItemIndex(int index) override;
  // Like the real control: no caret in an empty list, else item 0 until moved.
  int CaretIndex() const override { return items_.empty() ? -1 : caret_ < 0 ? 0 : caret_; }
  void SetCaretIndex(int index) override;
  bool Selected(int index) const override;
  void SetSelected(int index, bool on) override;
  int FindExact(const Text& text) const override;
  void BeginUpdate() override { ++updates_; }
  void EndUpdate() override;

  // The user clicks an item: focus, caret and selection move there (with
  // ctrl in a multiple list the item's selection toggles), then onClick.
  void UserClick(int index, bool ctrl = false);
  void UserDoubleClick(int index);
  // The user moves the caret with an arrow key (selection follows).
  void UserArrow(int delta);
  int UpdateDepth() const { return updates_; }
  // How often the list is drawn again, as the real one is: after every change
  // while redrawing is on, and once when redrawing resumes; changes made
  // while it is suspended draw nothing.
  int Redraws() const { return redraws_; }
  const std::vector<Text>& Items() const { return items_; }

 private:
  void Changed() {
    if (updates_ == 0) ++redraws_;
  }
  platform::ListStyle style_;
  std::vector<Text> items_;
  std::vector<bool> selected_;
  int caret_ = -1;
  int updates_ = 0;
  int redraws_ = 0;
};

// Typing replaces a whole selection; a read-only box takes no typing.
class EntryBox : public ControlImpl<platform::EntryBox> {
 public:
  using ControlImpl::ControlImpl;
  void SetText(const Text& t) override {
    text_ = t;
    allSelected_ = false;
    if (onChange) onChange();
  }
  Text GetText() const override { return text_; }
  void SetBackground(int32_t color) override { background_ = color; }
  int32_t Background() const { return background_; }
  void SelectAll() override { allSelected_ = true; }
  // The input method (or a paste) puts text in at once, whatever its
  // characters: it replaces a whole selection.
  void UserInput(const Text& text);
  bool AllSelected() const { return allSelected_; }
  void SetReadOnly(bool on) override { readOnly_ = on; }
  bool ReadOnly() const override { return readOnly_; }
  void SetImeOff(bool on) override { imeOff_ = on; }
  bool ImeOff() const { return imeOff_; }
  void SetPlaceholder(const Text& text) override { placeholder_ = text; }
  const Text& Placeholder() const { return placeholder_; }
  void ReceiveChar(char c) override;

 private:
  Text text_;
  int32_t background_ = platform::colour::kWindow;
  bool allSelected_ = false, readOnly_ = false, imeOff_ = false;
  Text placeholder_;
};

// Typing replaces the selection; setting the text puts the caret at its end.
class EditBox : public ControlImpl<platform::EditBox> {
 public:
  using ControlImpl::ControlImpl;
  void SetText(const Text& t) override {
    text_ = t;
    start_ = text_.size();
    length_ = 0;
  }
  Text GetText() const override { return text_; }
  void SetBackground(int32_t color) override { background_ = color; }
  int32_t Background() const { return background_; }
  void Cut() override;
  void Copy() override;
  void Paste() override;
  void ReceiveChar(char c) override;

  // The user selects `length` bytes from byte `start`.
  void UserSelect(size_t start, size_t length);
  // The input method puts text in at once, replacing the selection.
  void UserInput(const Text& text) { ReplaceSelection(text); }

 private:
  void ReplaceSelection(const Text& with);
  Text text_;
  size_t start_ = 0, length_ = 0;
  int32_t background_ = 0xFFFFFF;
};

class Button : public ControlImpl<platform::Button> {
 public:
  Button(Window& window, platform::Control* parent, int picture) : ControlImpl(window, parent), picture_(picture) {}
  int Picture() const { return picture_; }
  void SetCaption(const Text& c) override { caption_ = c; }
  Text Caption() const { return caption_; }
  void UserClick();

 private:
  int picture_;
  Text caption_;
};

class Splitter : public ControlImpl<platform::Splitter> {
 public:
  using ControlImpl::ControlImpl;
  void UserDrag(int dy);
};

class StatusBar : public ControlImpl<platform::StatusBar> {
 public:
  StatusBar(Window& window, platform::Control* parent, std::vector<int> widths, std::vector<bool> right);
  void SetPanelText(int panel, const Text& t) override;
  Text PanelText(int panel) const override;
  const std::vector<int>& Widths() const { return widths_; }
  bool RightAligned(int panel) const { return right_.at(panel); }
  // As on Windows: the first press of a double click is a click.
  void UserDoubleClick();

 private:
  std::vector<int> widths_;
  std::vector<bool> right_;
  std::vector<Text> texts_;
};

class Label : public ControlImpl<platform::Label> {
 public:
  using ControlImpl::ControlImpl;
  void SetCaption(const Text& c) override { caption_ = c; }
  Text Caption() const override { return caption_; }
  void SetTransparent(bool on) override { transparent_ = on; }
  bool Transparent() const override { return transparent_; }
  void SetLinkLook(bool on) override { link_ = on; }
  bool LinkLook() const override { return link_; }
  void SetColor(int32_t c) override { color_ = c; }
  int32_t Color() const override { return color_; }
  // What the user sees: the link look draws blue and underlined, whatever
  // the colour and font say.
  int32_t DrawnColor() const { return link_ ? platform::colour::kBlue : color_; }
  platform::Font DrawnFont() const;
  void UserClick();

 private:
  Text caption_;
  bool transparent_ = false, link_ = false;
  int32_t color_ = platform::colour::kWindowText;
};

class Picture : public ControlImpl<platform::Picture> {
 public:
  Picture(Window& window, platform::Control* parent, int bitmap) : ControlImpl(window, parent), bitmap_(bitmap) {}
  int Bitmap() const { return bitmap_; }
  void UserClick();

 private:
  int bitmap_;
};

class CheckBox : public ControlImpl<platform::CheckBox> {
 public:
  using ControlImpl::ControlImpl;
  void SetCaption(const Text& c) override { caption_ = c; }
  Text Caption() const override { return caption_; }
  void SetChecked(bool on) override { checked_ = on; }
  bool Checked() const override { return checked_; }
  // A click (focus moves there) or the space key while it has the focus:
  // the box toggles, then onClick.
  void UserClick();
  void Toggle();

 private:
  Text caption_;
  bool checked_ = false;
};

// Keys pressed into it (Window::UserKey) record chords by the rules every
// backend shares; characters are dropped.
class ChordBox : public ControlImpl<platform::ChordBox> {
 public:
  using ControlImpl::ControlImpl;
  void SetChord(const platform::Chord& c) override { chord_ = c; }
  platform::Chord GetChord() const override { return chord_; }
  // What the field shows.
  Text ShownText() const { return platform::ChordText(chord_); }
  // A key reached the field with the focus.
  void Press(int key, int modifiers);

 private:
  platform::Chord chord_;
};

// The items and the current one of a list without multiple selection.
template <class Base>
class ItemListImpl : public ControlImpl<Base> {
 public:
  using ControlImpl<Base>::ControlImpl;
  void Clear() override {
    items_.clear();
    index_ = -1;
  }
  void Add(const Text& item) override { items_.push_back(item); }
  int Count() const override { return static_cast<int>(items_.size()); }
  Text Item(int index) const override {
    platform::CheckItemIndex(index, Count());
    return items_[index];
  }
  int ItemIndex() const override { return index_; }
  void SetItemIndex(int index) override {
    if (index != -1) platform::CheckItemIndex(index, Count());
    index_ = index;
  }

 protected:
  std::vector<Text> items_;
  int index_ = -1;
};

class CheckList : public ItemListImpl<platform::CheckList> {
 public:
  using ItemListImpl::ItemListImpl;
  void Clear() override;
  void Add(const Text& item) override;
  bool Checked(int index) const override;
  void SetChecked(int index, bool on) override;

  // A click on the item's text: focus and selection move there, then onClick.
  void UserClick(int index);
  // A click on the item's box: it toggles (onClickCheck), and as any click
  // in the list it selects the item (onClick).
  void UserClickCheck(int index);
  // The space key while the list has the focus: the selected item toggles.
  void UserSpace();

 private:
  std::vector<bool> checked_;
};

// Tabs 21 pixels high over pages that fill the rest inside a 2-pixel border.
class TabPages : public ControlImpl<platform::TabPages> {
 public:
  using ControlImpl::ControlImpl;
  std::unique_ptr<platform::Panel> AddPage(const Text& caption) override;
  int PageCount() const override { return static_cast<int>(pages_.size()); }
  int PageIndex() const override { return index_; }
  void SetPageIndex(int index) override;
  void SetBounds(const platform::Rect& r) override;
  Text TabCaption(int index) const { return captions_.at(index); }
  // The user clicks a tab; onChange when it is another.
  void UserChoose(int index);

 private:
  void ShowPages();
  std::vector<platform::Panel*> pages_;
  std::vector<Text> captions_;
  int index_ = -1;
};

class DropDownList : public ItemListImpl<platform::DropDownList> {
 public:
  using ItemListImpl::ItemListImpl;
  // The user picks an item from the open list; onChange when it is another.
  void UserChoose(int index);
};

class PopupMenu : public platform::PopupMenu {
 public:
  explicit PopupMenu(Toolkit& toolkit) : toolkit_(toolkit), root_("") {}
  ~PopupMenu() override;
  platform::MenuItem& Root() override { return root_; }
  MenuItem& Items() { return root_; }
  void Popup(platform::Point) override;

 private:
  Toolkit& toolkit_;
  MenuItem root_;
};

class Window : public platform::Window {
 public:
  Window(Toolkit& toolkit, const platform::WindowOptions& options);
  ~Window() override;
  // The window that owns this one; nullptr for a main window.
  Window* OwnerWindow() const { return owner_; }
  const platform::WindowOptions& Options() const { return options_; }
  // The user drops files on the window; fails loudly where it takes none.
  void UserDropFiles(const std::vector<platform::DroppedPath>& paths);
  void SetCaption(const Text& c) override { caption_ = c; }
  Text Caption() const override { return caption_; }
  void SetBounds(const platform::Rect& r) override;
  platform::Rect Bounds() const override { return bounds_; }
  platform::Size ClientSize() const override;
  int Dpi() const override { return 96; }
  void SetStayOnTop(bool on) override { onTop_ = on; }
  bool StayOnTop() const override { return onTop_; }
  void SetFont(const platform::Font& f) override { font_ = f; }
  void SetShowHints(bool on) override { hints_ = on; }
  bool ShowHints() const { return hints_; }
  void Show() override { visible_ = true; }
  void Hide() override { visible_ = false; }
  void BringToFront() override {
    visible_ = true;
    ++broughtToFront_;
  }
  int BroughtToFront() const { return broughtToFront_; }
  // Runs the user's scripted actions on the dialog (Toolkit::ScriptDialog),
  // which must close it.
  void ShowModal() override;
  bool Visible() const override { return visible_ && !closed_; }
  void Close() override;
  bool Closed() const override { return closed_; }
  platform::MenuItem& Menu() override { return menu_; }
  std::uintptr_t Id() const override { return reinterpret_cast<std::uintptr_t>(this); }
  // The window whose Id this is, as a library given the owner sees it.
  static Window& FromId(std::uintptr_t id) { return *reinterpret_cast<Window*>(id); }
  void SetMessageHandler(const Text& name, MessageHandler handler) override;
  // A library sends the registered message of that name (letter case
  // ignored, as the system registers names); without a handler the answer
  // is 0, as the default window procedure gives.
  std::intptr_t SendRegistered(const Text& name, std::uintptr_t wParam, std::intptr_t lParam);
  bool HandlesMessage(const Text& name) const;
  bool SetHotKey(const platform::Chord& chord) override;
  platform::Chord HotKey() const override { return hotKey_; }
  int Modifiers() const override { return modifiers_; }
  MenuItem& MenuBar() { return menu_; }

  std::unique_ptr<platform::Panel> NewPanel(platform::Control* parent) override;
  std::unique_ptr<platform::ListBox> NewListBox(platform::Control* parent, platform::ListStyle) override;
  std::unique_ptr<platform::EntryBox> NewEntryBox(platform::Control* parent) override;
  std::unique_ptr<platform::EditBox> NewEditBox(platform::Control* parent) override;
  std::unique_ptr<platform::Button> NewButton(platform::Control* parent, int picture) override;
  std::unique_ptr<platform::Picture> NewPicture(platform::Control* parent, int bitmap) override;
  std::unique_ptr<platform::Splitter> NewSplitter(platform::Control* parent) override;
  std::unique_ptr<platform::StatusBar> NewStatusBar(const std::vector<int>& widths, const std::vector<bool>& right) override;
  std::unique_ptr<platform::Label> NewLabel(platform::Control* parent) override;
  std::unique_ptr<platform::CheckBox> NewCheckBox(platform::Control* parent) override;
  std::unique_ptr<platform::ChordBox> NewChordBox(platform::Control* parent) override;
  std::unique_ptr<platform::CheckList> NewCheckList(platform::Control* parent) override;
  std::unique_ptr<platform::DropDownList> NewDropDownList(platform::Control* parent) override;
  std::unique_ptr<platform::TabPages> NewTabPages(platform::Control* parent) override;
  std::unique_ptr<platform::PopupMenu> NewPopupMenu() override;

  // The user presses a key, with the modifiers (modifier:: bits) held, with
  // the focus where it is: the key preview sees it first, then the focused
  // control; Enter and other character keys then send their character
  // through the same route. Space toggles a focused check box or the
  // selected item of a focused check list; a focused chord box records.
  void UserKey(int key, int modifiers = 0);
  void UserChar(char c);
  // The user clicks the close box.
  void UserCloseBox() { Close(); }

  platform::Control* Focused() const { return focused_; }
  // The control its form named so; fails loudly when there is none.
  template <class T>
  T& Find(const Text& name) const {
    for (platform::Control* c : controls_)
      if (c->Name() == name) return As<T>(*c);
    throw Unexpected("no control named " + name);
  }
  // Moves the focus; an entry box that loses it hears onExit.
  void SetFocused(platform::Control* c);
  void Forget(platform::Control* c);
  Toolkit& Owner() { return toolkit_; }

 private:
  template <class T, class... Args>
  std::unique_ptr<T> Make(platform::Control* parent, Args&&... args);
  Toolkit& toolkit_;
  platform::WindowOptions options_;
  Text caption_;
  platform::Rect bounds_;
  bool onTop_ = false, hints_ = false, visible_ = false, closed_ = false;
  int broughtToFront_ = 0;
  int modifiers_ = 0;  // held with the key being pressed
  platform::Chord hotKey_;
  Window* owner_ = nullptr;
  platform::Font font_;
  MenuItem menu_;
  platform::Control* focused_ = nullptr;
  std::vector<platform::Control*> controls_;
  std::map<Text, MessageHandler> registered_;  // by upper-cased name
};

class Timer : public platform::Timer {
 public:
  Timer(Toolkit& toolkit, int interval, std::function<void()> onTimer)
      : toolkit_(toolkit), interval_(interval), onTimer_(std::move(onTimer)) {}
  ~Timer() override;
  void SetEnabled(bool on) override { enabled_ = on; }
  bool Enabled() const override { return enabled_; }
  void SetInterval(int ms) override { interval_ = ms; }
  int Interval() const override { return interval_; }
  void Tick() {
    if (enabled_) onTimer_();
  }

 private:
  Toolkit& toolkit_;
  int interval_;
  std::function<void()> onTimer_;
  bool enabled_ = true;
};

struct MessageRecord {
  Text text, caption;
  platform::Icon icon;
  platform::Buttons buttons;
};

class Toolkit : public platform::Toolkit {
 public:
  void SetApplicationTitle(const Text& t) override { title_ = t; }
  Text ApplicationTitle() const { return title_; }
  std::unique_ptr<platform::Window> NewWindow(const platform::WindowOptions& options) override;
  // What the user does in the next modal dialog; it must close it.
  void ScriptDialog(std::function<void(Window&)> actions) { dialogs_.push_back(std::move(actions)); }
  size_t PendingDialogScripts() const { return dialogs_.size(); }
  std::function<void(Window&)> TakeDialogScript();
  std::unique_ptr<platform::Timer> NewTimer(int intervalMs, std::function<void()> onTimer) override;
  platform::Answer MessageBox(platform::Window* owner, const Text& text, const Text& caption, platform::Icon,
                              platform::Buttons) override;
  std::optional<int32_t> PickColor(platform::Window* owner, int32_t initial) override;
  std::optional<Text> AskFileName(platform::Window* owner, platform::FileDialogKind, const platform::FileDialogRequest&) override;
  // The path the user chooses in the next file dialog; nothing: cancel. A
  // dialog without a scripted answer fails loudly.
  void ScriptFileName(std::optional<Text> path) { fileNames_.push_back(std::move(path)); }
  struct FileDialogRecord {
    platform::FileDialogKind kind;
    platform::FileDialogRequest request;
  };
  const std::vector<FileDialogRecord>& FileDialogs() const { return fileDialogs_; }
  void Run(platform::Window& main) override;
  // Runs the next scripted user action, if any: what the user did while a
  // long command ran.
  void RunPendingEvents() override;
  void ScriptPendingEvents(std::function<void()> actions) { pending_.push_back(std::move(actions)); }
  int PendingEventRuns() const { return pendingRuns_; }
  uint64_t Milliseconds() const override { return clock_; }
  void AdvanceClock(uint64_t ms) { clock_ += ms; }
  // The clipboard that the controls' own cut, copy and paste use, as the
  // system's is shared by programs and controls.
  void ShareClipboard(platform::Clipboard& clipboard) { clipboard_ = &clipboard; }
  platform::Clipboard& SystemClipboard() const;
  platform::Point CursorPos() const override { return cursor_; }
  platform::Size ScreenSize() const override { return screen_; }
  platform::DisplayArea DisplayFor(const platform::Rect& screen) const override;

  // The user moves the mouse; the display changes.
  void MoveCursor(platform::Point at) { cursor_ = at; }
  void SetScreenSize(platform::Size size) { screen_ = size; }
  // The displays, each with its work area and DPI. By default one of
  // 1024 x 768 at 96 DPI whose task bar takes the bottom 28 pixels.
  struct Display {
    platform::Rect area, workArea;
    int dpi = 96;
  };
  void SetDisplays(std::vector<Display> displays) { displays_ = std::move(displays); }
  // The colour the user confirms in the next colour chooser; nothing: cancel.
  void ScriptColor(std::optional<int32_t> c) { colors_.push_back(c); }
  // The colour the last chooser opened on.
  int32_t LastColorOffered() const { return lastOffered_; }

  // Answers of the next message boxes that ask a question, in order. A box
  // with only OK is answered OK when nothing is scripted; a question without
  // a scripted answer fails loudly.
  void ScriptAnswer(platform::Answer a) { answers_.push_back(a); }
  // Caption of the item that the user chooses in the next popup menu.
  void ScriptPopupChoice(const Text& caption) { popupChoices_.push_back(caption); }
  // Scripted popup choices that no popup menu has taken yet.
  size_t PendingPopupChoices() const { return popupChoices_.size(); }
  const std::vector<MessageRecord>& Messages() const { return messages_; }
  void ClearMessages() { messages_.clear(); }
  Text TakePopupChoice();
  // The popup menu shown last, while it exists, for a test to look at.
  PopupMenu* LastPopup() const { return lastPopup_; }
  void NotePopup(PopupMenu* menu) { lastPopup_ = menu; }
  // The timers that exist, oldest first.
  const std::vector<Timer*>& Timers() const { return timers_; }
  // Ticks every enabled timer once.
  void TickTimers();
  void Forget(Timer* t);

  // Hotkeys are the desktop's: one holder each. Another program takes one,
  // false when it is held already; the user presses one, which runs its
  // holder's onHotKey when that is a window of ours. A press of a chord
  // nobody holds fails loudly.
  bool HoldHotKeyElsewhere(const platform::Chord& chord);
  void PressHotKey(const platform::Chord& chord);
  bool TakeHotKey(Window& window, const platform::Chord& chord);
  void ReleaseHotKey(const Window& window);

 private:
  Text title_;
  std::deque<platform::Answer> answers_;
  std::deque<Text> popupChoices_;
  std::deque<std::function<void(Window&)>> dialogs_;
  std::deque<std::optional<int32_t>> colors_;
  std::deque<std::optional<Text>> fileNames_;
  std::vector<FileDialogRecord> fileDialogs_;
  int32_t lastOffered_ = -1;
  std::vector<MessageRecord> messages_;
  std::vector<Timer*> timers_;
  // By modifiers and key; nullptr: another program's.
  std::map<std::pair<int, int>, Window*> hotKeys_;
  PopupMenu* lastPopup_ = nullptr;
  std::deque<std::function<void()>> pending_;
  int pendingRuns_ = 0;
  uint64_t clock_ = 0;
  platform::Clipboard* clipboard_ = nullptr;
  platform::Point cursor_{512, 384};
  platform::Size screen_{1024, 768};
  std::vector<Display> displays_{{{0, 0, 1024, 768}, {0, 0, 1024, 740}, 96}};
};

}  // namespace headless
