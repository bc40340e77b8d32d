#include "app/summons.h"

#include "app/summon_place.h"
#include "forms/dispatch.h"
#include "platform/text.h"

namespace app {

namespace {

constexpr int kGap = 4;             // between the caret and the palette, at 96 DPI
constexpr int kPointerHeight = 20;  // the mouse pointer taken as a caret, at 96 DPI

int AtDpi(int value, int dpi) { return value * dpi / 96; }

}  // namespace

void Summons::Warn(const Text& message) {
  s_.toolkit.MessageBox(&palette_, message, forms::kProgramTitle, platform::Icon::Warning, platform::Buttons::Ok);
}

void Summons::TakeHotKey(const settings::Settings& settings) {
  const Text text = settings.Text(settings::kHotKey);
  if (tried_ == text) return;
  tried_ = text;
  if (text.empty()) {
    palette_.SetHotKey({});
    return;
  }
  auto chord = platform::ParseChord(text);
  if (!chord) {
    chord = platform::ParseChord(settings::kHotKey.fallback);
    Warn(text::Format("ホットキー \"%s\" は読み取れません。%s を使います", {text, platform::ChordText(*chord)}));
  }
  if (!palette_.SetHotKey(*chord))
    Warn(text::Format("ホットキー %s はほかのプログラムが使っているため登録できません。ホットキーなしで動作します",
                      {platform::ChordText(*chord)}));
}

void Summons::HotKeyPressed() {
  const platform::TypingPlace place = s_.windows.FindTypingPlace();
  if (place.window == palette_.Id()) {
    if (palette_.Visible()) return Dismiss();
  } else {
    paster_.SetCalledFrom(place.window);
  }
  Call(place.caret);
}

void Summons::Call(const std::optional<platform::Rect>& caret) {
  if (!called_) normal_ = palette_.Bounds();
  called_ = true;
  platform::Rect anchor;
  if (caret) {
    anchor = *caret;
  } else {
    const platform::Point pointer = s_.toolkit.CursorPos();
    anchor = {pointer.x, pointer.y, 1, AtDpi(kPointerHeight, s_.toolkit.DisplayFor({pointer.x, pointer.y, 1, 1}).dpi)};
  }
  const platform::DisplayArea display = s_.toolkit.DisplayFor(anchor);
  // Sized for the display it goes to; the settings' size is at 96 DPI.
  const platform::Size size{AtDpi(normal_.width, display.dpi), AtDpi(normal_.height, display.dpi)};
  const platform::Rect at = PlaceBeside(anchor, size, display.workArea, AtDpi(kGap, display.dpi));
  palette_.SetBounds({at.left, at.top, normal_.width, normal_.height});
  palette_.Show();
  palette_.BringToFront();
  finder_.Start();
}

void Summons::End() {
  if (!called_) return;
  called_ = false;
  paster_.SetCalledFrom(0);
  finder_.Stop();
  palette_.SetBounds(normal_);
}

void Summons::Dismiss() {
  platform::WindowId back = paster_.CalledFrom();
  if (!back) back = FindTargetWindow(s_.windows).window;
  palette_.Hide();
  End();
  finder_.Stop();  // also when the palette was in front without being called
  if (back) s_.windows.BringToFront(back);
}

void Summons::AfterPaste() {
  if (called_ && !palette_.Visible()) End();
}

void Summons::MoveTo(const platform::Rect& bounds) {
  if (called_)
    normal_ = bounds;
  else
    palette_.SetBounds(bounds);
}

}  // namespace app
