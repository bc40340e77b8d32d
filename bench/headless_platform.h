// The headless platform as one value, for benchmarks that run the palette
// with its files in memory.
#pragma once
#include "platform/headless/clipboard.h"
#include "platform/headless/file_system.h"
#include "platform/headless/library_loader.h"
#include "platform/headless/locale.h"
#include "platform/headless/other_windows.h"
#include "platform/headless/shell.h"
#include "platform/headless/toolkit.h"
#include "platform/platform.h"

namespace bench {

struct HeadlessPlatform {
  headless::Toolkit toolkit;
  headless::FileSystem files;
  headless::LibraryLoader libraries;
  headless::Shell shell;
  headless::Clipboard clipboard;
  headless::OtherWindows windows;
  headless::Locale locale;
  platform::Platform Bundle() { return {toolkit, files, libraries, shell, clipboard, windows, locale}; }
};

}  // namespace bench
