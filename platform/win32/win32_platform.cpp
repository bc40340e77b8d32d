#include "platform/win32/win32_platform.h"

#include "platform/win32/clipboard.h"
#include "platform/win32/file_system.h"
#include "platform/win32/library_loader.h"
#include "platform/win32/locale.h"
#include "platform/win32/other_windows.h"
#include "platform/win32/shell.h"
#include "platform/win32/toolkit.h"

namespace platform::win32 {

Win32Platform::Win32Platform()
    : toolkit_(std::make_unique<Toolkit>()),
      files_(std::make_unique<FileSystem>()),
      libraries_(std::make_unique<LibraryLoader>()),
      shell_(std::make_unique<Shell>()),
      clipboard_(std::make_unique<Clipboard>()),
      windows_(std::make_unique<OtherWindows>()),
      locale_(std::make_unique<Locale>()) {}

Win32Platform::~Win32Platform() = default;

}  // namespace platform::win32
