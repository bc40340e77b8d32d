// Group edit mode: the current group rewritten as free text in the edit box,
// which stands in for the face list until the text is saved or dropped.
#pragma once
#include <functional>

#include "library/face_library.h"
#include "platform/text.h"
#include "platform/toolkit.h"

namespace app {

class EditMode {
 public:
  struct Views {
    platform::Panel& commands;      // the paste and stamp buttons
    platform::Panel& editCommands;  // save, close and the clipboard buttons
    platform::ListBox& faces;
    platform::EditBox& editor;
  };
  struct Hooks {
    std::function<void()> deleteGroup;  // with its confirmation
    std::function<void()> menusChanged;
  };
  EditMode(library::FaceLibrary& library, Views views, Hooks hooks);

  // Nothing without a current group.
  void Enter();
  // With imported text in place of the group's faces, also without a
  // current group.
  void Open(const Text& text);
  // The lines become the group's faces; no line deletes the group.
  void Save();
  void Leave();
  // The editor's clipboard commands; the keyboard goes back to the text.
  void Cut();
  void Copy();
  void Paste();

 private:
  // The edit box in the face list's place, with the keyboard.
  void Show(const std::function<void()>& fill);
  library::FaceLibrary& library_;
  Views views_;
  Hooks hooks_;
};

}  // namespace app
