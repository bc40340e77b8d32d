// Times a paste from the face list: from the entry of the double-click
// handler until the fourth key stroke (Ctrl down, V down, V up, Ctrl up) has
// been sent, with 50 other top-level windows open, and where the time goes:
// the clipboard, the list of windows, bringing the target to the front, the
// keys. Built twice: on the headless platform, and on the real one (run under
// Wine) with real windows, where the same Win32 calls are also timed bare, in
// turn with the palette's pastes, to show what Wine itself costs.
#ifdef PASTE_BENCH_WIN32
// First: its macros rename members such as DeleteFile, and every use in
// this file must see the same name as the declarations.
#include <windows.h>
#endif

#include <algorithm>
#include <cstring>
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/palette_window.h"
#include "bench/stopwatch.h"

#ifdef PASTE_BENCH_WIN32
#include "platform/win32/text_convert.h"
#include "platform/profile_file.h"
#include "platform/win32/win32_platform.h"
#else
#include "bench/headless_platform.h"
#endif

namespace {

constexpr int kOtherWindows = 50;
constexpr const char* kPaletteTitle = "ミルフォ";
constexpr const char* kFaces = "(^_^)\r\n(;_;)\r\n";

// Where a paste's time goes, in seconds.
struct Sample {
  double total = 0;      // handler entry to the fourth key sent
  double clipboard = 0;  // writing the text to the clipboard
  double enumerate = 0;  // listing the top-level windows
  double front = 0;      // bringing the target to the front, with the wait
  double keys = 0;       // sending the four key events
};

// Adds the time that f takes to `into`.
template <class F>
auto Timed(double& into, F f) {
  const double start = bench::Now();
  auto result = f();
  into += bench::Now() - start;
  return result;
}

// Passes everything through, timing each step, and notes when a whole paste
// stroke has gone out.
class TimedWindows : public platform::OtherWindows {
 public:
  TimedWindows(platform::OtherWindows& inner, Sample& sample) : inner_(inner), sample_(sample) {}

  platform::WindowId FirstTopLevel(const std::function<bool(const platform::TopWindow&)>& visit) const override {
    return Timed(sample_.enumerate, [&] { return inner_.FirstTopLevel(visit); });
  }
  platform::WindowId FindByTitle(const std::string& title) const override { return inner_.FindByTitle(title); }
  bool BringToFront(platform::WindowId id) override {
    return Timed(sample_.front, [&] { return inner_.BringToFront(id); });
  }
  void SendKeys(const std::vector<platform::KeyEvent>& events) override {
    Timed(sample_.keys, [&] {
      inner_.SendKeys(events);
      return 0;
    });
    if (events.size() == 4) sentAt_ = bench::Now();
  }

  platform::TypingPlace FindTypingPlace() const override { return inner_.FindTypingPlace(); }

  void Arm() { sentAt_.reset(); }
  std::optional<double> SentAt() const { return sentAt_; }

 private:
  platform::OtherWindows& inner_;
  Sample& sample_;
  std::optional<double> sentAt_;
};

class TimedClipboard : public platform::Clipboard {
 public:
  TimedClipboard(platform::Clipboard& inner, Sample& sample) : inner_(inner), sample_(sample) {}
  bool SetText(const std::string& text) override {
    return Timed(sample_.clipboard, [&] { return inner_.SetText(text); });
  }
  std::string GetText() const override { return inner_.GetText(); }
  bool HasText() const override { return inner_.HasText(); }
  bool Clear() override { return inner_.Clear(); }

 private:
  platform::Clipboard& inner_;
  Sample& sample_;
};

// The palette on timed platform parts: each paste fills `sample`.
struct TimedPalette {
  TimedPalette(const platform::Platform& p)
      : windows(p.windows, sample),
        clipboard(p.clipboard, sample),
        palette(std::make_unique<app::TFKao>(
            platform::Platform{p.toolkit, p.files, p.libraries, p.shell, clipboard, windows, p.locale})) {}

  // One paste by the handler; throws when no stroke went out, as the figure
  // would then time a paste that never happened.
  Sample Paste() {
    sample = {};
    windows.Arm();
    const double start = bench::Now();
    palette->Get<platform::ListBox>("ListBox2").onDblClick();
    if (!windows.SentAt()) throw std::runtime_error("the handler sent no Ctrl+V: it found no window to paste into");
    sample.total = *windows.SentAt() - start;
    return sample;
  }

