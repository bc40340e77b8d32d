// The two history panels: the last two texts pasted, the newest first.
// They can be used again, locked against change, recoloured and cleared.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/palette_settings.h"
#include "platform/toolkit.h"

namespace app {

class History {
 public:
  struct Hooks {
    std::function<void(const std::string&)> use;  // paste the text, or open it in link mode
    // The colour chooser, opened on a colour; nothing when cancelled.
    std::function<std::optional<int32_t>(int32_t)> pickColour;
  };
  History(const PaletteSettings& settings, platform::Panel& newest, platform::Panel& older, Hooks hooks);

  // Nothing changes while locked or for a repeat of the newest text.
  void Push(const std::string& text);
  // A click uses the newest text only in one-click mode.
  void Click();
  void Use(const platform::Panel& panel);
  void ChooseColour();
  void ResetColour();
  void Clear();

 private:
  const PaletteSettings& settings_;
  platform::Panel& newest_;
  platform::Panel& older_;
  Hooks hooks_;
  int32_t lastChosen_ = 0;  // the chooser opens on it: black at first
};

}  // namespace app
