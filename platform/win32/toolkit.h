// The Win32 toolkit: real windows and common controls behind
// platform::Toolkit. Internal to platform/win32.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
// The interfaces use these names for their own members.
#undef MessageBox
#undef DeleteFile

#include <exception>
#include <functional>
#include <map>

#include <memory>
#include <set>
#include <tuple>
#include <unordered_map>

#include "platform/text.h"
#include "platform/toolkit.h"
#include "platform/win32/unique_handle.h"

namespace platform::win32 {

class Toolkit;
class Window;
class MenuItem;

// Shows a failure that escaped every handler (the owner's dispatch catches
// the ordinary ones); message is nullptr for a non-standard exception.
void LastResort(const char* message) noexcept;

// Runs `create` until it succeeds, for up to 30 s. Under Wine the first
// window of a session waits at most 10 s for the desktop's explorer to
// start, and on a busy machine that can take longer: windows are refused
// until then.
bool CreatePatiently(const std::function<bool()>& create);

// Runs a callback from inside a window procedure: no failure may cross into
// the system.
template <class F>
void Guard(F&& call) noexcept {
  try {
    call();
  } catch (const std::exception& e) {
    LastResort(e.what());
  } catch (...) {
    LastResort(nullptr);
  }
}

// The modifiers (modifier:: bits) held with the key message being handled.
int HeldModifiers();
// The chord's modifiers as RegisterHotKey takes them.
UINT HotKeyModifiers(const Chord& chord);

// A colour value (0x00BBGGRR, or 0xFF0000nn for system colour nn) for GDI.
inline COLORREF ToColorRef(int32_t color) {
  return colour::IsSystem(color) ? ::GetSysColor(color & 0xFF) : static_cast<COLORREF>(color & 0xFFFFFF);
}

// The Win32 side of every control: its child window and the notices that
// its parent forwards to it.
class ControlCore {
 public:
  ControlCore(Window& window, HWND parent);
  virtual ~ControlCore();
  ControlCore(const ControlCore&) = delete;
  ControlCore& operator=(const ControlCore&) = delete;

  HWND Handle() const { return hwnd_; }
  Window* Owner() const { return window_; }
  void Orphan() { window_ = nullptr; }
  // The control object behind a child window of ours, or nullptr.
  static ControlCore* From(HWND hwnd);

  // WM_COMMAND and WM_NOTIFY that the parent received from this control.
  virtual void OnCommand(UINT) {}
  virtual LRESULT OnNotify(const NMHDR&) { return 0; }
  // WM_CTLCOLOR* for this control: a brush, or nullptr for the default.
  virtual HBRUSH OnCtlColor(HDC) { return nullptr; }
  // WM_DRAWITEM of an owner-drawn control; false leaves it to the default.
  virtual bool OnDrawItem(const DRAWITEMSTRUCT&) { return false; }
  // The window moved to a display of another DPI: font and place again.
  virtual void Rescale();

 protected:
  // Creates the child window and subclasses it.
  void Create(DWORD exStyle, const wchar_t* className, DWORD style);
  // A new window of the same kind in place of the old one, which is
  // destroyed: prepared, shown, enabled, placed, stacked, with font and
  // focus as it was. For a control whose content costs more to take out
  // than to throw away, or that takes other styles (on, then off).
  void Recreate(DWORD styleOn = 0, DWORD styleOff = 0);
  // What a new window of the control is told before its font.
  virtual void Prepare() {}
  // Messages of the control itself; handled=true stops the default.
  virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled);
  virtual void FireKeyDown(int key) = 0;
  virtual bool FireContextMenu(Point screen) = 0;
  void ApplyFont(const Font& font);
  // The font to apply again at another DPI.
  void KeepFont(const Font& font) { font_ = font; }
  const Font& KeptFont() const { return font_; }
  // Moves the child window to a place at 96 DPI, with extra pixels of height.
  void Place(const Rect& r, int extraHeight = 0);
  Rect Placed() const { return place_; }
  // The control's own procedure, for what OnMessage leaves to it.
  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) const;
  HWND parent_;

 private:
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM) noexcept;
  void Make(DWORD shown);
  HWND hwnd_ = nullptr;
  DWORD exStyle_ = 0, style_ = 0;
  std::wstring className_;
  WNDPROC base_ = nullptr;
  Window* window_;
  Rect place_;
  Font font_;  // the last one applied
};

// Routes WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR* and WM_DRAWITEM of a parent to
// the child's control.
bool ForwardToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
// The child window that a new control goes into.
HWND ParentHandle(Window& window, Control* parent);

