#include "platform/win32/row_text.h"

#include <cstdint>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

namespace platform::win32 {

namespace {

// The Windows fonts for characters beyond the Basic Multilingual Plane, in
// the order they are tried (a Wine prefix maps them to the host's fonts).
constexpr const wchar_t* kFallbacks[] = {L"Segoe UI Emoji", L"Segoe UI Symbol", L"Segoe UI Historic"};

bool UnderWine() {
  static const bool wine = [] {
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
  }();
  return wine;
}

uint32_t Big(const std::vector<uint8_t>& d, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v = v << 8 | (at + i < d.size() ? d[at + i] : 0);
  return v;
}

// A run of characters and the glyph of the first.
struct Range {
  uint32_t first, last, glyph;
};

// The character ranges of the font selected into dc, from its format 12
// character map (the one that reaches beyond the Basic Multilingual Plane).
std::vector<Range> Ranges(HDC dc) {
  constexpr DWORD kCmap = 'c' | 'm' << 8 | 'a' << 16 | static_cast<DWORD>('p') << 24;
  const DWORD size = ::GetFontData(dc, kCmap, 0, nullptr, 0);
  std::vector<Range> ranges;
  if (size == GDI_ERROR || size == 0) return ranges;
  std::vector<uint8_t> cmap(size);
  if (::GetFontData(dc, kCmap, 0, cmap.data(), size) != size) return ranges;
  const uint32_t tables = Big(cmap, 2, 2);
  for (uint32_t t = 0; t < tables; ++t) {
    const size_t at = Big(cmap, 4 + 8 * t + 4, 4);
    if (Big(cmap, at, 2) != 12) continue;
    const uint32_t groups = Big(cmap, at + 12, 4);
    for (uint32_t g = 0; g < groups && at + 16 + 12 * g + 12 <= cmap.size(); ++g) {
      const size_t group = at + 16 + 12 * g;
      ranges.push_back({Big(cmap, group, 4), Big(cmap, group + 4, 4), Big(cmap, group + 8, 4)});
    }
    break;
  }
  return ranges;
}

struct FontDeleter {
  void operator()(HFONT f) const { ::DeleteObject(f); }
};
using unique_font = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

struct Fallback {
  unique_font font;
  std::vector<Range> ranges;
};

// The fallback fonts at the height of the font selected into dc, made once
// for each height.
const std::vector<Fallback>& FallbacksFor(HDC dc) {
  static std::map<LONG, std::vector<Fallback>> made;
  LOGFONTW base{};
  ::GetObjectW(::GetCurrentObject(dc, OBJ_FONT), sizeof base, &base);
  auto& fonts = made[base.lfHeight];
  if (!fonts.empty()) return fonts;
  for (const wchar_t* face : kFallbacks) {
    LOGFONTW lf = base;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    Fallback f{unique_font(::CreateFontIndirectW(&lf)), {}};
    if (!f.font) continue;
    // Read on a DC of its own: the one being painted may be a window's.
    HDC probe = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(probe, f.font.get());
    f.ranges = Ranges(probe);
    ::SelectObject(probe, old);
    ::DeleteDC(probe);
    fonts.push_back(std::move(f));
  }
  return fonts;
}

// The first fallback font that has the character, and its glyph there.
std::pair<HFONT, WORD> GlyphFor(HDC dc, uint32_t c) {
  for (const Fallback& f : FallbacksFor(dc))
    for (const Range& r : f.ranges)
      if (c >= r.first && c <= r.last) return {f.font.get(), static_cast<WORD>(r.glyph + (c - r.first))};
  return {nullptr, 0};
}

}  // namespace

bool NeedsRowDrawing(std::string_view utf8) {
  static_assert(IsThai(0x0E00) && IsThai(0x0E7F) && !IsThai(0x0E80));
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    if (b >= 0xF0) return true;  // the first of four bytes: beyond the plane
    // Thai, U+0E00 to U+0E7F, is E0 B8 80 to E0 B9 BF.
    if (b == 0xE0 && i + 1 < utf8.size() && (utf8[i + 1] == '\xB8' || utf8[i + 1] == '\xB9')) return true;
  }
  return false;
}

void DrawRowText(HDC dc, const RECT& row, int x, const std::wstring& text) {
  const UINT align = ::SetTextAlign(dc, TA_UPDATECP);
  ::MoveToEx(dc, x, row.top, nullptr);
  // Runs of one kind: a surrogate pair alone, Thai, or anything else.
  for (size_t start = 0, end; start < text.size(); start = end) {
    const wchar_t c = text[start];
    const bool pair = IS_HIGH_SURROGATE(c) && start + 1 < text.size() && IS_LOW_SURROGATE(text[start + 1]);
    UINT flags = ETO_CLIPPED;
    HFONT font = nullptr;
    WORD glyph = 0;
    if (pair) {
      end = start + 2;
      // By its glyph: the system takes text a UTF-16 unit at a time there.
      std::tie(font, glyph) = GlyphFor(dc, 0x10000 + ((c - 0xD800) << 10) + (text[start + 1] - 0xDC00));
      if (font) flags |= ETO_GLYPH_INDEX;
    } else {
      // Wine shapes Thai with the selected font alone, before its font links
      // could give a glyph: there Thai is drawn unshaped. (Windows shapes
      // with fallback, and unshaped text would cost it its scripts.)
      const bool thai = IsThai(c);
      if (thai && UnderWine()) flags |= ETO_IGNORELANGUAGE;
      for (end = start + 1; end < text.size() && IsThai(text[end]) == thai && !IS_HIGH_SURROGATE(text[end]);) ++end;
    }
    HGDIOBJ old = font ? ::SelectObject(dc, font) : nullptr;
    if (font)
      ::ExtTextOutW(dc, 0, 0, flags, &row, reinterpret_cast<LPCWSTR>(&glyph), 1, nullptr);
    else
      ::ExtTextOutW(dc, 0, 0, flags, &row, text.data() + start, static_cast<UINT>(end - start), nullptr);
    if (old) ::SelectObject(dc, old);
  }
  ::SetTextAlign(dc, align);
}

}  // namespace platform::win32
