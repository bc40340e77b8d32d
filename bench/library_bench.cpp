// Times the library operations on a large generated library, in headless.
#include <cstdio>

#include "app/palette_window.h"
#include "bench/generated_library.h"
#include "bench/headless_platform.h"
#include "platform/cp932.h"
#include "platform/text_file.h"

int main() {
  constexpr int kRuns = 5;
  bench::HeadlessPlatform headless;
  headless::FileSystem& files = headless.files;
  const std::string kao = files.ExecutableFolder() + "\\kao";
  bench::GenerateLibrary(files, kao, {});
  const std::string groupFile = kao + "\\big\\big.txt";
  const size_t bytes = files.ReadFile(groupFile).size();
  // The same faces in a UTF-8 group.
  const std::string utf8File = kao + "\\big\\big8.txt";
  files.WriteFile(utf8File, *textfile::Encode(cp932::Decode(files.ReadFile(groupFile)), textfile::Encoding::Utf8));

  app::TFKao palette(headless.Bundle());
  auto& lib = palette.Library();
  lib.defaultClass = "big";
  lib.defaultGroup = "big";
  const double listClasses = bench::BestSeconds(kRuns, [&] { palette.Library().ListClasses(); });
  const double listGroups = bench::BestSeconds(kRuns, [&] { palette.Library().ListGroups(); });
  const double loadGroup = bench::BestSeconds(kRuns, [&] { palette.Library().LoadGroup(); });
  const double saveGroup = bench::BestSeconds(kRuns, [&] { palette.Library().SaveGroup(); });
  std::string sink;
  const double raw = bench::BestSeconds(kRuns, [&] { sink = files.ReadFile(groupFile); });
  auto& groups = palette.Get<platform::ListBox>("ListBox1");
  for (int i = 0; i < groups.Count(); ++i)
    if (groups.Item(i) == "big8") groups.SetItemIndex(i);
  const double loadUtf8 = bench::BestSeconds(kRuns, [&] { palette.Library().LoadGroup(); });
  const double rawUtf8 = bench::BestSeconds(kRuns, [&] { sink = files.ReadFile(utf8File); });

  std::printf("library: %d classes, %d groups, %d faces (%zu bytes)\n", palette.Get<platform::ListBox>("ListBox3").Count(),
              palette.Get<platform::ListBox>("ListBox1").Count(), palette.Get<platform::ListBox>("ListBox2").Count(), bytes);
  std::printf("best of %d runs each\n", kRuns);
  std::printf("ListClasses %8.3f ms\n", listClasses * 1e3);
  std::printf("ListGroups  %8.3f ms\n", listGroups * 1e3);
  std::printf("LoadGroup   %8.3f ms\n", loadGroup * 1e3);
  std::printf("SaveGroup   %8.3f ms\n", saveGroup * 1e3);
  std::printf("raw read    %8.3f ms\n", raw * 1e3);
  std::printf("LoadGroup / raw read = %.2f (target: at most 3)\n", loadGroup / raw);
  std::printf("the same faces as UTF-8 (%zu bytes):\n", sink.size());
  std::printf("LoadGroup   %8.3f ms\n", loadUtf8 * 1e3);
  std::printf("raw read    %8.3f ms\n", rawUtf8 * 1e3);
  return 0;
}