// platform::Control on top of ControlCore for each control interface.
template <class Base>
class ControlImpl : public Base, public ControlCore {
 public:
  ControlImpl(Window& window, Control* parent);
  void SetBounds(const Rect& r) override;
  Rect Bounds() const override;
  void SetVisible(bool on) override;
  bool Visible() const override;
  void SetEnabled(bool on) override;
  bool Enabled() const override;
  void SetFocus() override;
  bool HasFocus() const override;
  void SetFont(const Font& font) override { ApplyFont(font); }
  void Rescale() override {
    if (!KeptFont().face.empty()) this->SetFont(KeptFont());
    this->SetBounds(Placed());
  }
  void SetHint(const Text& hint) override;
  Text Hint() const override { return hint_; }
  void SetName(const Text& name) override { name_ = name; }
  Text Name() const override { return name_; }

 protected:
  void FireKeyDown(int key) override {
    if (this->onKeyDown) this->onKeyDown(key);
  }
  bool FireContextMenu(Point screen) override {
    if (!this->onContextMenu) return false;
    this->onContextMenu(screen);
    return true;
  }
  // Sets the window font of the owner on a freshly created control.
  void Finish();

 private:
  Text hint_, name_;
};

class MenuItem : public platform::MenuItem {
 public:
  // The root of a menu bar (bar=true) or of a popup menu.
  MenuItem(Toolkit& toolkit, bool bar);
  ~MenuItem() override;
  platform::MenuItem& Add(const Text& caption, std::function<void()> onClick) override;
  void AddSeparator() override;
  Text Caption() const override { return caption_; }
  void SetEnabled(bool on) override;
  bool Enabled() const override { return enabled_; }
  void SetChecked(bool on) override;
  bool Checked() const override { return checked_; }
  void SetVisible(bool on) override;
  bool Visible() const override { return visible_; }

  HMENU Menu() const { return menu_; }
  // The window whose bar this root is; nullptr for popup menus.
  void SetBarWindow(HWND hwnd) { barWindow_ = hwnd; }
  void Choose() const;
  void Opening() const;
  bool IsEmpty() const { return items_.empty(); }
  // Detaches hidden sub-menus and the bar from their windows before the
  // handles go, so that every HMENU is destroyed exactly once.
  void DestroyHandles();

 private:
  MenuItem(Toolkit& toolkit, MenuItem* parent, Text caption, std::function<void()> onClick, bool separator);
  int Position() const;  // among the parent's attached items
  void Attach();
  void Refresh();
  void Redraw() const;
  void EnsureSubMenu();
  MenuItem* Root();

  Toolkit& toolkit_;
  MenuItem* parent_;
  Text caption_;
  std::function<void()> onClick_;
  bool separator_ = false;
  bool enabled_ = true, checked_ = false, visible_ = true;
  UINT id_ = 0;
  HMENU menu_ = nullptr;  // own drop-down, when it has children
  HWND barWindow_ = nullptr;
  std::vector<std::unique_ptr<MenuItem>> items_;
};

class Toolkit : public platform::Toolkit {
 public:
  Toolkit();
  ~Toolkit() override;
  void SetApplicationTitle(const Text& title) override;
  std::unique_ptr<platform::Window> NewWindow(const WindowOptions& options) override;
  std::unique_ptr<platform::Timer> NewTimer(int intervalMs, std::function<void()> onTimer) override;
  Answer MessageBox(platform::Window* owner, const Text& text, const Text& caption, Icon, Buttons) override;
  std::optional<Text> AskFileName(platform::Window* owner, FileDialogKind, const FileDialogRequest&) override;
  void Run(platform::Window& main) override;
  void RunPendingEvents() override;
  uint64_t Milliseconds() const override { return ::GetTickCount64(); }
  platform::Point CursorPos() const override;
  platform::Size ScreenSize() const override;
  platform::DisplayArea DisplayFor(const platform::Rect& screen) const override;

  HINSTANCE Instance() const { return instance_; }
  HWND ApplicationWindow() const { return app_.get(); }
  Text ApplicationTitle() const { return title_; }
  // Fonts are shared and live as long as the toolkit.
  HFONT FontFor(const Font& font, int dpi);
  std::optional<int32_t> PickColor(platform::Window* owner, int32_t initial) override;
  // Menu commands and drop-downs by their handles.
  UINT RegisterCommand(MenuItem* item);
  void Unregister(UINT id, HMENU menu);
  void RegisterMenu(HMENU menu, MenuItem* item) { menus_[menu] = item; }
  MenuItem* CommandItem(UINT id) const;
  MenuItem* DropDown(HMENU menu) const;
  HWND TimerWindow() const { return timerWindow_.get(); }
  UINT_PTR AddTimer(class TimerImpl* timer);
  void RemoveTimer(UINT_PTR id);
  // Wakes the message loop so that it looks at the main window's state.
  void Wake() const;

