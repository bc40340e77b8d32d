// The window toolkit: exactly the windows and control behaviours the program
// uses. Events are plain callbacks; the owner wraps each one in its dispatch
// function so that no failure crosses into the toolkit.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/geometry.h"
#include "platform/key_names.h"
#include "platform/text.h"

namespace platform {

// The display a rectangle was asked about: its work area (the display less
// the task bar), in screen pixels, and its DPI, by which a window made there
// is scaled.
struct DisplayArea {
  Rect workArea;
  bool overlaps = false;  // false: the rectangle lies on no display, and this is the nearest
  int dpi = 96;
};

// Colour values: 0x00BBGGRR for a plain colour, 0xFF0000nn for the
// system colour number nn.
namespace colour {
constexpr int32_t kWindow = static_cast<int32_t>(0xFF000005);
constexpr int32_t kWindowText = static_cast<int32_t>(0xFF000008);
constexpr int32_t kButtonFace = static_cast<int32_t>(0xFF00000F);
constexpr int32_t kBlue = 0x00FF0000;
constexpr bool IsSystem(int32_t c) { return (static_cast<uint32_t>(c) & 0xFF000000u) == 0xFF000000u; }
}  // namespace colour

struct Font {
  Text face;
  int size = 0;         // pixels or points, by `points`
  bool points = false;  // false: size is the character height in pixels
  bool underline = false;
  bool bold = false;
  int32_t color = colour::kWindowText;
  bool operator==(const Font&) const = default;
};  // always the Shift-JIS character set

// Virtual key codes the program looks at.
namespace key {
constexpr int kEnter = 13;
constexpr int kEscape = 27;
constexpr int kSpace = 32;
constexpr int kPageUp = 33;
constexpr int kPageDown = 34;
constexpr int kUp = 38;
constexpr int kDown = 40;
constexpr int kDelete = 46;
}  // namespace key

enum class Icon { None, Stop, Warning, Information, Question };
// Yes: a single button "はい(&Y)", answered Yes.
enum class Buttons { Ok, OkCancel, YesNo, Yes };
enum class Answer { Ok, Cancel, Yes, No };

// A menu item; items with children are drop-down or popup menus.
class MenuItem {
 public:
  virtual ~MenuItem() = default;
  virtual MenuItem& Add(const Text& caption, std::function<void()> onClick) = 0;
  virtual void AddSeparator() = 0;
  virtual Text Caption() const = 0;
  virtual void SetEnabled(bool) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetChecked(bool) = 0;
  virtual bool Checked() const = 0;
  virtual void SetVisible(bool) = 0;
  virtual bool Visible() const = 0;
  // Runs when this drop-down opens, before its items are shown.
  std::function<void()> onOpen;
};

// A popup menu, shown modally at a screen point; a chosen item's handler has
// run when Popup returns.
class PopupMenu {
 public:
  virtual ~PopupMenu() = default;
  virtual MenuItem& Root() = 0;
  virtual void Popup(Point screen) = 0;
};

class Control {
 public:
  virtual ~Control() = default;
  virtual void SetBounds(const Rect&) = 0;  // relative to the parent
  virtual Rect Bounds() const = 0;
  virtual void SetVisible(bool) = 0;
  virtual bool Visible() const = 0;
  virtual void SetEnabled(bool) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetFocus() = 0;
  virtual bool HasFocus() const = 0;
  virtual void SetFont(const Font&) = 0;
  virtual void SetHint(const Text&) = 0;
  virtual Text Hint() const = 0;
  // The name its form gives it, by which tests and the form find it.
  virtual void SetName(const Text&) = 0;
  virtual Text Name() const = 0;
  // Key-down notice that the window's key preview let through.
  std::function<void(int key)> onKeyDown;
  // Right click or the menu key; the point is in screen coordinates.
  std::function<void(Point)> onContextMenu;
};

// A plain container; with a caption it is a text panel.
class Panel : public Control {
 public:
  virtual void SetCaption(const Text&) = 0;
  virtual Text Caption() const = 0;
  virtual void SetColor(int32_t color) = 0;
  virtual int32_t Color() const = 0;
  // A text panel that acts on clicks can be given the keyboard: Tab stops
  // at it, it shows the focus, its keys reach onKeyDown and the menu key
  // opens its context menu.
  virtual void SetTakesKeyboard(bool) = 0;
  std::function<void()> onClick, onDblClick;
};

// Fails with std::out_of_range unless a list of count items has one at index.
inline void CheckItemIndex(int index, int count) {
  if (index < 0 || index >= count) throw std::out_of_range("list index " + std::to_string(index));
}

// What every list offers: items by index and one current item.
class ItemList : public Control {
 public:
  virtual void Clear() = 0;
  virtual void Add(const Text& item) = 0;
  virtual int Count() const = 0;
  virtual Text Item(int index) const = 0;
  // The selected item or -1; setting it runs no handler.
  virtual int ItemIndex() const = 0;
  virtual void SetItemIndex(int index) = 0;
};

class ListBox : public ItemList {
 public:
  // Appends many items at once, reserving storage first; taken by value so
  // that a caller's temporary list is moved in, not copied.
  virtual void AddAll(std::vector<Text> items) = 0;
  // Replaces an item's text; its selection and the caret stay.
  virtual void SetItem(int index, const Text& item) = 0;
  // Removes an item; the others keep their selection. Where the caret and
  // a single selection go is for the caller to set.
  virtual void Delete(int index) = 0;
  // In a multiple-selection list ItemIndex is the caret item.
  // Multiple selection: the caret (focus) item, separate from the selection.
  virtual int CaretIndex() const = 0;
  virtual void SetCaretIndex(int index) = 0;
  virtual bool Selected(int index) const = 0;
  virtual void SetSelected(int index, bool selected) = 0;
  // Index of the item equal to text with letter case ignored, or -1.
  virtual int FindExact(const Text& text) const = 0;
  // Suspends and resumes redrawing (nested calls count).
  virtual void BeginUpdate() = 0;
  virtual void EndUpdate() = 0;
  // Selection change by the user (mouse or keyboard), never by code.
  std::function<void()> onClick, onDblClick;
};

// Suspends a list's redrawing for one operation, whatever way it ends.
class RedrawPause {
 public:
  explicit RedrawPause(ListBox& list) : list_(list) { list_.BeginUpdate(); }
  ~RedrawPause() { list_.EndUpdate(); }
  RedrawPause(const RedrawPause&) = delete;
  RedrawPause& operator=(const RedrawPause&) = delete;

