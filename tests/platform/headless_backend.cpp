// The headless backend under contract test.
#include <algorithm>
#include <map>

#include "platform/headless/clipboard.h"
#include "platform/headless/file_system.h"
#include "platform/headless/library_loader.h"
#include "platform/headless/other_windows.h"
#include "platform/headless/toolkit.h"
#include "platform/utf8.h"
#include "tests/platform/contract_backend.h"

namespace {

class HeadlessBackend : public ContractBackend {
 public:
  HeadlessBackend() {
    libraries_.Provide("KERNEL32.DLL");
    toolkit_.ShareClipboard(clipboard_);
  }
  platform::FileSystem& Files() override { return files_; }
  platform::LibraryLoader& Libraries() override { return libraries_; }
  platform::Toolkit& Toolkit() override { return toolkit_; }
  platform::Clipboard& Clipboard() override { return clipboard_; }
  platform::OtherWindows& Windows() override { return windows_; }
  platform::WindowId NewTopWindow(const std::string& title, bool owned, bool visible) override {
    return windows_.AddWindow(title, owned ? kHiddenOwner : 0, visible);
  }
  std::vector<platform::KeyEvent> KeysReceived(platform::WindowId window, size_t) override {
    std::vector<platform::KeyEvent> keys;
    for (const auto& sent : windows_.SentKeys())
      if (sent.target == window) keys.insert(keys.end(), sent.keys.begin(), sent.keys.end());
    return keys;
  }
  std::string NewFolder() override {
    const std::string folder = "C:\\contract\\t" + std::to_string(++folders_);
    files_.AddDirectory(folder);
    return folder;
  }
  void MakeFolderLink(const std::string& link, const std::string& target) override { files_.AddLink(link, target); }
  void MakeFileLink(const std::string& link, const std::string& target) override { files_.AddLink(link, target); }
  void UserClick(platform::ListBox& list, int index) override { headless::As<headless::ListBox>(list).UserClick(index); }
  TextLook DrawnLook(platform::Label& label) override {
    const auto& shown = headless::As<headless::Label>(label);
    return {shown.DrawnColor(), shown.DrawnFont().underline};
  }
  void UserClick(platform::Label& label) override { headless::As<headless::Label>(label).UserClick(); }
  void UserClick(platform::Picture& picture) override { headless::As<headless::Picture>(picture).UserClick(); }
  void UserClick(platform::Button& button) override { headless::As<headless::Button>(button).UserClick(); }
  void UserClick(platform::CheckBox& box) override { headless::As<headless::CheckBox>(box).UserClick(); }
  void UserClick(platform::CheckList& list, int index) override {
    headless::As<headless::CheckList>(list).UserClick(index);
  }
  void UserClickCheck(platform::CheckList& list, int index) override {
    headless::As<headless::CheckList>(list).UserClickCheck(index);
  }
  void UserChoose(platform::DropDownList& list, int index) override {
    headless::As<headless::DropDownList>(list).UserChoose(index);
  }
  void UserKey(platform::Window& window, platform::Control& control, int key) override {
    control.SetFocus();
    headless::As<headless::Window>(window).UserKey(key);
  }
  void UserType(platform::Window& window, platform::Control& control, const std::string& text) override {
    control.SetFocus();
    for (char c : text) headless::As<headless::Window>(window).UserChar(c);
  }
  void UserChord(platform::Window& window, platform::Control& control, const platform::Chord& chord) override {
    control.SetFocus();
    headless::As<headless::Window>(window).UserKey(chord.key, chord.modifiers);
  }
  std::string ShownText(platform::ChordBox& box) override { return headless::As<headless::ChordBox>(box).ShownText(); }
  bool HoldHotKeyElsewhere(const platform::Chord& chord) override { return toolkit_.HoldHotKeyElsewhere(chord); }
  void PressHotKey(const platform::Chord& chord, const std::function<bool()>&) override { toolkit_.PressHotKey(chord); }
  // The field as a window at 300,100 would have it; its caret steps 7
  // pixels a character.
  TypingWindow NewTypingWindow() override {
    const platform::WindowId id = windows_.AddWindow("typing");
    typed_[id] = 0;
    windows_.SetCaret(id, Caret(0));
    return {id, kField};
  }
  void TypeInto(platform::WindowId window, const std::string& text) override {
    typed_.at(window) += utf8::CharCount(text);
    windows_.SetCaret(window, Caret(typed_[window]));
  }
  void UserSelect(platform::EditBox& edit, const std::string& before, const std::string& selected) override {
    headless::As<headless::EditBox>(edit).UserSelect(before.size(), selected.size());
  }
  void UserChooseTab(platform::TabPages& tabs, int index) override {
    headless::As<headless::TabPages>(tabs).UserChoose(index);
  }
  void UserDropFiles(platform::Window& window, const std::vector<platform::DroppedPath>& paths) override {
    headless::As<headless::Window>(window).UserDropFiles(paths);
  }
  void PutClipboardTextFromAnotherProgram(const std::string& text) override { clipboard_.Put(text); }
  std::string PresentLibrary() override { return "kernel32.dll"; }
  std::string AbsentLibrary() override { return "NOSUCHLIB.DLL"; }
  void Pump() override {}
  std::intptr_t SendRegistered(platform::Window& window, const std::string& name, std::uintptr_t wParam,
                               std::intptr_t lParam) override {
    return headless::As<headless::Window>(window).SendRegistered(name, wParam, lParam);
  }

 private:
  headless::FileSystem files_;
  headless::LibraryLoader libraries_;
  headless::Toolkit toolkit_;
  headless::Clipboard clipboard_;
  headless::OtherWindows windows_;
  static constexpr platform::WindowId kHiddenOwner = 7;
  static constexpr platform::Rect kField{311, 153, 200, 22};
  static platform::Rect Caret(size_t typed) {
    return {kField.left + 3 + static_cast<int>(std::min<size_t>(typed * 7, kField.width - 6)), kField.top + 3, 1, 16};
  }
  std::map<platform::WindowId, size_t> typed_;
  int folders_ = 0;
};

}  // namespace

std::unique_ptr<ContractBackend> MakeContractBackend() { return std::make_unique<HeadlessBackend>(); }
