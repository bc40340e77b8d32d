// The bundle of platform services handed to the palette window.
#pragma once
#include "platform/clipboard.h"
#include "platform/file_system.h"
#include "platform/library_loader.h"
#include "platform/locale.h"
#include "platform/other_windows.h"
#include "platform/shell.h"
#include "platform/toolkit.h"

namespace platform {

struct Platform {
  Toolkit& toolkit;
  FileSystem& files;
  LibraryLoader& libraries;
  Shell& shell;
  Clipboard& clipboard;
  OtherWindows& windows;
  Locale& locale;
};

}  // namespace platform
