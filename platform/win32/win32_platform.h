// The real Windows services for the program, as one bundle. Free of
// windows.h, so the program entry needs no Win32 headers.
#pragma once
#include <memory>

#include "platform/platform.h"

namespace platform::win32 {

class Win32Platform {
 public:
  Win32Platform();
  ~Win32Platform();
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  platform::Platform Bundle() { return {*toolkit_, *files_, *libraries_, *shell_, *clipboard_, *windows_, *locale_}; }

 private:
  std::unique_ptr<platform::Toolkit> toolkit_;
  std::unique_ptr<platform::FileSystem> files_;
  std::unique_ptr<platform::LibraryLoader> libraries_;
  std::unique_ptr<platform::Shell> shell_;
  std::unique_ptr<platform::Clipboard> clipboard_;
  std::unique_ptr<platform::OtherWindows> windows_;
  std::unique_ptr<platform::Locale> locale_;
};

}  // namespace platform::win32
