// TFKao: showing and hiding the palette when the cursor reaches an enabled
// edge of the primary display.
#include "app/palette_window.h"

namespace app {

namespace {
// A still cursor cannot reach an edge without moving first, so while it
// rests (and while no edge is enabled) the timer polls less often: every
// wake-up costs a share of a core under Wine. The first movement brings the
// shortest period back.
constexpr int kStillTicks = 100;
constexpr int kRestingPeriodMs = 50;
}  // namespace

void TFKao::Timer1Timer() {
  const platform::Point at = p_.toolkit.CursorPos();
  const bool moved = at.x != lastCursor_.x || at.y != lastCursor_.y;
  lastCursor_ = at;
  stillTicks_ = moved ? 0 : stillTicks_ + 1;
  const bool top = settings_.Boolean(settings::kEdgeTop), left = settings_.Boolean(settings::kEdgeLeft),
             bottom = settings_.Boolean(settings::kEdgeBottom), right = settings_.Boolean(settings::kEdgeRight);
  const bool anyEdge = top || left || bottom || right;
  const int period = anyEdge && stillTicks_ < kStillTicks ? kPollPeriodMs : kRestingPeriodMs;
  if (Timer1->Interval() != period) Timer1->SetInterval(period);

  bool hit = (at.y == 0 && top) || (at.x == 0 && left);
  if (!hit && (bottom || right)) {
    // Read on every tick: the display may change while the program runs.
    const platform::Size screen = p_.toolkit.ScreenSize();
    hit = (at.y == screen.height - 1 && bottom) || (at.x == screen.width - 1 && right);
  }
  if (!hit) {
    edgeArmed_ = true;
    return;
  }
  if (!edgeArmed_) return;
  if (Window().Visible())
    Window().Hide();
  else
    Window().BringToFront();
  edgeArmed_ = false;
}

}  // namespace app
