// Times, with the real controls, how long the palette takes from creation
// until its face list holds a group of 200,000 faces.
#include <cstdio>

#include "app/palette_window.h"
#include "bench/generated_library.h"
#include "platform/win32/win32_platform.h"

int main() {
  platform::win32::Win32Platform system;
  platform::Platform p = system.Bundle();
  // Generated beside the program (rewritten by every run).
  const std::string big = p.files.ExecutableFolder() + "\\bench-kao";
  bench::GenerateLibrary(p.files, big, {10, 10, 200000});
  int count = 0;
  double start = 0, fill = 0;
  {
    std::unique_ptr<app::TFKao> created;
    start = bench::Seconds([&] { created = std::make_unique<app::TFKao>(p); });
    app::TFKao& palette = *created;
    palette.Library().faceFolder = big;
    palette.Library().defaultClass = "big";
    palette.Library().defaultGroup = "big";
    fill = bench::Seconds([&] {
      palette.ListClasses();
      palette.ListGroups();
      palette.LoadGroup();
    });
    count = palette.ListBox2->Count();
  }
  std::printf("palette created and shown: %.3f s\n", start);
  std::printf("face list filled with %d faces: %.3f s (target: under 2 s)\n", count, fill);
  return 0;
}