 private:
  ListBox& list_;
};

class EntryBox : public Control {
 public:
  virtual void SetText(const Text&) = 0;
  virtual Text GetText() const = 0;
  virtual void SetBackground(int32_t color) = 0;
  // Selects the whole text, so that typing replaces it.
  virtual void SelectAll() = 0;
  // Read-only: grey as the system shows such boxes, no typing, and left
  // out of the Tab order.
  virtual void SetReadOnly(bool) = 0;
  virtual bool ReadOnly() const = 0;
  // The input method is switched off whenever the box takes the focus
  // (for fields that take only numbers or ASCII).
  virtual void SetImeOff(bool) = 0;
  // Grey text the empty box shows, also while it has the focus, saying what
  // it is for.
  virtual void SetPlaceholder(const Text&) = 0;
  // The keyboard focus has left the box.
  std::function<void()> onExit;
  // The text has changed, typed by the user or set by SetText.
  std::function<void()> onChange;
};

// Multi-line plain-text editor (tabs accepted, no word wrap, both scroll bars).
class EditBox : public Control {
 public:
  virtual void SetText(const Text&) = 0;
  virtual Text GetText() const = 0;
  virtual void SetBackground(int32_t color) = 0;  // 0x00BBGGRR
  // The control's own clipboard commands on its selection, through the
  // system clipboard; with nothing to act on they do nothing.
  virtual void Cut() = 0;
  virtual void Copy() = 0;
  virtual void Paste() = 0;
};

class Button : public Control {
 public:
  // The text of a button made without a picture.
  virtual void SetCaption(const Text&) = 0;
  std::function<void()> onClick;
};

// Drag handle between two stacked controls; reports the drag distance.
class Splitter : public Control {
 public:
  std::function<void(int dy)> onDrag;
};

class StatusBar : public Control {
 public:
  virtual void SetPanelText(int panel, const Text&) = 0;
  virtual Text PanelText(int panel) const = 0;
  std::function<void()> onClick, onDblClick;
};

// A bitmap of the program's resources, stretched to the control's size; it
// takes clicks. Labels made inside it show the picture through them.
class Picture : public Control {
 public:
  std::function<void()> onClick;
};

// Static text on its own line; it takes clicks (links of an about box).
class Label : public Control {
 public:
  virtual void SetCaption(const Text&) = 0;
  virtual Text Caption() const = 0;
  // Drawn on the parent's background instead of the button face.
  virtual void SetTransparent(bool) = 0;
  virtual bool Transparent() const = 0;
  // Blue, underlined, with a hand cursor over it; the colour set below is
  // kept for when the look goes.
  virtual void SetLinkLook(bool) = 0;
  virtual bool LinkLook() const = 0;
  // The text colour; the font's own colour is not used.
  virtual void SetColor(int32_t color) = 0;
  virtual int32_t Color() const = 0;
  std::function<void()> onClick;
};

class CheckBox : public Control {
 public:
  virtual void SetCaption(const Text&) = 0;
  virtual Text Caption() const = 0;
  // Setting it runs no handler.
  virtual void SetChecked(bool) = 0;
  virtual bool Checked() const = 0;
  // The user toggled the box (mouse or space key); Checked is the new state.
  std::function<void()> onClick;
};

// A field that records a key combination, showing it as ChordText writes
// it. A key pressed with Ctrl, Alt or Win, or an F key, becomes its chord;
// Backspace or Delete alone empties it; Tab and Shift+Tab move on as from
// any field; nothing is typed into it.
class ChordBox : public Control {
 public:
  // Setting it runs no handler.
  virtual void SetChord(const Chord&) = 0;
  virtual Chord GetChord() const = 0;
  // The user recorded another chord or emptied the field.
  std::function<void()> onChange;
};

// A single-selection list whose items carry check boxes.
class CheckList : public ItemList {
 public:
  // Setting it runs no handler.
  virtual bool Checked(int index) const = 0;
  virtual void SetChecked(int index, bool on) = 0;
  // The user toggled an item's box: a click on the box (which also selects
  // the item), or the space key on the selected item.
  std::function<void(int index)> onClickCheck;
  // The user selected an item (mouse or keyboard).
  std::function<void()> onClick;
};

// A drop-down list to pick from; nothing can be typed.
class DropDownList : public ItemList {
 public:
  // The user picked another item than the one shown.
  std::function<void()> onChange;
};

// A row of tabs over pages, one page shown at a time. Each page is a panel
// that holds its own controls.
class TabPages : public Control {
 public:
  // A page at the end with its tab's caption; the caller owns it, and it
  // goes before the tabs do.
  virtual std::unique_ptr<Panel> AddPage(const Text& caption) = 0;
  virtual int PageCount() const = 0;
  // The page shown; setting it runs no handler.
  virtual int PageIndex() const = 0;
  virtual void SetPageIndex(int index) = 0;
  // The user chose another tab (mouse or keyboard); its page is shown.
  std::function<void()> onChange;
};

enum class ListStyle { Single, Multiple };

class Window;

enum class Frame { Sizeable, Fixed, None };

// How a window is made. Sizes are at 96 DPI.
struct WindowOptions {
  Frame frame = Frame::Sizeable;
  Text caption;
  bool closeBoxOnly = false;  // no minimize or maximize box
  bool stayOnTop = false;
  bool centred = false;  // on the screen; otherwise the owner places it
  // Owned windows stay above their owner and have no task bar entry.
  Window* owner = nullptr;
  bool menuBar = false;
  bool acceptsFiles = false;  // onDropFiles runs for files dropped on it
  Size size;  // the outer size, or the client area's with clientSize
  bool clientSize = false;
};

// A file or folder dropped on a window. A name that Shift-JIS cannot hold
// comes with '?' in place of the characters it lacks, and exact false.
struct DroppedPath {
  Text path;
  bool exact = true;
};

class Window {
 public:
  virtual ~Window() = default;
  virtual void SetCaption(const Text&) = 0;
  virtual Text Caption() const = 0;
  virtual void SetBounds(const Rect&) = 0;  // outer frame, screen coordinates
  virtual Rect Bounds() const = 0;
  virtual Size ClientSize() const = 0;
  // Places and sizes are at 96 DPI, and the toolkit scales them by the
  // window's display; the outer left and top are screen pixels.
  virtual int Dpi() const = 0;
  virtual void SetStayOnTop(bool) = 0;
  virtual bool StayOnTop() const = 0;
  virtual void SetFont(const Font&) = 0;  // for controls created afterwards
  virtual void SetShowHints(bool) = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  // Shows the window in front of the other applications' windows.
  virtual void BringToFront() = 0;
  // Shows a dialog with the keyboard at its first control and returns when
  // it has closed; its owner takes no input meanwhile.
  virtual void ShowModal() = 0;
  virtual bool Visible() const = 0;
  // Asks to close: runs onClose, and destroys the window when it agrees.
  virtual void Close() = 0;
  virtual bool Closed() const = 0;
  virtual MenuItem& Menu() = 0;  // the menu bar; its items are drop-downs
  // The system's handle of the window, for libraries that take an owner.
  virtual std::uintptr_t Id() const = 0;
  // The handler of a message registered with the system by that name, as
  // libraries send it to an owner window; it answers with the message's
  // result. An empty handler removes it.
  using MessageHandler = std::function<std::intptr_t(std::uintptr_t wParam, std::intptr_t lParam)>;
  virtual void SetMessageHandler(const Text& name, MessageHandler handler) = 0;
  // A hotkey of the whole system for this window, in place of any it held;
  // Chord{} releases it. False when the system refuses the chord (another
  // program holds it): the window then holds none. Released when the
  // window goes.
  virtual bool SetHotKey(const Chord&) = 0;
  virtual Chord HotKey() const = 0;
  // The modifiers (modifier:: bits) held with the key being handled, for
  // the key previews and onKeyDown handlers.
  virtual int Modifiers() const = 0;
  // Top-level drop-downs: enabling one enables or greys its title in the bar.

