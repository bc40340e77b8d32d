#include "platform/win32/shell.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/text_convert.h"

namespace platform::win32 {

void Shell::Open(const Path& target) {
  // A link the shell cannot open is ignored; the shell shows its own notice.
  ::ShellExecuteW(nullptr, L"open", WideText(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace platform::win32
