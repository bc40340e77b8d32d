#include "app/paste.h"

#include "forms/dispatch.h"

namespace app {

PasteTarget FindTargetWindow(const platform::OtherWindows& windows) {
  constexpr size_t kTitleMax = 254;
  PasteTarget found;
  found.window = windows.FirstTopLevel([&](const platform::TopWindow& w) {
    if (w.owner != 0 || !w.visible) return false;
    std::string title = w.title.substr(0, kTitleMax);
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

}  // namespace app