  // Children; parent nullptr is the window's client area.
  virtual std::unique_ptr<Panel> NewPanel(Control* parent) = 0;
  virtual std::unique_ptr<ListBox> NewListBox(Control* parent, ListStyle) = 0;
  virtual std::unique_ptr<EntryBox> NewEntryBox(Control* parent) = 0;
  virtual std::unique_ptr<EditBox> NewEditBox(Control* parent) = 0;
  // `picture`: the resource id of an icon drawn 16 pixels square at 96 DPI,
  // or 0 for a button with a caption.
  virtual std::unique_ptr<Button> NewButton(Control* parent, int picture) = 0;
  // `bitmap`: the resource id of a bitmap.
  virtual std::unique_ptr<Picture> NewPicture(Control* parent, int bitmap) = 0;
  virtual std::unique_ptr<Splitter> NewSplitter(Control* parent) = 0;
  // Panels have fixed widths; text is right-aligned when asked.
  virtual std::unique_ptr<StatusBar> NewStatusBar(const std::vector<int>& widths, const std::vector<bool>& rightAligned) = 0;
  virtual std::unique_ptr<Label> NewLabel(Control* parent) = 0;
  virtual std::unique_ptr<CheckBox> NewCheckBox(Control* parent) = 0;
  virtual std::unique_ptr<ChordBox> NewChordBox(Control* parent) = 0;
  virtual std::unique_ptr<CheckList> NewCheckList(Control* parent) = 0;
  virtual std::unique_ptr<DropDownList> NewDropDownList(Control* parent) = 0;
  virtual std::unique_ptr<TabPages> NewTabPages(Control* parent) = 0;
  virtual std::unique_ptr<PopupMenu> NewPopupMenu() = 0;

