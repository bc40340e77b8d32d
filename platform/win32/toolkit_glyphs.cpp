// The pictures of the top bar's buttons, drawn with GDI on a 16x16 grid and
// turned into icons with a transparent background.
#include <cstring>

#include "platform/win32/toolkit_controls.h"

namespace platform::win32 {

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);  // becomes transparent

// Pens and brushes made for one picture and released with it.
class Painter {
 public:
  explicit Painter(HDC dc) : dc_(dc) {}
  ~Painter() {
    ::SelectObject(dc_, ::GetStockObject(NULL_PEN));
    ::SelectObject(dc_, ::GetStockObject(NULL_BRUSH));
    for (HGDIOBJ o : made_) ::DeleteObject(o);
  }
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

  void Pen(COLORREF color, int width = 1) { Select(::CreatePen(PS_SOLID, width, color)); }
  void NoPen() { ::SelectObject(dc_, ::GetStockObject(NULL_PEN)); }
  void Fill(COLORREF color) { Select(::CreateSolidBrush(color)); }
  void NoFill() { ::SelectObject(dc_, ::GetStockObject(NULL_BRUSH)); }

  void Box(int l, int t, int r, int b) { ::Rectangle(dc_, l, t, r, b); }
  void Round(int l, int t, int r, int b, int corner) { ::RoundRect(dc_, l, t, r, b, corner, corner); }
  void Oval(int l, int t, int r, int b) { ::Ellipse(dc_, l, t, r, b); }
  void Line(int x0, int y0, int x1, int y1) {
    ::MoveToEx(dc_, x0, y0, nullptr);
    ::LineTo(dc_, x1, y1);
  }
  template <size_t N>
  void Shape(const POINT (&points)[N]) {
    ::Polygon(dc_, points, static_cast<int>(N));
  }
  template <size_t N>
  void Path(const POINT (&points)[N]) {
    ::Polyline(dc_, points, static_cast<int>(N));
  }
  void Dot(int x, int y, COLORREF color) { ::SetPixel(dc_, x, y, color); }

 private:
  void Select(HGDIOBJ o) {
    made_.push_back(o);
    ::SelectObject(dc_, o);
  }
  HDC dc_;
  std::vector<HGDIOBJ> made_;
};

constexpr COLORREF kInk = RGB(48, 48, 56);
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(40, 100, 200);
constexpr COLORREF kLightBlue = RGB(150, 190, 240);

void Sheet(Painter& p, int l, int t, int r, int b) {
  p.Pen(kInk);
  p.Fill(kPaper);
  p.Box(l, t, r, b);
}

void TextLines(Painter& p, int l, int r, int top, int count, COLORREF color) {
  p.Pen(color);
  for (int i = 0; i < count; ++i) p.Line(l, top + 2 * i, r, top + 2 * i);
}

void Clipboard(Painter& p) {
  p.Pen(RGB(110, 70, 30));
  p.Fill(RGB(190, 140, 80));
  p.Round(2, 2, 14, 16, 3);
  Sheet(p, 4, 4, 12, 14);
  p.Pen(RGB(90, 90, 100));
  p.Fill(RGB(190, 190, 200));
  p.Round(5, 1, 11, 5, 2);
}

