// The hotkey that calls the palette from anywhere: beside the text caret of
// the window the user types in, with the keyboard in the search field, and
// every paste going back to that window. Pressed again while the palette is
// in front, or dismissed with Escape, the palette goes and the keyboard
// goes back. The place the settings keep for the palette is never the one
// it took beside a caret.
#pragma once
#include <optional>

#include "app/face_finder.h"
#include "app/paste.h"
#include "platform/other_windows.h"
#include "platform/toolkit.h"
#include "settings/settings.h"

namespace app {

class Summons {
 public:
  struct Services {
    platform::Toolkit& toolkit;
    platform::OtherWindows& windows;
  };
  Summons(Services services, platform::Window& palette, Paster& paster, FaceFinder& finder)
      : s_(services), palette_(palette), paster_(paster), finder_(finder) {}

  // Holds the hotkey the settings name (empty: none); says so, naming it,
  // when it cannot be read (the default is held instead) or another program
  // holds it (the palette works on without). A hotkey already tried is not
  // tried again.
  void TakeHotKey(const settings::Settings& settings);
  void HotKeyPressed();
  // The palette hidden and the keyboard back in the window it was called
  // from, or else the one the user worked in before it.
  void Dismiss();
  bool Called() const { return called_; }
  // A paste that hid the palette ends the call.
  void AfterPaste();
  // Where the palette stands when not called: what the settings keep.
  platform::Rect NormalBounds() const { return called_ ? normal_ : palette_.Bounds(); }
  // The settings gave it a new place: taken at once, or when the call ends.
  void MoveTo(const platform::Rect& bounds);

 private:
  void Call(const std::optional<platform::Rect>& caret);
  void End();
  void Warn(const Text& message);

  Services s_;
  platform::Window& palette_;
  Paster& paster_;
  FaceFinder& finder_;
  bool called_ = false;
  platform::Rect normal_;
  std::optional<Text> tried_;  // the settings' text last taken, so Apply repeats no message
};

}  // namespace app