  // Key preview: sees every key before the focused control; true consumes it.
  std::function<bool(int key)> onKeyDown;
  // Character preview; true swallows the character.
  std::function<bool(char ch)> onKeyPress;
  // Close request; false keeps the window open.
  std::function<bool()> onClose;
  std::function<void()> onResize;
  // Files dropped on a window made to accept them, in the order given.
  std::function<void(const std::vector<DroppedPath>&)> onDropFiles;
  // The window's hotkey was pressed, whichever program had the keyboard.
  std::function<void()> onHotKey;
};

class Timer {
 public:
  virtual ~Timer() = default;
  virtual void SetEnabled(bool) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetInterval(int ms) = 0;  // below the platform's shortest: the shortest
  virtual int Interval() const = 0;
};

enum class FileDialogKind { Open, Save };

// What a file dialog proposes: the file name, the extension added to a
// name typed without one, and the filter as "description|mask|..." pairs.
// The open dialog accepts names of files that do not exist; the save
// dialog asks nothing before an existing file is chosen.
struct FileDialogRequest {
  Text fileName;
  Text defaultExtension;
  Text filter;
};

class Toolkit {
 public:
  virtual ~Toolkit() = default;
  // Title of the application (task bar, owner of the program's windows).
  virtual void SetApplicationTitle(const Text&) = 0;
  // A hidden window; Show or ShowModal shows it.
  virtual std::unique_ptr<Window> NewWindow(const WindowOptions&) = 0;
  virtual std::unique_ptr<Timer> NewTimer(int intervalMs, std::function<void()> onTimer) = 0;
  virtual Answer MessageBox(Window* owner, const Text& text, const Text& caption, Icon, Buttons) = 0;
  // The system colour chooser, opened on `initial`; nothing when cancelled.
  virtual std::optional<int32_t> PickColor(Window* owner, int32_t initial) = 0;
  // The system's file dialog; the chosen path, or nothing when cancelled.
  virtual std::optional<Text> AskFileName(Window* owner, FileDialogKind, const FileDialogRequest&) = 0;
  // Runs events until the window has closed.
  virtual void Run(Window& main) = 0;
  // Runs the events waiting now and returns, for a long command that keeps
  // its windows painting and answering while it works. Keys reach only the
  // key preview, and clicks in client areas are dropped; the frame, the
  // menu bar, system keys (Alt+F4) and painting work as ever.
  virtual void RunPendingEvents() = 0;
  // A steady clock in milliseconds from an arbitrary start, for pacing.
  virtual uint64_t Milliseconds() const = 0;
  // The mouse cursor in screen coordinates (origin at the primary display's
  // top-left corner), and the primary display's size in pixels.
  virtual Point CursorPos() const = 0;
  virtual Size ScreenSize() const = 0;
  // The display a rectangle of screen pixels overlaps most or, when it
  // overlaps none, the nearest one. A rectangle reaching past the range of
  // coordinates is taken as far as the range goes.
  virtual DisplayArea DisplayFor(const Rect& screen) const = 0;
};

}  // namespace platform
