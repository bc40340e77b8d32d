// The list font draws a character it has no glyph of with the glyph of a
// font linked to it, as the system's font linking does: the letters of
// faces such as ʕ•ᴥ•ʔ, ᕕ( ᐛ )ᕗ and (๑•̀ㅂ•́)و are no boxes.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32/row_text.h"

namespace {

// The pixels of the text drawn black on white in that face, as the
// program's fonts are made; with ETO_IGNORELANGUAGE the text is not shaped;
// with kRow as a list's row is drawn.
constexpr UINT kRow = 0x80000000;
std::vector<uint32_t> Drawn(const std::wstring& text, const wchar_t* face, UINT options = 0) {
  constexpr int kWidth = 48, kHeight = 32;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = ::CreateCompatibleDC(nullptr);
  HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
  HFONT font = ::CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
  HGDIOBJ oldFont = ::SelectObject(dc, font);
  RECT all{0, 0, kWidth, kHeight};
  ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ::SetBkMode(dc, TRANSPARENT);
  if (options == kRow)
    platform::win32::DrawRowText(dc, all, 4, text);
  else
    ::ExtTextOutW(dc, 4, 2, options, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
  ::GdiFlush();
  const auto* p = static_cast<const uint32_t*>(bits);
  std::vector<uint32_t> pixels(p, p + kWidth * kHeight);
  ::SelectObject(dc, oldFont);
  ::DeleteObject(font);
  ::SelectObject(dc, oldBitmap);
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
  return pixels;
}

}  // namespace

TEST(FontFallback, TheListFontDrawsLettersOfOtherScriptsAndSymbols) {
  const wchar_t* face = L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF";  // the list font, ＭＳ ゴシック
  const std::vector<uint32_t> box = Drawn(L"\xE000", face);          // a private use character: no font has it
  ASSERT_TRUE(Drawn(L"\x3042", face) != box);                        // あ, the font's own
  // IPA (ʕ ʔ), Latin small capitals (ᴥ), Canadian syllabics (ᕕ ᕗ ᐛ),
  // Kannada (ಠ), Greek, Cyrillic, Arabic (و), symbols (☃ ✧).
  for (const wchar_t* text : {L"\x0295", L"\x0294", L"\x1D25", L"\x1555", L"\x1557", L"\x141B", L"\x0CA0", L"\x03C9",
                              L"\x0416", L"\x0648", L"\x2603", L"\x2727"})
    EXPECT_TRUE(Drawn(text, face) != box) << "U+" << std::hex << +text[0] << " is drawn as a box";
}

// Wine shapes Thai text with the font selected alone, before font linking
// could find a glyph: drawn unshaped, Thai letters and digits (๑, in many
// faces) come from the linked fonts as well.
TEST(FontFallback, ThaiComesFromTheLinkedFontsWhenTheTextIsNotShaped) {
  const wchar_t* face = L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF";
  const std::vector<uint32_t> box = Drawn(L"\xE000", face, ETO_IGNORELANGUAGE);
  for (const wchar_t* text : {L"\x0E01", L"\x0E51"})
    EXPECT_TRUE(Drawn(text, face, ETO_IGNORELANGUAGE) != box) << "U+" << std::hex << +text[0] << " is drawn as a box";
}

// Beyond the Basic Multilingual Plane font linking finds nothing: a row
// takes those characters from the fallback fonts (emoji, mathematical
// letters, hieroglyphs), with the rest of the row as it was.
TEST(FontFallback, ARowDrawsCharactersBeyondTheBasicPlaneFromTheFallbackFonts) {
  const wchar_t* face = L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF";
  // Two characters drawn as boxes look alike; drawn as glyphs, they differ.
  const std::pair<const wchar_t*, const wchar_t*> pairs[] = {
      {L"\xD83C\xDF63", L"\xD83C\xDF59"},  // 🍣 🍙
      {L"\xD835\xDCF1", L"\xD835\xDCEE"},  // 𝓱 𝓮
      {L"\xD80C\xDC00", L"\xD80C\xDC01"},  // 𓀀 𓀁
      {L"\x0E01", L"\x0E51"},               // ก ๑
  };
  for (const auto& [a, b] : pairs)
    EXPECT_TRUE(Drawn(a, face, kRow) != Drawn(b, face, kRow)) << "U+" << std::hex << +a[0] << " " << +a[1] << " is a box";
  const std::vector<uint32_t> box = Drawn(L"\xDB80\xDC00", face, kRow);  // U+F0000, private use: no font has it
  EXPECT_TRUE(Drawn(L"\xD83C\xDF63", face, kRow) != box);
  EXPECT_TRUE(Drawn(L"a\xD83C\xDF63", face, kRow) != Drawn(L"a", face, kRow));
}