  Sample sample;
  TimedWindows windows;
  TimedClipboard clipboard;
  std::unique_ptr<app::TFKao> palette;
};

void RequireFaces(app::TFKao& palette) {
  if (palette.Get<platform::ListBox>("ListBox2").Count() == 0)
    throw std::runtime_error("the face list is empty: the palette did not read the bench's face folder");
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void Report(const char* what, const std::vector<Sample>& samples, double scale, const char* unit) {
  const auto median = [&](double Sample::*part) {
    std::vector<double> v;
    for (const Sample& s : samples) v.push_back(s.*part * scale);
    return Median(v);
  };
  double best = samples.front().total;
  for (const Sample& s : samples) best = std::min(best, s.total);
  std::printf("%s: %zu runs, %d other top-level windows\n", what, samples.size(), kOtherWindows);
  std::printf("  best   %9.3f %s\n", best * scale, unit);
  std::printf("  median %9.3f %s, of which (medians):\n", median(&Sample::total), unit);
  std::printf("    clipboard written       %9.3f %s\n", median(&Sample::clipboard), unit);
  std::printf("    windows listed          %9.3f %s\n", median(&Sample::enumerate), unit);
  std::printf("    target brought to front %9.3f %s\n", median(&Sample::front), unit);
  std::printf("    four keys sent          %9.3f %s\n", median(&Sample::keys), unit);
}

#ifndef PASTE_BENCH_WIN32

int Run() {
  constexpr int kWarmup = 1000, kRuns = 20000;
  bench::HeadlessPlatform headless;
  for (int i = 1; i <= kOtherWindows; ++i) headless.windows.AddWindow("window " + std::to_string(i));
  headless.files.AddFile(headless.files.ExecutableFolder() + "\\kao\\A\\g.txt", kFaces);
  TimedPalette timed(headless.Bundle());
  RequireFaces(*timed.palette);

  std::vector<Sample> samples;
  samples.reserve(kRuns);
  for (int i = 0; i < kWarmup; ++i) timed.Paste();
  for (int i = 0; i < kRuns; ++i) samples.push_back(timed.Paste());
  Report("the palette's paste on the headless platform", samples, 1e6, "us");
  std::printf("(target: under 1 ms)\n");
  return 0;
}

#else

constexpr wchar_t kTargetClass[] = L"MirufoPasteBenchTarget";
constexpr const char* kTargetsArgument = "--targets-for";

std::wstring TargetTitle(int number) { return L"paste target " + std::to_wstring(number + 1); }

// A plain application window whose whole client area is an edit box that
// takes the focus, so the Ctrl+V lands somewhere.
LRESULT CALLBACK TargetProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  HWND edit = reinterpret_cast<HWND>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_CREATE:
      edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, 0, 0, hwnd,
                               nullptr, ::GetModuleHandleW(nullptr), nullptr);
      if (!edit) return -1;
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(edit));
      return 0;
    case WM_SIZE:
      if (edit) ::MoveWindow(edit, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
      return 0;
    case WM_SETFOCUS:
      if (edit) ::SetFocus(edit);
      return 0;
    case WM_ACTIVATE:
      // Lets the bench take the front back, as the user's click would.
      if (LOWORD(wp) != WA_INACTIVE) ::AllowSetForegroundWindow(ASFW_ANY);
      break;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

void Pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

// Runs messages until done() holds or the time is up; says whether it held.
template <class Done>
bool PumpUntil(DWORD ms, Done done) {
  const ULONGLONG until = ::GetTickCount64() + ms;
  for (;;) {
    Pump();
    if (done()) return true;
    if (::GetTickCount64() >= until) return false;
    ::Sleep(1);
  }
}

// The text of a control in another process: asked for, as GetWindowText
// would give only a caption there.
std::wstring TextOf(HWND control) {
  wchar_t text[256];
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(control, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                             1000, &length))
    return {};
  return std::wstring(text, std::min<size_t>(length, std::size(text) - 1));
}

