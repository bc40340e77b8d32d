#include "platform/win32/clipboard.h"

#include <windows.h>

#include <cstring>

#include "platform/failure.h"
#include "platform/win32/text_convert.h"
#include "platform/win32/unique_handle.h"

namespace platform::win32 {

namespace {

// The clipboard held open for one operation. Another program may hold it
// for a moment, so opening is tried a few times.
class OpenClipboardGuard {
 public:
  OpenClipboardGuard() {
    for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
      open_ = ::OpenClipboard(nullptr) != 0;
      if (!open_) ::Sleep(10);
    }
  }
  ~OpenClipboardGuard() {
    if (open_) ::CloseClipboard();
  }
  OpenClipboardGuard(const OpenClipboardGuard&) = delete;
  OpenClipboardGuard& operator=(const OpenClipboardGuard&) = delete;
  explicit operator bool() const { return open_; }

 private:
  bool open_ = false;
};

class GlobalLockGuard {
 public:
  explicit GlobalLockGuard(HGLOBAL memory) : memory_(memory), data_(::GlobalLock(memory)) {}
  ~GlobalLockGuard() {
    if (data_) ::GlobalUnlock(memory_);
  }
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  void* Data() const { return data_; }

 private:
  HGLOBAL memory_;
  void* data_;
};

}  // namespace

bool Clipboard::SetText(const Text& text) {
  OpenClipboardGuard open;
  if (!open) return false;
  const std::wstring wide = WideText(text);
  unique_hglobal memory(::GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t)));
  if (!memory) return false;
  {
    GlobalLockGuard lock(memory.get());
    if (!lock.Data()) return false;
    std::memcpy(lock.Data(), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  }
  if (!::EmptyClipboard()) return false;
  if (!::SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
  memory.release();  // the clipboard owns it now
  return true;
}

std::optional<std::wstring> ClipboardWideText() {
  OpenClipboardGuard open;
  if (!open) return std::nullopt;
  HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
  if (!data) return std::wstring();
  GlobalLockGuard lock(data);
  if (!lock.Data()) return std::wstring();
  const auto* chars = static_cast<const wchar_t*>(lock.Data());
  const size_t limit = ::GlobalSize(data) / sizeof(wchar_t);
  return std::wstring(chars, wcsnlen(chars, limit));
}

Text Clipboard::GetText() const {
  const auto wide = ClipboardWideText();
  if (!wide) throw Failure(kClipboardBusy);
  return Narrow(*wide);
}

bool Clipboard::HasText() const { return ::IsClipboardFormatAvailable(CF_UNICODETEXT) != 0; }

bool Clipboard::Clear() {
  OpenClipboardGuard open;
  return open && ::EmptyClipboard();
}

}  // namespace platform::win32