void Draw(Painter& p, Glyph glyph) {
  switch (glyph) {
    case Glyph::Register: {
      p.Pen(RGB(20, 140, 50), 3);
      const POINT tick[] = {{3, 8}, {6, 11}, {13, 4}};
      p.Path(tick);
      break;
    }
    case Glyph::Explorer: {
      p.Pen(RGB(150, 105, 20));
      p.Fill(RGB(230, 180, 60));
      const POINT back[] = {{1, 3}, {6, 3}, {7, 5}, {14, 5}, {14, 13}, {1, 13}};
      p.Shape(back);
      p.Fill(RGB(250, 215, 110));
      const POINT front[] = {{1, 13}, {3, 7}, {15, 7}, {14, 13}};
      p.Shape(front);
      break;
    }
    case Glyph::Link: {  // a globe: an address on the net
      p.Pen(RGB(30, 80, 160));
      p.Fill(RGB(140, 200, 245));
      p.Oval(1, 1, 16, 16);
      p.NoFill();
      p.Oval(5, 1, 12, 16);
      p.Line(8, 1, 8, 15);
      p.Line(1, 8, 15, 8);
      p.Line(3, 4, 13, 4);
      p.Line(3, 12, 13, 12);
      break;
    }
    case Glyph::DateTime: {
      p.Pen(kInk);
      p.Fill(kPaper);
      p.Oval(1, 1, 16, 16);
      for (auto [x, y] : {std::pair{8, 3}, {13, 8}, {8, 13}, {3, 8}}) p.Dot(x, y, kInk);
      p.Pen(kInk, 1);
      p.Line(8, 8, 8, 4);
      p.Pen(RGB(200, 40, 40), 1);
      p.Line(8, 8, 11, 10);
      break;
    }
    case Glyph::Edit: {
      p.Pen(kInk);
      p.Fill(RGB(240, 190, 60));
      const POINT body[] = {{4, 10}, {11, 3}, {14, 6}, {7, 13}};
      p.Shape(body);
      p.Fill(RGB(240, 140, 150));
      const POINT cap[] = {{11, 3}, {12, 2}, {15, 5}, {14, 6}};
      p.Shape(cap);
      p.Fill(RGB(245, 225, 180));
      const POINT tip[] = {{4, 10}, {7, 13}, {2, 15}};
      p.Shape(tip);
      break;
    }
    case Glyph::SelectAll: {
      Sheet(p, 3, 1, 14, 15);
      p.NoPen();
      p.Fill(kBlue);
      for (int y : {3, 6, 9, 12}) p.Box(5, y, 13, y + 2);
      break;
    }
    case Glyph::PasteSelected: {
      Clipboard(p);
      p.NoPen();
      p.Fill(kBlue);
      p.Box(5, 7, 12, 9);
      p.Box(5, 10, 12, 12);
      break;
    }
    case Glyph::EditSave: {
      p.Pen(RGB(20, 40, 90));
      p.Fill(RGB(50, 90, 170));
      p.Box(1, 1, 15, 15);
      p.Pen(kInk);
      p.Fill(kPaper);
      p.Box(4, 1, 12, 7);
      p.Fill(RGB(170, 170, 180));
      p.Box(5, 10, 11, 15);
      p.Dot(9, 12, kInk);
      p.Dot(9, 13, kInk);
      break;
    }
    case Glyph::EditClose: {
      p.Pen(RGB(200, 30, 30), 2);
      p.Line(4, 4, 12, 12);
      p.Line(12, 4, 4, 12);
      break;
    }
    case Glyph::Copy: {
      Sheet(p, 1, 1, 10, 12);
      TextLines(p, 3, 8, 4, 3, kLightBlue);
      Sheet(p, 6, 5, 15, 16);
      TextLines(p, 8, 13, 8, 3, kBlue);
      break;
    }
    case Glyph::Cut: {
      p.Pen(RGB(110, 110, 120), 2);
      p.Line(5, 10, 11, 1);
      p.Line(11, 10, 5, 1);
      p.Pen(RGB(200, 30, 30), 2);
      p.NoFill();
      p.Oval(1, 10, 7, 16);
      p.Oval(9, 10, 15, 16);
      break;
    }
    case Glyph::Paste: {
      Clipboard(p);
      TextLines(p, 6, 10, 7, 3, kInk);
      break;
    }
    case Glyph::Main: {
      p.Pen(RGB(120, 40, 30));
      p.Fill(RGB(210, 70, 50));
      const POINT roof[] = {{8, 1}, {15, 8}, {1, 8}};
      p.Shape(roof);
      p.Pen(kInk);
      p.Fill(RGB(245, 235, 210));
      p.Box(3, 8, 13, 15);
      p.Fill(RGB(130, 90, 50));
      p.Box(7, 10, 10, 15);
      break;
    }
    case Glyph::None:  // text buttons get no picture
      break;
  }
}

}  // namespace

unique_hicon MakeGlyphIcon(Glyph glyph, int size) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = size;
  bi.bmiHeader.biHeight = -size;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  unique_hbitmap color(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!color || !bits) return {};
  {
    unique_hdc dc(::CreateCompatibleDC(nullptr));
    HGDIOBJ old = ::SelectObject(dc.get(), color.get());
    const RECT all{0, 0, size, size};
    HBRUSH key = ::CreateSolidBrush(kKey);
    ::FillRect(dc.get(), &all, key);
    ::DeleteObject(key);
    // Drawn for 16 pixels; other sizes scale the grid.
    ::SetMapMode(dc.get(), MM_ANISOTROPIC);
    ::SetWindowExtEx(dc.get(), 16, 16, nullptr);
    ::SetViewportExtEx(dc.get(), size, size, nullptr);
    {
      Painter painter(dc.get());
      Draw(painter, glyph);
    }
    ::GdiFlush();
    ::SelectObject(dc.get(), old);
  }
  // Alpha from the key colour; the mask says the same for old renderers.
  auto* pixel = static_cast<uint32_t*>(bits);
  const size_t count = static_cast<size_t>(size) * static_cast<size_t>(size);
  const size_t stride = static_cast<size_t>((size + 15) / 16) * 2;
  std::vector<uint8_t> mask(stride * static_cast<size_t>(size), 0);
  for (size_t i = 0; i < count; ++i) {
    if ((pixel[i] & 0xFFFFFF) == 0xFF00FF) {
      pixel[i] = 0;
      const size_t x = i % static_cast<size_t>(size), y = i / static_cast<size_t>(size);
      mask[y * stride + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    } else {
      pixel[i] |= 0xFF000000u;
    }
  }
  unique_hbitmap monochrome(::CreateBitmap(size, size, 1, 1, mask.data()));
  ICONINFO info{TRUE, 0, 0, monochrome.get(), color.get()};
  return unique_hicon(::CreateIconIndirect(&info));
}

}  // namespace platform::win32