// The other applications' windows, in a process of their own: each on a
// thread of its own, so that they close all at once (under Wine every hide
// of a shown window can wait seconds for a window manager).
class Targets {
 public:
  explicit Targets(int count) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kTargetClass;
    if (!::RegisterClassExW(&wc)) throw std::runtime_error("cannot register the target window class");
    apps_.reserve(count);
    try {
      // One after the other, so the last one is in front.
      for (int i = 0; i < count; ++i) Start(i);
    } catch (...) {
      Close();
      Join();
      throw;
    }
  }
  ~Targets() {
    Close();
    Join();
  }
  Targets(const Targets&) = delete;
  Targets& operator=(const Targets&) = delete;

  // Asks every window to close without waiting for it.
  void Close() {
    for (const App& a : apps_)
      if (a.window) ::PostMessageW(a.window, WM_CLOSE, 0, 0);
  }

  bool AllClosed() const {
    for (const App& a : apps_)
      if (::WaitForSingleObject(a.thread, 0) != WAIT_OBJECT_0) return false;
    return true;
  }

 private:
  struct App {
    int number = 0;
    HANDLE ready = nullptr;
    HANDLE thread = nullptr;
    HWND window = nullptr;
  };

  static DWORD WINAPI AppMain(void* arg) {
    App& a = *static_cast<App*>(arg);
    a.window = ::CreateWindowExW(0, kTargetClass, TargetTitle(a.number).c_str(), WS_OVERLAPPEDWINDOW,
                                 300 + (a.number % 10) * 20, 40 + (a.number % 25) * 20, 320, 200, nullptr, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
    if (a.window) ::ShowWindow(a.window, SW_SHOW);
    ::SetEvent(a.ready);
    if (!a.window) return 1;
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    return 0;
  }

  void Start(int number) {
    App& a = apps_.emplace_back();  // reserved: the thread's reference stays valid
    a.number = number;
    a.ready = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (a.ready) a.thread = ::CreateThread(nullptr, 0, AppMain, &a, 0, nullptr);
    if (!a.thread) throw std::runtime_error("cannot start the thread of target window " + std::to_string(number + 1));
    if (::WaitForSingleObject(a.ready, 10000) != WAIT_OBJECT_0 || !a.window)
      throw std::runtime_error("cannot create target window " + std::to_string(number + 1));
  }

  void Join() {
    for (App& a : apps_) {
      if (a.thread && ::WaitForSingleObject(a.thread, 30000) != WAIT_OBJECT_0)
        std::fprintf(stderr, "paste_bench: target window %d did not close\n", a.number + 1);
      if (a.thread) ::CloseHandle(a.thread);
      if (a.ready) ::CloseHandle(a.ready);
    }
    apps_.clear();
    ::UnregisterClassW(kTargetClass, ::GetModuleHandleW(nullptr));
  }

  std::vector<App> apps_;
};

// The program started again as the other applications: the target search
// reads another process's titles from the system rather than asking its own
// threads, and the keys cross processes, as they do for the user.
int RunTargets(DWORD benchProcess) {
  HANDLE bench = ::OpenProcess(SYNCHRONIZE, FALSE, benchProcess);
  if (!bench) throw std::runtime_error("the bench process is gone");
  {
    Targets targets(kOtherWindows);
    // Until the bench has closed every window, or has ended without.
    while (!targets.AllClosed())
      if (::WaitForSingleObject(bench, 50) == WAIT_OBJECT_0) targets.Close();
  }
  ::CloseHandle(bench);
  return 0;
}

class OtherProcess {
 public:
  OtherProcess() {
    wchar_t exe[MAX_PATH + 1];
    const DWORD n = ::GetModuleFileNameW(nullptr, exe, MAX_PATH + 1);
    if (n == 0 || n > MAX_PATH) throw std::runtime_error("cannot find the bench's own program file");
    std::wstring command = L"\"" + std::wstring(exe, n) + L"\" " + platform::win32::Wide(kTargetsArgument) + L" " +
                           std::to_wstring(::GetCurrentProcessId());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
      throw std::runtime_error("cannot start the process of the other windows");
    ::CloseHandle(info.hThread);
    process_ = info.hProcess;
    for (int i = 0; i < kOtherWindows; ++i) {
      HWND w = nullptr;
      const ULONGLONG until = ::GetTickCount64() + 20000;
      while (!(w = ::FindWindowW(kTargetClass, TargetTitle(i).c_str()))) {
        if (::WaitForSingleObject(process_, 0) == WAIT_OBJECT_0 || ::GetTickCount64() >= until) {
          Stop();
          throw std::runtime_error("the other windows did not appear");
        }
        ::Sleep(10);
      }
      windows_.push_back(w);
    }
  }
  ~OtherProcess() { Stop(); }
  OtherProcess(const OtherProcess&) = delete;
  OtherProcess& operator=(const OtherProcess&) = delete;

