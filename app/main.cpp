// Program entry: the palette window is the program; closing it ends it.
#include <windows.h>

#include "app/palette_window.h"
#include "app/start_trace.h"
#include "platform/win32/win32_platform.h"

namespace {

// Milliseconds since the system made this process.
double ProcessAgeMs() {
  FILETIME created, exited, kernel, user, now;
  ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
  ::GetSystemTimePreciseAsFileTime(&now);
  const auto value = [](FILETIME f) { return (static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
  return static_cast<double>(value(now) - value(created)) / 10000.0;
}

}  // namespace

int main() {
  app::StartTraceBegin(ProcessAgeMs());
  platform::win32::Win32Platform system;
  platform::Platform p = system.Bundle();
  app::StartMark("platform: libraries, window classes");
  p.toolkit.SetApplicationTitle(forms::kProgramTitle);
  app::TFKao palette(p);
  p.toolkit.Run(palette.Window());
  return 0;
}
