// Times, with the real controls, how long the palette takes from creation
// until its face list shows a group of 200,000 faces (its first rows at
// once, the rest from the message loop), and how long leaving
// that group for one of 20 faces takes against a bare list box window of
// the same rows emptied and given the 20, by turns in one run.
#include <windows.h>
// Before the portable headers: it takes back the macros of <windows.h>
// that would rename their members (MessageBox).
#include "platform/win32/toolkit_controls.h"

#include <cstdio>
#include <vector>

#include "app/palette_window.h"
#include "bench/generated_library.h"
#include "platform/win32/text_convert.h"
#include "platform/win32/win32_platform.h"

namespace {

constexpr int kPairs = 7;

// A plain list box in a window of its own, as a bare program shows one.
class BareList {
 public:
  BareList() {
    window_ = ::CreateWindowExW(0, L"STATIC", L"bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 400, nullptr,
                                nullptr, nullptr, nullptr);
    list_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY |
                              LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS, 0, 0, 280, 360, window_, nullptr, nullptr, nullptr);
  }
  ~BareList() { ::DestroyWindow(window_); }
  void Fill(const std::vector<std::wstring>& rows) {
    ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list_, LB_INITSTORAGE, rows.size(), rows.size() * 32);
    for (const std::wstring& row : rows) ::SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list_, nullptr, TRUE);
    ::UpdateWindow(list_);
  }
  void Empty() { ::SendMessageW(list_, LB_RESETCONTENT, 0, 0); }

 private:
  HWND window_ = nullptr, list_ = nullptr;
};

void Pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

// Runs the message loop until the list box holds all its rows.
void PumpUntilFilled(platform::ListBox& list) {
  const HWND box = dynamic_cast<platform::win32::ControlCore&>(list).Handle();
  while (::SendMessageW(box, LB_GETCOUNT, 0, 0) < list.Count()) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    Pump();
  }
}

}  // namespace

int main() {
  platform::win32::Win32Platform system;
  platform::Platform p = system.Bundle();
  // Generated beside the program (rewritten by every run).
  const std::string big = p.files.ExecutableFolder() + "\\bench-kao";
  bench::GenerateLibrary(p.files, big, {10, 10, 200000});
  std::string small;
  for (int f = 0; f < 20; ++f) small += "(^_^) small " + std::to_string(f) + "\r\n";
  p.files.WriteFile(big + "\\big\\small.txt", small);
  int count = 0;
  double start = 0, fill = 0, rows = 0;
  std::vector<double> leave, bare, ratio;
  {
    std::unique_ptr<app::TFKao> created;
    start = bench::Seconds([&] { created = std::make_unique<app::TFKao>(p); });
    app::TFKao& palette = *created;
    palette.Library().faceFolder = big;
    palette.Library().defaultClass = "big";
    palette.Library().defaultGroup = "big";
    fill = bench::Seconds([&] {
      palette.Library().ListClasses();
      palette.Library().ListGroups();
      palette.Library().LoadGroup();
    });
    rows = fill + bench::Seconds([&] { PumpUntilFilled(palette.Get<platform::ListBox>("ListBox2")); });
    count = palette.Get<platform::ListBox>("ListBox2").Count();

    const int bigIndex = palette.Get<platform::ListBox>("ListBox1").FindExact("big"), smallIndex = palette.Get<platform::ListBox>("ListBox1").FindExact("small");
    std::vector<std::wstring> rows;
    for (int i = 0; i < count; ++i) rows.push_back(platform::win32::Wide(palette.Get<platform::ListBox>("ListBox2").Item(i)));
    const std::vector<std::wstring> smallRows(rows.begin(), rows.begin() + 20);
    BareList bareList;
    for (int pair = 0; pair < kPairs; ++pair) {
      // The palette shows the big group again, untimed.
      palette.Get<platform::ListBox>("ListBox1").SetItemIndex(bigIndex);
      palette.Get<platform::ListBox>("ListBox1").onClick();
      PumpUntilFilled(palette.Get<platform::ListBox>("ListBox2"));
      leave.push_back(bench::Seconds([&] {
        palette.Get<platform::ListBox>("ListBox1").SetItemIndex(smallIndex);
        palette.Get<platform::ListBox>("ListBox1").onClick();
        ::UpdateWindow(reinterpret_cast<HWND>(palette.Window().Id()));
      }));
      if (palette.Get<platform::ListBox>("ListBox2").Count() != 20) {
        std::fprintf(stderr, "palette_fill_bench: the small group did not show\n");
        return 1;
      }
      bareList.Fill(rows);
      Pump();
      bare.push_back(bench::Seconds([&] {
        bareList.Empty();
        bareList.Fill(smallRows);
      }));
      ratio.push_back(leave.back() / bare.back());
    }
  }
  std::printf("palette created and shown: %.3f s\n", start);
  std::printf("face list showing a group of %d faces: %.3f s, every row in the control: %.3f s (target: under 2 s)\n",
              count, fill, rows);
  std::printf("leaving it for a group of 20, medians of %d pairs by turns:\n", kPairs);
  std::printf("  palette, group list click           %.1f ms\n", bench::Median(leave) * 1000);
  std::printf("  bare list box emptied, 20 rows added %.1f ms\n", bench::Median(bare) * 1000);
  std::printf("  palette / bare, pair by pair         %.2f (target: within 2)\n", bench::Median(ratio));
  return 0;
}