  // Asks every window to close without waiting for it.
  void Close() {
    for (HWND w : windows_) ::PostMessageW(w, WM_CLOSE, 0, 0);
  }

  // The edit box of one of these windows, nullptr for any other window.
  HWND EditOf(HWND w) const {
    if (std::find(windows_.begin(), windows_.end(), w) == windows_.end()) return nullptr;
    return ::GetWindow(w, GW_CHILD);
  }

 private:
  void Stop() {
    if (!process_) return;
    Close();
    if (::WaitForSingleObject(process_, 30000) != WAIT_OBJECT_0) {
      std::fprintf(stderr, "paste_bench: the other windows did not close; ending their process\n");
      ::TerminateProcess(process_, 1);
    }
    ::CloseHandle(process_);
    process_ = nullptr;
  }

  HANDLE process_ = nullptr;
  std::vector<HWND> windows_;
};

// A face library in a temporary folder, and a settings file beside the
// program that points the palette at it; both undone on destruction, the
// settings file a user may have had there put back as it was.
class Scratch {
 public:
  explicit Scratch(platform::FileSystem& files) : files_(files), ini_(files.ExecutableFolder() + "\\system.ini") {
    wchar_t temp[MAX_PATH + 1];
    const DWORD n = ::GetTempPathW(MAX_PATH + 1, temp);
    if (n == 0 || n > MAX_PATH) throw std::runtime_error("no temporary folder");
    const std::wstring wide = std::wstring(temp, n) + L"mirufo-paste-bench-" + std::to_wstring(::GetCurrentProcessId());
    folder_ = platform::win32::Narrow(wide);
    if (files_.Attributes(ini_)) saved_ = files_.ReadFile(ini_);
    files_.CreateDirectories(folder_ + "\\A");
    files_.WriteFile(Group(), kFaces);
    files_.DeleteFile(ini_);  // a settings file of this one key
    platform::ProfileFile(files_, ini_).WriteString("kao", "kaopath2", "\"" + folder_ + "\"");
  }
  ~Scratch() {
    try {
      if (saved_)
        files_.WriteFile(ini_, *saved_);
      else
        files_.DeleteFile(ini_);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "paste_bench: could not restore %s: %s\n", ini_.c_str(), e.what());
    }
    files_.DeleteFile(Group());
    ::RemoveDirectoryW(platform::win32::Wide(folder_ + "\\A").c_str());
    ::RemoveDirectoryW(platform::win32::Wide(folder_).c_str());
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

 private:
  std::string Group() const { return folder_ + "\\A\\g.txt"; }

  platform::FileSystem& files_;
  const std::string ini_;
  std::string folder_;
  std::optional<std::string> saved_;
};

// The palette's own window: visible, owned by the application window.
HWND PaletteWindow(const platform::OtherWindows& windows) {
  for (const platform::TopWindow& w : windows.TopLevelFrontToBack())
    if (w.visible && w.owner != 0 && w.title == kPaletteTitle) return reinterpret_cast<HWND>(w.id);
  throw std::runtime_error("the palette window is not on the screen");
}

BOOL CALLBACK CollectBare(HWND hwnd, LPARAM lp) {
  auto& found = *reinterpret_cast<HWND*>(lp);
  wchar_t title[512];
  const int n = ::GetWindowTextW(hwnd, title, static_cast<int>(std::size(title)));
  const bool owned = ::GetWindow(hwnd, GW_OWNER) != nullptr, visible = ::IsWindowVisible(hwnd) != 0;
  if (owned || !visible || n <= 0 || std::wstring(title, n) == L"ミルフォ") return TRUE;
  found = hwnd;
  return FALSE;
}

