// Times finding faces by typing in a library of 200,000 faces in 5,000
// groups and 50 classes: from the keystroke that makes the query one, two
// or three characters long until the result list is filled (painted, on
// the real platform), medians of 50 queries each, cut from faces of the
// library by a generator seeded apart from the library's. Built twice: on
// the headless platform, and on the real one (run under Wine).
#ifdef FIND_BENCH_WIN32
#include <windows.h>
// Before the portable headers: it takes back the macros of <windows.h>
// that would rename their members (MessageBox).
#include "platform/win32/toolkit_controls.h"
#endif

#include <cstdio>
#include <memory>
#include <random>
#include <stdexcept>
#include <vector>

#include "app/palette_window.h"
#include "bench/stopwatch.h"
#include "bench/varied_library.h"

#ifdef FIND_BENCH_WIN32
#include "platform/win32/text_convert.h"
#include "platform/win32/win32_platform.h"
#else
#include "bench/headless_platform.h"
#endif

namespace {

constexpr int kQueries = 50;
constexpr unsigned kLibrarySeed = 20261211, kQuerySeed = 7;

#ifdef FIND_BENCH_WIN32
void Pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

HWND HandleOf(platform::Control& control) { return dynamic_cast<platform::win32::ControlCore&>(control).Handle(); }

// The last character typed as the input method gives it: one change of the
// field's text; then the rows in the list and the window painted.
void Type(app::TFKao& palette, const Text& character) {
  const std::wstring wide = platform::win32::Wide(character);
  const HWND field = HandleOf(palette.Get<platform::EntryBox>("eFind"));
  const LRESULT end = ::GetWindowTextLengthW(field);
  ::SendMessageW(field, EM_SETSEL, end, end);
  ::SendMessageW(field, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
  auto& results = palette.Get<platform::ListBox>("ListBox4");
  while (::SendMessageW(HandleOf(results), LB_GETCOUNT, 0, 0) < results.Count()) Pump();
  ::UpdateWindow(reinterpret_cast<HWND>(palette.Window().Id()));
}

void Settle() { Pump(); }
#else
void Type(app::TFKao& palette, const Text& character) {
  auto& field = palette.Get<platform::EntryBox>("eFind");
  field.SetText(field.GetText() + character);
}

void Settle() {}
#endif

// The last character of the text, where the keystroke timed begins.
size_t LastCharacter(const Text& text) {
  size_t last = 0;
  for (size_t at = 0; at < text.size(); at = utf8::NextChar(text, at)) last = at;
  return last;
}

int Run(const platform::Platform& p) {
  const Path folder = p.files.ExecutableFolder() + "\\bench-find-kao";
  bench::VariedLibrary library(kLibrarySeed);
  const double written = bench::Seconds([&] { library.Write(p.files, folder, {}); });
  std::printf("library of 200,000 faces in 5,000 groups and 50 classes written: %.1f s\n", written);

  std::unique_ptr<app::TFKao> created;
  const double start = bench::Seconds([&] { created = std::make_unique<app::TFKao>(p); });
  app::TFKao& palette = *created;
  palette.Library().faceFolder = folder;
  palette.Library().ListClasses();
  palette.Library().ListGroups();
  palette.Library().LoadGroup();
  Settle();
  std::printf("palette created and shown: %.3f s\n", start);

  auto& field = palette.Get<platform::EntryBox>("eFind");
  auto& results = palette.Get<platform::ListBox>("ListBox4");
  const double first = bench::Seconds([&] { Type(palette, "a"); });
  std::printf("first search, reading the whole library: %.3f s\n", first);

  std::mt19937 rng(kQuerySeed);
  for (size_t length = 1; length <= 3; ++length) {
    std::vector<double> times;
    size_t shown = 0;
    for (int q = 0; q < kQueries; ++q) {
      const Text query = library.Query(length, rng);
      const size_t last = LastCharacter(query);
      field.SetText(query.substr(0, last));
      Settle();
      times.push_back(bench::Seconds([&] { Type(palette, query.substr(last)); }));
      if (results.Count() == 0) throw std::runtime_error("no face found for '" + query + "'");
      shown += results.Count();
    }
    std::printf("%zu character(s): median %.2f ms, slowest %.2f ms, %zu rows shown on average\n", length,
                bench::Median(times) * 1000, *std::max_element(times.begin(), times.end()) * 1000, shown / kQueries);
  }
#ifdef FIND_BENCH_WIN32
  std::printf("(target: under 50 ms under Wine)\n");
#else
  std::printf("(target: under 10 ms)\n");
#endif
  return 0;
}

}  // namespace

int main() {
  try {
#ifdef FIND_BENCH_WIN32
    platform::win32::Win32Platform system;
    return Run(system.Bundle());
#else
    bench::HeadlessPlatform headless;
    return Run(headless.Bundle());
#endif
  } catch (const std::exception& e) {
    std::fprintf(stderr, "find_bench: %s\n", e.what());
    return 1;
  }
}
