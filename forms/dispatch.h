// The one road from an event to its handler: a failure that the command does
// not handle itself ends the command and is shown in the program's error box.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/text.h"
#include "platform/toolkit.h"

namespace forms {

// The program's title: its main window, its task bar entry and its boxes.
inline constexpr const char* kProgramTitle = "ミルフォ";

// The error box text: the message with a full stop unless it already ends
// in a character at or below "." in code order.
Text ErrorText(const Text& message);

// Thrown by a command that the user stopped: it ends without a message.
struct CommandCancelled {};

class Dispatcher {
 public:
  explicit Dispatcher(platform::Toolkit& toolkit) : toolkit_(toolkit) {}
  void SetOwner(platform::Window* owner) { owner_ = owner; }
  // Runs the handler; false when it failed (the failure has been shown) or
  // was left out because events arrived while a long command ran.
  bool Run(const std::function<void()>& handler);
  // For a long command: runs the waiting events, so that the window paints
  // and its key preview hears the keys. The handlers those events would
  // start are left out, so that no command runs inside another.
  void RunPendingEvents();
  // A handler is running: a command, or a window it has open modally.
  bool Running() const { return depth_ > 0; }
  // Runs the action once the running handlers have returned; at once when
  // none runs.
  void AfterHandlers(std::function<void()> action);
  // A handler bound to this dispatcher, for a control's event.
  std::function<void()> Bind(std::function<void()> handler);
  // The same for events with arguments (a key, a point, dropped paths).
  template <class F>
  auto Wrap(F handler) {
    return [this, handler](auto&&... args) { Run([&] { handler(args...); }); };
  }

 private:
  void Show(const Text& message);
  platform::Toolkit& toolkit_;
  platform::Window* owner_ = nullptr;
  int depth_ = 0;  // handlers running, one inside another
  bool pumping_ = false;
  std::vector<std::function<void()>> after_;
};

}  // namespace forms
