// TFKao: showing and hiding the palette when the cursor reaches an enabled
// edge of the primary display.
#include "app/palette_window.h"

namespace app {

void TFKao::Timer1Timer() {
  const platform::Point at = p_.toolkit.CursorPos();
  const PaletteSettings& s = settings_;
  bool hit = (at.y == 0 && s.edgeTop) || (at.x == 0 && s.edgeLeft);
  if (!hit && (s.edgeBottom || s.edgeRight)) {
    // Read on every tick: the display may change while the program runs.
    const platform::Size screen = p_.toolkit.ScreenSize();
    hit = (at.y == screen.height - 1 && s.edgeBottom) || (at.x == screen.width - 1 && s.edgeRight);
  }
  if (!hit) {
    edgeArmed_ = true;
    return;
  }
  if (!edgeArmed_) return;
  if (form_->Visible())
    form_->Hide();
  else
    form_->BringToFront();
  edgeArmed_ = false;
}

}  // namespace app
