// The controls of the Win32 toolkit. Internal to platform/win32.
#pragma once
#include <vector>

#include "platform/text.h"
#include "platform/win32/toolkit.h"

namespace platform::win32 {

// A window class of our own that paints the button face and takes double
// clicks; the control's OnMessage does the rest.
const wchar_t* RegisterPlainClass(const wchar_t* name, const wchar_t* cursor);
// The icon of that resource id, `size` pixels square.
unique_hicon LoadPictureIcon(int id, int size);

// A press and a release on the same control make a click; the second press
// of a double click is none.
class ClickTracker {
 public:
  // Runs onClick when this mouse message completes a click, and says so:
  // the control must not be touched after it, since a handler may close
  // the window.
  bool Click(UINT msg, const std::function<void()>& onClick) {
    if (msg == WM_LBUTTONDOWN) pressed_ = true;
    if (msg == WM_LBUTTONDBLCLK) pressed_ = false;
    if (msg != WM_LBUTTONUP || !pressed_) return false;
    pressed_ = false;
    if (onClick) onClick();
    return true;
  }

 private:
  bool pressed_ = false;
};

class Panel : public ControlImpl<platform::Panel> {
 public:
  Panel(Window& window, Control* parent);
  void SetCaption(const Text& caption) override;
  Text Caption() const override { return caption_; }
  void SetColor(int32_t color) override;
  int32_t Color() const override { return color_; }
  void SetTakesKeyboard(bool on) override;

 private:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;
  void Paint();
  Text caption_;
  HFONT font_ = nullptr;
  ClickTracker click_;
  int32_t color_ = colour::kButtonFace;
};

class ListBox : public ControlImpl<platform::ListBox> {
 public:
  ListBox(Window& window, Control* parent, ListStyle style);
  void Clear() override;
  void Add(const Text& item) override;
  void AddAll(std::vector<Text> items) override;
  int Count() const override { return static_cast<int>(items_.size()); }
  void SetItem(int index, const Text& item) override;
  void Delete(int index) override;
  Text Item(int index) const override;
  int ItemIndex() const override;
  void SetItemIndex(int index) override;
  int CaretIndex() const override;
  void SetCaretIndex(int index) override;
  bool Selected(int index) const override;
  void SetSelected(int index, bool selected) override;
  int FindExact(const Text& text) const override;
  void BeginUpdate() override;
  void EndUpdate() override;
  void SetFont(const Font& font) override;
  void OnCommand(UINT code) override;
  HBRUSH OnCtlColor(HDC dc) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;

 private:
  // Gives the control the rows up to end; the rest come from the timer.
  void ShowRows(size_t end);
  // Rows drawn here (owner-drawn) or by the control, which it empties far
  // faster: a new control of that kind takes the rows shown.
  void DrawRowsHere(bool here);
  void Redraw(bool on);
  bool multiple_;
  // The items' exact bytes: the control's own strings stop at a NUL.
  std::vector<Text> items_;
  // How many of them the control holds: the first ones.
  size_t shown_ = 0;
  bool ownerDrawn_ = false;
  int updates_ = 0;
  int32_t textColor_ = colour::kWindowText;
};

class EntryBox : public ControlImpl<platform::EntryBox> {
 public:
  EntryBox(Window& window, Control* parent);
  void SetText(const Text& text) override;
  Text GetText() const override;
  void SetBackground(int32_t color) override;
  void SelectAll() override;
  void SetReadOnly(bool on) override;
  bool ReadOnly() const override;
  void SetImeOff(bool on) override { imeOff_ = on; }
  void SetPlaceholder(const Text& text) override;
  void OnCommand(UINT code) override;
  HBRUSH OnCtlColor(HDC dc) override;

 private:
  int32_t background_ = colour::kWindow;
  unique_hbrush brush_;
  bool imeOff_ = false;
};

// A large text reaches the control in slices, one per timer tick, so the
// window keeps answering meanwhile: the rich edit lays out every line it
// takes (under Wine some 0.1 ms a line). Until then GetText gives the text
// still to come after the control's own.
class EditBox : public ControlImpl<platform::EditBox> {
 public:
  EditBox(Window& window, Control* parent);
  void SetText(const Text& text) override;
  Text GetText() const override;
  void SetBackground(int32_t color) override;
  void Cut() override;
  void Copy() override;
  void Paste() override;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;

