#include "app/screen_edges.h"

namespace app {

namespace {
// A still cursor cannot reach an edge without moving first, so while it
// rests (and while no edge is enabled) the timer polls less often: every
// wake-up costs a share of a core under Wine. The first movement brings the
// shortest period back.
constexpr int kStillTicks = 100;
constexpr int kRestingPeriodMs = 50;
}  // namespace

ScreenEdges::ScreenEdges(platform::Toolkit& toolkit, platform::Window& window, const settings::Settings& settings,
                         forms::Dispatcher& dispatch)
    : toolkit_(toolkit), window_(window), settings_(settings) {
  // The shortest period the platform offers; a tick is one cursor query.
  timer_ = toolkit.NewTimer(kPollPeriodMs, dispatch.Bind([this] { Tick(); }));
}

void ScreenEdges::Tick() {
  const platform::Point at = toolkit_.CursorPos();
  const bool moved = at.x != lastCursor_.x || at.y != lastCursor_.y;
  lastCursor_ = at;
  stillTicks_ = moved ? 0 : stillTicks_ + 1;
  const bool top = settings_.Boolean(settings::kEdgeTop), left = settings_.Boolean(settings::kEdgeLeft),
             bottom = settings_.Boolean(settings::kEdgeBottom), right = settings_.Boolean(settings::kEdgeRight);
  const bool anyEdge = top || left || bottom || right;
  const int period = anyEdge && stillTicks_ < kStillTicks ? kPollPeriodMs : kRestingPeriodMs;
  if (timer_->Interval() != period) timer_->SetInterval(period);

  bool hit = (at.y == 0 && top) || (at.x == 0 && left);
  if (!hit && (bottom || right)) {
    // Read on every tick: the display may change while the program runs.
    const platform::Size screen = toolkit_.ScreenSize();
    hit = (at.y == screen.height - 1 && bottom) || (at.x == screen.width - 1 && right);
  }
  if (!hit) {
    armed_ = true;
    return;
  }
  if (!armed_) return;
  if (window_.Visible())
    window_.Hide();
  else
    window_.BringToFront();
  armed_ = false;
}

}  // namespace app
