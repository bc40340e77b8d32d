#include "platform/win32/text_convert.h"

#include <windows.h>

#include <climits>

namespace platform::win32 {

namespace {

int Length(size_t size) { return size > INT_MAX ? INT_MAX : static_cast<int>(size); }

}  // namespace

std::wstring Wide(std::string_view sjis) {
  if (sjis.empty()) return {};
  const int n = ::MultiByteToWideChar(kShiftJis, 0, sjis.data(), Length(sjis.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(kShiftJis, 0, sjis.data(), Length(sjis.size()), out.data(), n);
  return out;
}

std::wstring WideText(std::string_view sjis) { return Wide(sjis.substr(0, sjis.find('\0'))); }

Text Narrow(std::wstring_view text) {
  if (text.empty()) return {};
  const int n = ::WideCharToMultiByte(kShiftJis, 0, text.data(), Length(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(kShiftJis, 0, text.data(), Length(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::optional<Text> NarrowExact(std::wstring_view text) {
  if (text.empty()) return std::string();
  BOOL usedDefault = FALSE;
  const int n = ::WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, text.data(), Length(text.size()), nullptr, 0,
                                      nullptr, &usedDefault);
  if (n <= 0 || usedDefault) return std::nullopt;
  std::string out(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, text.data(), Length(text.size()), out.data(), n, nullptr,
                        &usedDefault);
  // Some mappings are one way (several UTF-16 characters share a CP932
  // code); only a text that comes back unchanged is the same name.
  if (usedDefault || Wide(out) != text) return std::nullopt;
  return out;
}

Text NarrowMarked(std::wstring_view text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    const size_t n = IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1]) ? 2 : 1;
    const auto c = NarrowExact(text.substr(i, n));
    out += c ? *c : "?";
    i += n;
  }
  return out;
}

bool FitsShiftJis(std::wstring_view text) { return NarrowExact(text).has_value(); }

}  // namespace platform::win32
