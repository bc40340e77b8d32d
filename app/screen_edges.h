// Showing and hiding the palette when the cursor reaches an enabled edge of
// the primary display. A timer polls the cursor, at the shortest period
// while it matters.
#pragma once
#include <memory>

#include "forms/dispatch.h"
#include "platform/toolkit.h"
#include "settings/settings.h"

namespace app {

class ScreenEdges {
 public:
  static constexpr int kPollPeriodMs = 1;
  // The settings say which edges are enabled; each tick runs through the
  // palette's dispatcher.
  ScreenEdges(platform::Toolkit& toolkit, platform::Window& window, const settings::Settings& settings,
              forms::Dispatcher& dispatch);

 private:
  void Tick();

  platform::Toolkit& toolkit_;
  platform::Window& window_;
  const settings::Settings& settings_;
  std::unique_ptr<platform::Timer> timer_;
  // Set once a tick has found the cursor on no enabled edge; each toggle
  // clears it, so resting on an edge toggles only once.
  bool armed_ = false;
  platform::Point lastCursor_{-1, -1};
  int stillTicks_ = 0;
};

}  // namespace app
