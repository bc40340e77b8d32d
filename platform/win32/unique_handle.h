// One owner for every kind of Win32 handle: the traits say what an empty
// value is and how to close one. reset() always closes the value it held,
// and closing keeps the thread's last error, so a failure can be read after
// the handles that led to it are gone.
#pragma once
#include <windows.h>

#include <utility>

namespace platform::win32 {

template <class Traits>
class unique_handle {
 public:
  using pointer = typename Traits::pointer;

  unique_handle() noexcept = default;
  explicit unique_handle(pointer value) noexcept : value_(value) {}
  unique_handle(const unique_handle&) = delete;
  unique_handle& operator=(const unique_handle&) = delete;
  unique_handle(unique_handle&& other) noexcept : value_(other.release()) {}
  unique_handle& operator=(unique_handle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~unique_handle() { close(); }

  pointer get() const noexcept { return value_; }
  explicit operator bool() const noexcept { return value_ != Traits::invalid(); }

  pointer release() noexcept { return std::exchange(value_, Traits::invalid()); }
  void reset(pointer value = Traits::invalid()) noexcept {
    close();
    value_ = value;
  }

 private:
  void close() noexcept {
    if (value_ != Traits::invalid()) {
      const DWORD error = ::GetLastError();
      Traits::close(value_);
      ::SetLastError(error);
    }
    value_ = Traits::invalid();
  }
  pointer value_ = Traits::invalid();
};

template <class T, auto Close>
struct null_handle_traits {
  using pointer = T;
  static constexpr pointer invalid() noexcept { return nullptr; }
  static void close(pointer value) noexcept { Close(value); }
};

struct kernel_handle_traits {  // CreateFile and friends fail with INVALID_HANDLE_VALUE
  using pointer = HANDLE;
  static pointer invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void close(pointer value) noexcept { ::CloseHandle(value); }
};

struct find_handle_traits {
  using pointer = HANDLE;
  static pointer invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void close(pointer value) noexcept { ::FindClose(value); }
};

inline void DeleteGdiObject(HGDIOBJ object) noexcept { ::DeleteObject(object); }

using unique_hwnd = unique_handle<null_handle_traits<HWND, ::DestroyWindow>>;
using unique_hfont = unique_handle<null_handle_traits<HFONT, DeleteGdiObject>>;
using unique_hbitmap = unique_handle<null_handle_traits<HBITMAP, DeleteGdiObject>>;
using unique_hbrush = unique_handle<null_handle_traits<HBRUSH, DeleteGdiObject>>;
using unique_hicon = unique_handle<null_handle_traits<HICON, ::DestroyIcon>>;
using unique_hmenu = unique_handle<null_handle_traits<HMENU, ::DestroyMenu>>;
using unique_hglobal = unique_handle<null_handle_traits<HGLOBAL, ::GlobalFree>>;
using unique_hmodule = unique_handle<null_handle_traits<HMODULE, ::FreeLibrary>>;
using unique_file = unique_handle<kernel_handle_traits>;
using unique_find = unique_handle<find_handle_traits>;

// A memory device context from CreateCompatibleDC.
using unique_hdc = unique_handle<null_handle_traits<HDC, ::DeleteDC>>;

}  // namespace platform::win32