 private:
  // Before the font, which leaves the rich edit something to undo: its
  // text mode changes only while it has neither text nor undo.
  void Prepare() override;
  // An empty control, which a text of many lines takes long to become.
  void Empty();
  // The next slice of what is to come, at the end of the control's text.
  void TakeSlice();
  bool HasSelection() const;
  std::wstring coming_;
  size_t taken_ = 0;        // of coming_, already in the control
  size_t slice_ = 1 << 12;  // characters, grown or shrunk to a slice's time
  COLORREF background_ = 0;
  bool hasBackground_ = false;
};

class Button : public ControlImpl<platform::Button> {
 public:
  Button(Window& window, Control* parent, int picture);
  void SetCaption(const Text& caption) override;
  void OnCommand(UINT code) override;
  void Rescale() override;

 private:
  // The icon at the size for the window's DPI.
  void ShowPicture();
  int picture_;
  unique_hicon icon_;
};

// A bitmap painted as the background, so that transparent labels inside it
// show the picture through them.
class Picture : public ControlImpl<platform::Picture> {
 public:
  Picture(Window& window, Control* parent, int bitmap);

 private:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;
  void Paint(HDC dc) const;
  unique_hbitmap bitmap_;
  SIZE natural_{};
  ClickTracker click_;
};

class Splitter : public ControlImpl<platform::Splitter> {
 public:
  Splitter(Window& window, Control* parent);

 private:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;
  bool dragging_ = false;
  int lastY_ = 0;
};

class StatusBar : public ControlImpl<platform::StatusBar> {
 public:
  StatusBar(Window& window, const std::vector<int>& widths, const std::vector<bool>& rightAligned);
  void SetPanelText(int panel, const Text& text) override;
  Text PanelText(int panel) const override;
  LRESULT OnNotify(const NMHDR& header) override;
  void Rescale() override;

 private:
  void SetParts();
  std::vector<int> widths_;
  std::vector<bool> right_;
  std::vector<Text> texts_;
  bool afterDoubleClick_ = false;
};

// STATIC with SS_NOTIFY; colours through WM_CTLCOLORSTATIC.
class Label : public ControlImpl<platform::Label> {
 public:
  Label(Window& window, Control* parent);
  void SetCaption(const Text& caption) override;
  Text Caption() const override { return caption_; }
  void SetTransparent(bool on) override;
  bool Transparent() const override { return transparent_; }
  void SetLinkLook(bool on) override;
  bool LinkLook() const override { return link_; }
  void SetColor(int32_t color) override;
  int32_t Color() const override { return color_; }
  void SetFont(const Font& font) override;
  void OnCommand(UINT code) override;
  HBRUSH OnCtlColor(HDC dc) override;

 private:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;
  void ApplyLook();
  void Repaint();
  Text caption_;
  Font font_;
  unique_hfont linkFont_;  // the system font underlined, when no font is set
  bool transparent_ = false, link_ = false;
  int32_t color_ = colour::kWindowText;
};

class CheckBox : public ControlImpl<platform::CheckBox> {
 public:
  CheckBox(Window& window, Control* parent);
  void SetCaption(const Text& caption) override;
  Text Caption() const override { return caption_; }
  void SetChecked(bool on) override;
  bool Checked() const override;
  void OnCommand(UINT code) override;

 private:
  Text caption_;
};

// A read-only EDIT, drawn as a field that takes typing, whose keys record
// chords instead of text; the input method stays off in it.
class ChordBox : public ControlImpl<platform::ChordBox> {
 public:
  ChordBox(Window& window, Control* parent);
  void SetChord(const Chord& chord) override;
  Chord GetChord() const override { return chord_; }
  HBRUSH OnCtlColor(HDC dc) override;

 private:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;
  Chord chord_;
};

// Owner-drawn LISTBOX: a check box at the left of every item.
class CheckList : public ControlImpl<platform::CheckList> {
 public:
  CheckList(Window& window, Control* parent);
  void Clear() override;
  void Add(const Text& item) override;
  int Count() const override { return static_cast<int>(items_.size()); }
  Text Item(int index) const override;
  int ItemIndex() const override;
  void SetItemIndex(int index) override;
  bool Checked(int index) const override;
  void SetChecked(int index, bool on) override;
  void SetFont(const Font& font) override;
  void OnCommand(UINT code) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  // Where the item's box is drawn, in client coordinates.
  RECT CheckRect(int index) const;

