// Pictures from the program's resources: button icons and bitmaps.
#include "platform/failure.h"
#include "platform/win32/toolkit_controls.h"

namespace platform::win32 {

// The icon resources hold 16, 24 and 32 pixels; the system scales the
// nearest to other sizes.
unique_hicon LoadPictureIcon(int id, int size) {
  unique_hicon icon(static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                                    size, size, LR_DEFAULTCOLOR)));
  if (!icon) throw Failure("画像を読み込めません");
  return icon;
}

// ---- Picture

Picture::Picture(Window& window, Control* parent, int bitmap) : ControlImpl(window, parent) {
  bitmap_.reset(static_cast<HBITMAP>(
      ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmap), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!bitmap_) throw Failure("画像を読み込めません");
  BITMAP info{};
  ::GetObjectW(bitmap_.get(), sizeof info, &info);
  natural_ = {info.bmWidth, info.bmHeight};
  Create(WS_EX_CONTROLPARENT, RegisterPlainClass(L"MirufoPicture", IDC_ARROW), 0);
  Finish();
}

// Stretched with halftoning: at another DPI the card keeps its look.
void Picture::Paint(HDC dc) const {
  RECT r{};
  ::GetClientRect(Handle(), &r);
  unique_hdc source(::CreateCompatibleDC(dc));
  HGDIOBJ old = ::SelectObject(source.get(), bitmap_.get());
  ::SetStretchBltMode(dc, HALFTONE);
  ::SetBrushOrgEx(dc, 0, 0, nullptr);
  ::StretchBlt(dc, 0, 0, r.right, r.bottom, source.get(), 0, 0, natural_.cx, natural_.cy, SRCCOPY);
  ::SelectObject(source.get(), old);
}

LRESULT Picture::OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
  if (msg == WM_ERASEBKGND) {
    Paint(reinterpret_cast<HDC>(wp));
    handled = true;
    return 1;
  }
  if (msg == WM_SIZE) ::InvalidateRect(Handle(), nullptr, TRUE);  // stretched anew
  if (click_.Click(msg, onClick)) return 0;
  return ControlImpl::OnMessage(msg, wp, lp, handled);
}

}  // namespace platform::win32
