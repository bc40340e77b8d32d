#include "platform/win32/text_convert.h"

#include <windows.h>

#include <climits>

namespace platform::win32 {

namespace {

int Length(size_t size) { return size > INT_MAX ? INT_MAX : static_cast<int>(size); }

// Whether the unit at i is half of a pair, and so no character alone.
bool LoneSurrogate(std::wstring_view text, size_t i) {
  const wchar_t c = text[i];
  if (IS_HIGH_SURROGATE(c)) return i + 1 >= text.size() || !IS_LOW_SURROGATE(text[i + 1]);
  if (IS_LOW_SURROGATE(c)) return i == 0 || !IS_HIGH_SURROGATE(text[i - 1]);
  return false;
}

}  // namespace

std::wstring Wide(std::string_view text) {
  if (text.empty()) return {};
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), Length(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), Length(text.size()), out.data(), n);
  return out;
}

std::wstring WideText(std::string_view text) { return Wide(text.substr(0, text.find('\0'))); }

Text Narrow(std::wstring_view text) {
  if (text.empty()) return {};
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), Length(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), Length(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

Text NarrowMarked(std::wstring_view text) {
  std::wstring marked(text);
  for (size_t i = 0; i < marked.size(); ++i)
    if (LoneSurrogate(text, i)) marked[i] = L'?';
  return Narrow(marked);
}

std::optional<Text> NarrowExact(std::wstring_view text) {
  for (size_t i = 0; i < text.size(); ++i)
    if (LoneSurrogate(text, i)) return std::nullopt;
  return Narrow(text);
}

}  // namespace platform::win32
