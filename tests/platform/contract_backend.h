// One backend under contract test: headless natively, win32 under Wine.
// The same expectations run against both.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/file_system.h"
#include "platform/library_loader.h"
#include "platform/other_windows.h"
#include "platform/toolkit.h"

class ContractBackend {
 public:
  virtual ~ContractBackend() = default;
  virtual platform::FileSystem& Files() = 0;
  virtual platform::LibraryLoader& Libraries() = 0;
  virtual platform::Toolkit& Toolkit() = 0;
  virtual platform::Clipboard& Clipboard() = 0;
  virtual platform::OtherWindows& Windows() = 0;
  // A top-level window as another application would have it, titled as
  // given, created in front of the others; owned by a hidden window when
  // `owned`. It takes the keyboard when it is brought to the front.
  virtual platform::WindowId NewTopWindow(const std::string& title, bool owned, bool visible) = 0;
  // The key events the window has received, waiting a moment until there
  // are at least `count` of them.
  virtual std::vector<platform::KeyEvent> KeysReceived(platform::WindowId window, size_t count) = 0;
  // A fresh, empty folder (no trailing backslash) for one test.
  virtual std::string NewFolder() = 0;
  // A link at `link` to the existing folder `target`, as a junction or a
  // symbolic link is; removed with the test's folders.
  virtual void MakeFolderLink(const std::string& link, const std::string& target) = 0;
  // A symbolic link at `link` to the existing file `target`, as the user
  // meets it: under Wine one made from the unix side, which Wine reports as
  // a plain file.
  virtual void MakeFileLink(const std::string& link, const std::string& target) = 0;
  // How the label's text is drawn: the colour the control paints it in, and
  // whether its font is underlined.
  struct TextLook {
    int32_t colour;
    bool underlined;
  };
  virtual TextLook DrawnLook(platform::Label& label) = 0;
  // Acts as the user: a mouse click on the list's item at index.
  virtual void UserClick(platform::ListBox& list, int index) = 0;
  // Acts as the user with the mouse: a click on the label or the check box;
  // on the check list's item text or on its box; picking an item of the
  // drop-down list's open list.
  virtual void UserClick(platform::Label& label) = 0;
  virtual void UserClick(platform::Picture& picture) = 0;
  virtual void UserClick(platform::Button& button) = 0;
  virtual void UserClick(platform::CheckBox& box) = 0;
  virtual void UserClick(platform::CheckList& list, int index) = 0;
  virtual void UserClickCheck(platform::CheckList& list, int index) = 0;
  virtual void UserChoose(platform::DropDownList& list, int index) = 0;
  // Acts as the user with the keyboard on the control, which takes the
  // focus first: one key pressed and released; characters typed.
  virtual void UserKey(platform::Window& window, platform::Control& control, int key) = 0;
  virtual void UserType(platform::Window& window, platform::Control& control, const std::string& text) = 0;
  // Acts as the user on the control, which takes the focus first: the key
  // pressed and released with the chord's modifiers held, delivered as the
  // message loop delivers it, the window's key preview first.
  virtual void UserChord(platform::Window& window, platform::Control& control, const platform::Chord& chord) = 0;
  // The text the chord box shows.
  virtual std::string ShownText(platform::ChordBox& box) = 0;
  // Another program takes the hotkey; false when the system refuses it.
  virtual bool HoldHotKeyElsewhere(const platform::Chord& chord) = 0;
  // The user presses the chord's keys wherever the keyboard is; events run
  // until `arrived` says so, for two seconds at most.
  virtual void PressHotKey(const platform::Chord& chord, const std::function<bool()>& arrived) = 0;
  // Another application's window in front, with a one-line text field that
  // has the keyboard, and where that field is on the screen.
  struct TypingWindow {
    platform::WindowId window;
    platform::Rect field;
  };
  virtual TypingWindow NewTypingWindow() = 0;
  // The user types into that window's field.
  virtual void TypeInto(platform::WindowId window, const std::string& text) = 0;
  // Acts as the user: selects `selected` in the edit box, which must follow
  // `before` at the start of its text.
  virtual void UserSelect(platform::EditBox& edit, const std::string& before, const std::string& selected) = 0;
  // Acts as the user: a mouse click on the tab at index.
  virtual void UserChooseTab(platform::TabPages& tabs, int index) = 0;
  // Acts as the user: drops the files on the window. In a path marked not
  // exact, each '?' stands for a lone surrogate, which a name on disk may
  // hold and no text can.
  virtual void UserDropFiles(platform::Window& window, const std::vector<platform::DroppedPath>& paths) = 0;
  // Another application puts text on the clipboard.
  virtual void PutClipboardTextFromAnotherProgram(const std::string& text) = 0;
  // A library name that loads, and one that does not.
  virtual std::string PresentLibrary() = 0;
  virtual std::string AbsentLibrary() = 0;
  // Lets queued window messages run (a no-op in headless).
  virtual void Pump() = 0;
  // A library sends the window the message registered under that name.
  virtual std::intptr_t SendRegistered(platform::Window& window, const std::string& name, std::uintptr_t wParam,
                                       std::intptr_t lParam) = 0;
};

std::unique_ptr<ContractBackend> MakeContractBackend();
