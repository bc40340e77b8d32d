// The two history panels: the last two texts pasted, the newest first.
// They can be used again, locked against change, recoloured and cleared.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/text.h"
#include "platform/toolkit.h"
#include "settings/settings.h"

namespace app {

class History {
 public:
  struct Hooks {
    std::function<void(const Text&)> use;  // paste the text, or open it in link mode
    // The colour chooser, opened on a colour; nothing when cancelled.
    std::function<std::optional<int32_t>(int32_t)> pickColour;
  };
  History(const settings::Settings& settings, platform::Panel& newest, platform::Panel& older, Hooks hooks);

  // Nothing changes while locked or for a repeat of the newest text.
  void Push(const Text& text);
  void SetLocked(bool locked) { locked_ = locked; }
  // A click uses the newest text only in one-click mode.
  void Click();
  void Use(const platform::Panel& panel);
  void ChooseColour();
  void ResetColour();
  void Clear();

 private:
  const settings::Settings& settings_;  // for one-click mode
  platform::Panel& newest_;
  platform::Panel& older_;
  Hooks hooks_;
  bool locked_ = false;
  int32_t lastChosen_ = 0;  // the chooser opens on it: black at first
};

}  // namespace app
