// Program entry: the palette window is the program; closing it ends it.
#include "app/palette_window.h"
#include "platform/win32/win32_platform.h"

int main() {
  platform::win32::Win32Platform system;
  platform::Platform p = system.Bundle();
  p.toolkit.SetApplicationTitle(forms::kProgramTitle);
  app::TFKao palette(p);
  p.toolkit.Run(palette.Window());
  return 0;
}