 private:
  static LRESULT CALLBACK TimerProc(HWND, UINT, WPARAM, LPARAM) noexcept;
  bool Preview(const MSG& msg);
  bool Navigate(const MSG& msg);
  // One message of the loop, after the key preview and Tab navigation.
  void Deliver(const MSG& msg);
  HINSTANCE instance_;
  unique_hmodule richEdit_;
  unique_hwnd app_, timerWindow_;
  Text title_;
  std::map<std::tuple<Text, int, bool, bool, bool, int>, unique_hfont> fonts_;
  COLORREF customColors_[16] = {};
  std::unordered_map<UINT, MenuItem*> commands_;
  std::unordered_map<HMENU, MenuItem*> menus_;
  std::unordered_map<UINT_PTR, TimerImpl*> timers_;
  UINT nextCommand_ = 100;
  UINT_PTR nextTimer_ = 1;
};

class Window : public platform::Window {
 public:
  Window(Toolkit& toolkit, const WindowOptions& options);
  ~Window() override;
  void SetCaption(const Text& caption) override;
  Text Caption() const override { return caption_; }
  void SetBounds(const Rect& r) override;
  Rect Bounds() const override;
  Size ClientSize() const override;
  int Dpi() const override { return dpi_; }
  // 96-DPI units to this window's pixels and back.
  int Scale(int v) const { return ::MulDiv(v, dpi_, 96); }
  int Unscale(int v) const { return ::MulDiv(v, 96, dpi_); }
  void SetStayOnTop(bool on) override;
  bool StayOnTop() const override;
  void SetFont(const Font& font) override { font_ = font; }
  void SetShowHints(bool on) override;
  void Show() override;
  void Hide() override;
  void BringToFront() override;
  void ShowModal() override;
  bool Visible() const override;
  void Close() override;
  bool Closed() const override { return closed_; }
  platform::MenuItem& Menu() override { return menu_; }

  std::unique_ptr<platform::Panel> NewPanel(Control* parent) override;
  std::unique_ptr<platform::ListBox> NewListBox(Control* parent, ListStyle) override;
  std::unique_ptr<platform::EntryBox> NewEntryBox(Control* parent) override;
  std::unique_ptr<platform::EditBox> NewEditBox(Control* parent) override;
  std::unique_ptr<platform::Button> NewButton(Control* parent, int picture) override;
  std::unique_ptr<platform::Picture> NewPicture(Control* parent, int bitmap) override;
  std::unique_ptr<platform::Splitter> NewSplitter(Control* parent) override;
  std::unique_ptr<platform::StatusBar> NewStatusBar(const std::vector<int>& widths,
                                                    const std::vector<bool>& rightAligned) override;
  std::unique_ptr<platform::Label> NewLabel(Control* parent) override;
  std::unique_ptr<platform::CheckBox> NewCheckBox(Control* parent) override;
  std::unique_ptr<platform::ChordBox> NewChordBox(Control* parent) override;
  std::unique_ptr<platform::CheckList> NewCheckList(Control* parent) override;
  std::unique_ptr<platform::DropDownList> NewDropDownList(Control* parent) override;
  std::unique_ptr<platform::TabPages> NewTabPages(Control* parent) override;
  std::unique_ptr<platform::PopupMenu> NewPopupMenu() override;

  std::uintptr_t Id() const override { return reinterpret_cast<std::uintptr_t>(hwnd_); }
  void SetMessageHandler(const Text& name, MessageHandler handler) override;
  bool SetHotKey(const Chord& chord) override;
  Chord HotKey() const override { return hotKey_; }
  int Modifiers() const override { return HeldModifiers(); }
  HWND Handle() const { return hwnd_; }
  Toolkit& Owner() const { return toolkit_; }
  const Font& CurrentFont() const { return font_; }
  // The window object behind a top-level window of ours, or nullptr.
  static Window* From(HWND hwnd);
  // Key preview of the message loop; true consumes the message.
  bool PreviewKey(int key);
  bool PreviewChar(char ch);

  void Adopt(ControlCore* control) { controls_.insert(control); }
  void Forget(ControlCore* control) { controls_.erase(control); }
  void SetTip(HWND control, const Text& hint);

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM) noexcept;
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void FireResize();
  void DropFiles(HDROP drop);
  void DpiChanged(int dpi, const RECT& suggested);

  Toolkit& toolkit_;
  HWND hwnd_ = nullptr;
  // Owned by the application window, not by hwnd_: Wine leaves a window
  // that owns a topmost popup below it when it is made topmost itself.
  unique_hwnd tips_;
  HWND modalOwner_ = nullptr;  // disabled while this dialog runs
  HWND lastFocus_ = nullptr;  // the control to focus again on reactivation
  Text caption_;
  Font font_;
  bool closed_ = false, hints_ = false, resized_ = false;
  int dpi_ = 96;
  Chord hotKey_;
  MenuItem menu_;
  std::set<ControlCore*> controls_;
  std::unordered_map<UINT, MessageHandler> registered_;  // by registered message number
};

}  // namespace platform::win32
