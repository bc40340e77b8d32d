// STATUSCLASSNAME placed by its owner like any other control.

#include <stdexcept>

#include "platform/win32/text_convert.h"
#include "platform/win32/toolkit_controls.h"

namespace platform::win32 {

StatusBar::StatusBar(Window& window, const std::vector<int>& widths, const std::vector<bool>& rightAligned)
    : ControlImpl(window, nullptr), widths_(widths), right_(rightAligned), texts_(widths.size()) {
  right_.resize(widths_.size(), false);
  // The owner places it: no resizing or aligning of its own.
  Create(0, STATUSCLASSNAMEW, CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | SBARS_SIZEGRIP);
  Finish();
  SetParts();
}

void StatusBar::SetParts() {
  std::vector<int> edges;
  int right = 0;
  for (int width : widths_) edges.push_back(right += Owner() ? Owner()->Scale(width) : width);
  if (!edges.empty()) edges.back() = -1;  // the last part takes the rest
  if (edges.empty()) edges.push_back(-1);
  ::SendMessageW(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void StatusBar::SetPanelText(int panel, const Text& text) {
  texts_.at(static_cast<size_t>(panel)) = text;
  // Text after a second TAB is right-aligned.
  const std::wstring shown = (right_[static_cast<size_t>(panel)] ? L"\t\t" : L"") + WideText(text);
  ::SendMessageW(Handle(), SB_SETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(shown.c_str()));
}

void StatusBar::Rescale() {
  ControlImpl::Rescale();
  SetParts();
}

Text StatusBar::PanelText(int panel) const { return texts_.at(static_cast<size_t>(panel)); }

LRESULT StatusBar::OnNotify(const NMHDR& header) {
  if (header.code == NM_CLICK) {
    // A double click ends with a release that the bar reports as a click.
    if (afterDoubleClick_) {
      afterDoubleClick_ = false;
      return 0;
    }
    if (onClick) onClick();
  } else if (header.code == NM_DBLCLK) {
    afterDoubleClick_ = true;
    if (onDblClick) onDblClick();
  }
  return 0;
}

}  // namespace platform::win32
