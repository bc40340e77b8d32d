// Times the palette's start as a user sees it, against Wine's notepad, by
// turns in one run: from CreateProcess until the program's window is
// visible and answers (notepad), and until the palette's window is visible
// with its three lists filled (the palette). Each program is closed before
// the next starts. Runs the palette beside the bench's folder (..\mirufo.exe,
// its sample library and settings there), or the one given.
//
// Arguments: [PAIRS [PROGRAM [PEER]]], by default 15 and ..\mirufo.exe;
// with PEER (another build of the palette, with its own folder) the peer's
// start is timed by turns in notepad's place, the same way as the palette's.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/stopwatch.h"

namespace {

struct Search {
  DWORD process;
  std::vector<HWND> found;
};

// Named functions, not lambdas: 32-bit Windows calls them as stdcall.
BOOL CALLBACK KeepVisibleOfProcess(HWND window, LPARAM param) {
  auto* s = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner == s->process && ::IsWindowVisible(window)) s->found.push_back(window);
  return TRUE;
}

BOOL CALLBACK CountFilledList(HWND child, LPARAM param) {
  wchar_t name[16];
  if (::GetClassNameW(child, name, 16) && ::lstrcmpiW(name, L"ListBox") == 0 && ::IsWindowVisible(child)) {
    DWORD_PTR count = 0;
    if (::SendMessageTimeoutW(child, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 1000, &count) && count > 0 &&
        count != static_cast<DWORD_PTR>(LB_ERR))
      ++*reinterpret_cast<int*>(param);
  }
  return TRUE;
}

// The process's visible top-level windows (the palette's is owned by the
// program's hidden application window).
std::vector<HWND> VisibleWindowsOf(DWORD process) {
  Search search{process, {}};
  ::EnumWindows(KeepVisibleOfProcess, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Visible list boxes of the window that hold at least one row.
int FilledLists(HWND window) {
  int filled = 0;
  ::EnumChildWindows(window, CountFilledList, reinterpret_cast<LPARAM>(&filled));
  return filled;
}

bool Answers(HWND window) {
  DWORD_PTR result = 0;
  return ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result) != 0;
}

// Seconds from the start of the command until ready(window) holds; the
// program is closed afterwards. Negative when it never got there in 20 s.
// A traced start prints its phases to this program's output.
template <typename Ready>
double TimeStart(std::wstring command, const std::wstring& folder, Ready ready, bool traced = false) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (traced) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = ::GetStdHandle(STD_OUTPUT_HANDLE);
    ::SetHandleInformation(startup.hStdOutput, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    std::fflush(stdout);
  }
  ::SetEnvironmentVariableW(L"MIRUFO_START_TRACE", traced ? L"1" : nullptr);
  PROCESS_INFORMATION info{};
  const double start = bench::Now();
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, traced, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info))
    return -1;
  double seconds = -1;
  while (seconds < 0 && bench::Now() - start < 20) {
    for (HWND window : VisibleWindowsOf(info.dwProcessId)) {
      if (!ready(window)) continue;
      seconds = bench::Now() - start;
      ::PostMessageW(window, WM_CLOSE, 0, 0);
      break;
    }
    if (seconds < 0) ::Sleep(1);
  }
  if (::WaitForSingleObject(info.hProcess, 5000) != WAIT_OBJECT_0) ::TerminateProcess(info.hProcess, 1);
  ::WaitForSingleObject(info.hProcess, 5000);
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
  return seconds;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int pairs = argc > 1 ? _wtoi(argv[1]) : 15;
  wchar_t self[MAX_PATH];
  const DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring program = argc > 2 ? argv[2] : std::wstring(self, n);
  if (argc <= 2) {
    program.resize(program.find_last_of(L'\\'));       // the bench's folder
    program.resize(program.find_last_of(L'\\') + 1);   // the build's
    program += L"mirufo.exe";
  }
  const std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
  if (pairs < 1 || ::GetFileAttributesW(program.c_str()) == INVALID_FILE_ATTRIBUTES) {
    std::fwprintf(stderr, L"usage: start_bench [PAIRS [PROGRAM [PEER]]]; %ls not found\n", program.c_str());
    return 1;
  }
  const std::wstring peer = argc > 3 ? argv[3] : L"";
  const std::wstring peerFolder = peer.substr(0, peer.find_last_of(L'\\'));
  const auto filled = [](HWND w) { return FilledLists(w) >= 3; };
  std::vector<double> notepad, palette, ratio;
  for (int i = 0; i < pairs; ++i) {
    const double a = peer.empty() ? TimeStart(L"notepad.exe", L"", Answers)
                                  : TimeStart(L"\"" + peer + L"\"", peerFolder, filled);
    const double b = TimeStart(L"\"" + program + L"\"", folder, filled);
    if (a < 0 || b < 0) {
      std::fprintf(stderr, "start_bench: a program did not show (%s %.3f, palette %.3f)\n", peer.empty() ? "notepad" : "peer", a, b);
      return 1;
    }
    notepad.push_back(a);
    palette.push_back(b);
    ratio.push_back(b / a);
  }
  std::printf("start to a shown window, medians of %d pairs by turns (wall clock from CreateProcess)\n", pairs);
  if (peer.empty()) {
    std::printf("  notepad, visible and answering       %6.1f ms\n", bench::Median(notepad) * 1000);
    std::printf("  palette, visible with 3 lists filled %6.1f ms\n", bench::Median(palette) * 1000);
    std::printf("  palette / notepad, pair by pair      %6.2f (target: within 1.5)\n", bench::Median(ratio));
  } else {
    std::printf("  peer, visible with 3 lists filled    %6.1f ms (%ls)\n", bench::Median(notepad) * 1000, peer.c_str());
    std::printf("  palette, visible with 3 lists filled %6.1f ms (%ls)\n", bench::Median(palette) * 1000, program.c_str());
    std::printf("  palette / peer, pair by pair         %6.2f\n", bench::Median(ratio));
  }
  std::printf("one more start of the palette, with the phases it prints (ms since the process began):\n");
  const double traced = TimeStart(L"\"" + program + L"\"", folder, filled, true);
  std::printf("  seen with 3 lists filled at          %6.1f ms after CreateProcess\n", traced * 1000);
  return 0;
}