// The same Win32 calls as the palette's paste, made directly: what Wine
// itself costs, with none of the program's code.
Sample BarePaste(const std::wstring& face) {
  Sample s;
  const double start = bench::Now();
  Timed(s.clipboard, [&] {
    if (!::OpenClipboard(nullptr)) throw std::runtime_error("cannot open the clipboard");
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (face.size() + 1) * sizeof(wchar_t));
    if (memory) {
      std::memcpy(::GlobalLock(memory), face.c_str(), (face.size() + 1) * sizeof(wchar_t));
      ::GlobalUnlock(memory);
    }
    ::EmptyClipboard();
    if (!memory || !::SetClipboardData(CF_UNICODETEXT, memory)) throw std::runtime_error("cannot set the clipboard");
    return ::CloseClipboard();
  });
  HWND target = nullptr;
  Timed(s.enumerate, [&] { return ::EnumWindows(CollectBare, reinterpret_cast<LPARAM>(&target)); });
  if (!target) throw std::runtime_error("the bare paste found no window to paste into");
  Timed(s.front, [&] {
    ::SetForegroundWindow(target);
    const ULONGLONG until = ::GetTickCount64() + 500;
    for (;;) {
      GUITHREADINFO info{};
      info.cbSize = sizeof info;
      if (::GetForegroundWindow() == target &&
          ::GetGUIThreadInfo(::GetWindowThreadProcessId(target, nullptr), &info) && info.hwndFocus)
        return true;
      if (::GetTickCount64() >= until) return false;
      MSG msg;
      ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_SENDMESSAGE);
    }
  });
  Timed(s.keys, [&] {
    INPUT inputs[4]{};
    const WORD vk[4] = {VK_CONTROL, 'V', 'V', VK_CONTROL};
    for (int i = 0; i < 4; ++i) {
      inputs[i].type = INPUT_KEYBOARD;
      inputs[i].ki.wVk = vk[i];
      inputs[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    return ::SendInput(4, inputs, sizeof(INPUT));
  });
  s.total = bench::Now() - start;
  return s;
}

int Run() {
  constexpr int kWarmup = 5, kRuns = 200;
  platform::win32::Win32Platform system;
  platform::Platform p = system.Bundle();
  p.toolkit.SetApplicationTitle(kPaletteTitle);
  Scratch scratch(p.files);
  OtherProcess targets;
  TimedPalette timed(p);
  RequireFaces(*timed.palette);
  const HWND form = PaletteWindow(p.windows);
  PumpUntil(200, [] { return false; });

  const std::wstring face = platform::win32::Wide(timed.palette->Get<platform::ListBox>("ListBox2").Item(timed.palette->Get<platform::ListBox>("ListBox2").CaretIndex()));
  std::vector<Sample> samples[2];
  int landed[2] = {0, 0};
  // The palette's paste and the bare calls in turn, under the same conditions.
  for (int i = 0; i < 2 * (kWarmup + kRuns); ++i) {
    const int bare = i % 2;
    // The user has just double-clicked the palette, so it is in front.
    ::SetForegroundWindow(form);
    if (!PumpUntil(1000, [&] { return ::GetForegroundWindow() == form; }))
      throw std::runtime_error("the palette window cannot be brought to the front");
    const Sample sample = bare ? BarePaste(face) : timed.Paste();
    // Untimed: let the strokes reach the target, then empty it for the next.
    const HWND edit = targets.EditOf(::GetForegroundWindow());
    // A lost Ctrl would type a "v" instead: only the face itself counts.
    const bool pasted = edit && PumpUntil(500, [&] { return TextOf(edit) == face; });
    if (edit)
      ::SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""), SMTO_ABORTIFHUNG, 1000, nullptr);
    if (i < 2 * kWarmup) continue;
    samples[bare].push_back(sample);
    landed[bare] += pasted;
  }
  // Closed together: each can take a while under Wine.
  targets.Close();
  timed.palette.reset();
  Pump();
  std::printf("paste latency, from the entry of the double-click handler to the fourth key sent\n");
  Report("the palette's paste under Wine", samples[0], 1e3, "ms");
  std::printf("  pastes that reached a target's edit box: %d of %zu\n", landed[0], samples[0].size());
  Report("the same Win32 calls made directly, in turn with the palette's", samples[1], 1e3, "ms");
  std::printf("  pastes that reached a target's edit box: %d of %zu\n", landed[1], samples[1].size());
  std::printf("(target: under 20 ms under Wine)\n");
  return 0;
}

#endif

}  // namespace

int main([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
  try {
#ifdef PASTE_BENCH_WIN32
    if (argc == 3 && std::string(argv[1]) == kTargetsArgument) return RunTargets(std::stoul(argv[2]));
#endif
    return Run();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "paste_bench: %s\n", e.what());
    return 1;
  }
}
