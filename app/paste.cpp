#include "app/paste.h"

#include "forms/dispatch.h"
#include "platform/cp932.h"
#include "platform/failure.h"
#include "settings/date_time_format.h"

namespace app {

PasteTarget FindTargetWindow(const platform::OtherWindows& windows) {
  constexpr size_t kTitleMax = 254;
  PasteTarget found;
  found.window = windows.FirstTopLevel([&](const platform::TopWindow& w) {
    if (w.owner != 0 || !w.visible) return false;
    // Cut as the title was read into a Shift-JIS buffer, between characters.
    std::string title = w.title.substr(0, cp932::FittingPrefix(w.title, kTitleMax));
    if (title.empty() || title == forms::kProgramTitle) return false;
    found.title = std::move(title);
    return true;
  });
  return found;
}

Text SelectedFacesText(const platform::ListBox& faces, bool withReturn) {
  std::string text;
  for (int i = 0, n = faces.Count(); i < n; ++i) {
    if (!faces.Selected(i)) continue;
    text += faces.Item(i);
    if (withReturn) text += "\r\n";
  }
  return text;
}

const std::vector<platform::KeyEvent>& PasteKeys() {
  constexpr int kControl = 0x11, kV = 0x56;
  static const std::vector<platform::KeyEvent> keys{{kControl, false}, {kV, false}, {kV, true}, {kControl, true}};
  return keys;
}

void Paster::PutOnClipboard(const Text& text) {
  // A face read from a stray byte of a Shift-JIS file keeps that byte for
  // the file; the user gets the replacement character.
  if (!s_.clipboard.SetText(cp932::Shown(text))) throw platform::Failure(platform::kClipboardBusy);
}

void Paster::SendTo(platform::WindowId target) {
  if (target == 0) return;
  s_.windows.BringToFront(target);
  s_.windows.SendKeys(PasteKeys());
}

void Paster::IntoFoundWindow() { SendTo(calledFrom_ ? calledFrom_ : FindTargetWindow(s_.windows).window); }

void Paster::Paste(const Text& text) {
  PutOnClipboard(text);
  if (!settings_.Boolean(settings::kClipOnly)) {
    if (calledFrom_)
      SendTo(calledFrom_);
    else if (settings_.Boolean(settings::kFixedWindow))
      SendTo(s_.windows.FindByTitle(settings_.Text(settings::kWindowName)));
    else
      IntoFoundWindow();
  }
  if (settings_.Boolean(settings::kHideAfter)) palette_.Hide();
}

std::optional<Text> Paster::PasteStamp() {
  const Text stamp = settings::DateTimeFormatter(settings_.Text(settings::kStampFormat), s_.locale.Now(), s_.locale.Read());
  // Ctrl+V would paste whatever the clipboard held before.
  PutOnClipboard(stamp);
  std::optional<Text> pasted;
  if (!settings_.Boolean(settings::kClipOnly)) {
    IntoFoundWindow();
    pasted = stamp;
  }
  if (settings_.Boolean(settings::kHideAfter)) palette_.Hide();
  return pasted;
}

void Paster::ClearClipboard() {
  if (!s_.clipboard.Clear()) throw platform::Failure(platform::kClipboardBusy);
}

}  // namespace app