 private:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;
  void Toggle(int index);
  void FitItemHeight();
  std::vector<Text> items_;
  std::vector<bool> checked_;
};

// WC_TABCONTROL; its pages are panels inside it, placed over its display
// area and shown one at a time.
class TabPages : public ControlImpl<platform::TabPages> {
 public:
  TabPages(Window& window, Control* parent);
  std::unique_ptr<platform::Panel> AddPage(const Text& caption) override;
  int PageCount() const override { return static_cast<int>(pages_.size()); }
  int PageIndex() const override;
  void SetPageIndex(int index) override;
  void SetBounds(const Rect& r) override;
  LRESULT OnNotify(const NMHDR& header) override;

 private:
  void ShowPages();
  std::vector<platform::Panel*> pages_;
};

// COMBOBOX with CBS_DROPDOWNLIST. Bounds are those of the closed box; the
// list drops below it.
class DropDownList : public ControlImpl<platform::DropDownList> {
 public:
  DropDownList(Window& window, Control* parent);
  void Clear() override;
  void Add(const Text& item) override;
  int Count() const override { return static_cast<int>(items_.size()); }
  Text Item(int index) const override;
  int ItemIndex() const override;
  void SetItemIndex(int index) override;
  void SetBounds(const Rect& r) override;
  void OnCommand(UINT code) override;

 private:
  std::vector<Text> items_;
  int shown_ = -1;  // the item the owner last heard of
};

class PopupMenu : public platform::PopupMenu {
 public:
  PopupMenu(Window& window);
  platform::MenuItem& Root() override { return root_; }
  void Popup(Point screen) override;

 private:
  Toolkit& toolkit_;
  HWND owner_;
  MenuItem root_;
};

class TimerImpl : public platform::Timer {
 public:
  TimerImpl(Toolkit& toolkit, int intervalMs, std::function<void()> onTimer);
  ~TimerImpl() override;
  void SetEnabled(bool on) override;
  bool Enabled() const override { return enabled_; }
  void SetInterval(int ms) override;
  int Interval() const override { return static_cast<int>(interval_); }
  void Tick() {
    if (enabled_ && onTimer_) onTimer_();
  }

 private:
  Toolkit& toolkit_;
  UINT interval_;
  std::function<void()> onTimer_;
  UINT_PTR id_;
  bool enabled_ = false;
};

// ---- ControlImpl

template <class Base>
ControlImpl<Base>::ControlImpl(Window& window, Control* parent) : ControlCore(window, ParentHandle(window, parent)) {}

template <class Base>
void ControlImpl<Base>::Finish() {
  if (Owner()) ApplyFont(Owner()->CurrentFont());
}

template <class Base>
void ControlImpl<Base>::SetBounds(const Rect& r) {
  Place(r);
}

// As placed, at 96 DPI: read back from the window it would drift by rounding.
template <class Base>
Rect ControlImpl<Base>::Bounds() const {
  return Placed();
}

template <class Base>
void ControlImpl<Base>::SetVisible(bool on) {
  ::ShowWindow(Handle(), on ? SW_SHOWNA : SW_HIDE);
}

template <class Base>
bool ControlImpl<Base>::Visible() const {
  // Its own flag, whatever its parents show.
  return (::GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
}

template <class Base>
void ControlImpl<Base>::SetEnabled(bool on) {
  ::EnableWindow(Handle(), on);
}

template <class Base>
bool ControlImpl<Base>::Enabled() const {
  return ::IsWindowEnabled(Handle()) != FALSE;
}

template <class Base>
void ControlImpl<Base>::SetFocus() {
  ::SetFocus(Handle());
}

template <class Base>
bool ControlImpl<Base>::HasFocus() const {
  return Handle() && ::GetFocus() == Handle();
}

template <class Base>
void ControlImpl<Base>::SetHint(const Text& hint) {
  hint_ = hint;
  if (Owner()) Owner()->SetTip(Handle(), hint);
}

}  // namespace platform::win32
