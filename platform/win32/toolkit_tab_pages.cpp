// WC_TABCONTROL with a panel for each page.
#include "platform/failure.h"
#include "platform/win32/text_convert.h"
#include "platform/win32/toolkit_controls.h"

namespace platform::win32 {

TabPages::TabPages(Window& window, Control* parent) : ControlImpl(window, parent) {
  Create(0, WC_TABCONTROLW, WS_TABSTOP | WS_CLIPCHILDREN);
  // Tabs as wide as their captions: seven short ones fit a small dialog's
  // row without scroll arrows (the control's own minimum is 54 pixels).
  ::SendMessageW(Handle(), TCM_SETPADDING, 0, MAKELPARAM(window.Scale(4), window.Scale(3)));
  ::SendMessageW(Handle(), TCM_SETMINTABWIDTH, 0, window.Scale(16));
  Finish();
}

std::unique_ptr<platform::Panel> TabPages::AddPage(const Text& caption) {
  std::wstring text = WideText(caption);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text.data();
  const auto at = static_cast<WPARAM>(pages_.size());
  if (::SendMessageW(Handle(), TCM_INSERTITEMW, at, reinterpret_cast<LPARAM>(&item)) < 0)
    throw Failure("タブを作成できません");
  auto page = std::make_unique<win32::Panel>(*Owner(), this);
  pages_.push_back(page.get());
  SetBounds(Placed());
  ShowPages();
  return page;
}

int TabPages::PageIndex() const { return static_cast<int>(::SendMessageW(Handle(), TCM_GETCURSEL, 0, 0)); }

void TabPages::SetPageIndex(int index) {
  CheckItemIndex(index, PageCount());
  ::SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  ShowPages();
}

// The pages cover the display area that the tabs leave, in 96-DPI units.
void TabPages::SetBounds(const Rect& r) {
  ControlImpl::SetBounds(r);
  if (!Owner()) return;
  RECT area{};
  ::GetClientRect(Handle(), &area);
  ::SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  const Window& w = *Owner();
  for (platform::Panel* page : pages_)
    page->SetBounds({w.Unscale(area.left), w.Unscale(area.top), w.Unscale(area.right - area.left),
                     w.Unscale(area.bottom - area.top)});
}

LRESULT TabPages::OnNotify(const NMHDR& header) {
  if (header.code == TCN_SELCHANGE) {
    ShowPages();
    if (onChange) onChange();
  }
  return 0;
}

void TabPages::ShowPages() {
  const int shown = PageIndex();
  for (int i = 0; i < PageCount(); ++i) pages_[i]->SetVisible(i == shown);
}

}  // namespace platform::win32
