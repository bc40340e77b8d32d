// What the end-to-end scripts ask of the Windows side, answered in UTF-8 on
// standard output:
//   probe text TITLE          text of the first edit control of the visible
//                             top-level window whose title contains TITLE
//   probe children TITLE      the texts of that window's child windows, one
//                             per line, in creation order, CR and LF
//                             written as \r and \n
//   probe clipboard           the clipboard's Unicode text
//   probe setclip TEXT        puts TEXT on the clipboard as Unicode text,
//                             as another application would
//   probe popup               "left top right bottom" of the open popup
//                             menu on the screen
//   probe move TITLE X Y      moves that window's frame to X,Y
//   probe frame TITLE         "left top right bottom" of its frame
//   probe caret TITLE         "left top right bottom" of the text caret of
//                             its thread, on the screen; 2 when it shows none
//   probe foreground          the title of the window that has the keyboard
//   probe focus TITLE         "CLASS left top": the control of that window's
//                             thread that has the keyboard, its place from
//                             the window's outer top-left
//   probe holdhotkey MODS VK SECS  holds the hotkey (MOD_ bits, virtual key)
//                             as another program would, for SECS seconds;
//                             prints "held" or "refused" at once
//   probe size TITLE          its outer width and height in pixels
//   probe rows TITLE          the row height of each of its list boxes
//   probe items TITLE N       the rows of its list box N (from 0, in
//                             creation order), one per line
//   probe richtext TITLE      text of its visible rich edit control, line
//                             ends as the control gives them
//   probe at TITLE CLASS N    "x y": the middle of its N-th visible child
//                             control of that window class (letter case
//                             ignored), from the window's outer top-left
//   probe named TITLE TEXT    the same for its visible child control whose
//                             text is TEXT
//   probe vtext TITLE CLASS N the text of that control
//   probe combo TITLE N       the items of its N-th visible combo box
//   probe status TITLE N      the text of part N of its status bar, asked
//                             with a 2 s time-out: 2 when the window does
//                             not answer in that time
//   probe rect TITLE CLASS N  "left top right bottom" of that control, the same way
//   probe item TITLE CLASS N I  the middle of item I of that list box
//   probe windows             the visible top-level windows front to back,
//                             one per line: "T " for a topmost one, else
//                             "- ", then the title
//   probe version FILE        the version block of an exe or DLL, one
//                             "Name=value" line per string it holds
//   probe settext TITLE TEXT  replaces the text of that window's first edit
//                             control, as select all and typing would
//   probe counts TITLE        what the process owning that window holds, one
//                             line: "private B working B handles N gdi N
//                             user N windows N"; a figure the system does
//                             not give (a failed call, or the 0 that no
//                             running process with a window can have) is "-"
//   probe watch TITLE SECS N ROWS
//                             asks that window every 20 ms (WM_NULL, then
//                             its visible rich edit's length or its list
//                             box N's rows, each by SendMessageTimeout)
//                             until no rich edit of it is visible and the
//                             list holds ROWS rows, or SECS seconds pass;
//                             prints "MS edit LEN" or "MS list ROWS" (MS
//                             the Unix time in ms) whenever what shows
//                             changes, then "longest answer MS ms", the
//                             longest wait for an answer; 2 when not
//                             reached
//   probe type TEXT           types TEXT into the window that has the
//                             keyboard, each UTF-16 unit as a Unicode key
//                             (SendInput, as an input method delivers it)
//   probe typelines FILE      each line of the UTF-8 FILE typed so, then
//                             Return, 80 ms apart
//   probe pasteall TITLE N TARGET
//                             a double click on each row of that window's
//                             list box N in turn, each time waiting (up to
//                             10 s) for the text of window TARGET's edit
//                             control to change; 2 when one does not
// Exit code 0 on success, 2 when the window or the text is not there.
#include <windows.h>

#include <commctrl.h>
#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Print(const std::wstring& text) {
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  DWORD written = 0;
  ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
}

std::wstring TextOf(HWND hwnd) {
  std::wstring text(static_cast<size_t>(::SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  const LRESULT n = ::SendMessageW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(n));
  return text;
}

// The windows of one process, top-level and child: USER objects that can be
// counted from outside even where GetGuiResources is not.
struct Owned {
  DWORD process = 0;
  int count = 0;
};

BOOL CALLBACK CountOwnedChild(HWND, LPARAM lp) {
  ++reinterpret_cast<Owned*>(lp)->count;
  return TRUE;
}

BOOL CALLBACK CountOwnedTop(HWND hwnd, LPARAM lp) {
  auto& o = *reinterpret_cast<Owned*>(lp);
  DWORD process = 0;
  ::GetWindowThreadProcessId(hwnd, &process);
  if (process != o.process) return TRUE;
  ++o.count;
  ::EnumChildWindows(hwnd, CountOwnedChild, lp);
  return TRUE;
}

std::wstring Figure(unsigned long long value) { return value == 0 ? L"-" : std::to_wstring(value); }

int PrintCounts(HWND top) {
  DWORD id = 0;
  ::GetWindowThreadProcessId(top, &id);
  HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
  if (!process) return 2;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (!::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
    memory = {};
  DWORD handles = 0;
  if (!::GetProcessHandleCount(process, &handles)) handles = 0;
  const DWORD gdi = ::GetGuiResources(process, GR_GDIOBJECTS);
  const DWORD user = ::GetGuiResources(process, GR_USEROBJECTS);
  ::CloseHandle(process);
  Owned owned{id};
  ::EnumWindows(CountOwnedTop, reinterpret_cast<LPARAM>(&owned));
  Print(L"private " + Figure(memory.PrivateUsage) + L" working " + Figure(memory.WorkingSetSize) + L" handles " +
        Figure(handles) + L" gdi " + Figure(gdi) + L" user " + Figure(user) + L" windows " +
        Figure(static_cast<unsigned>(owned.count)) + L"\n");
  return 0;
}

// The status bar's messages carry a pointer into the owner's memory: the
// text is read through a buffer made there.
int PrintStatusPart(HWND bar, int part) {
  DWORD id = 0;
  ::GetWindowThreadProcessId(bar, &id);
  HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, id);
  if (!process) return 2;
  constexpr SIZE_T kChars = 1024;
  void* remote = ::VirtualAllocEx(process, nullptr, kChars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE);
  int code = 2;
  DWORD_PTR result = 0;
  std::wstring text(kChars, L'\0');
  SIZE_T read = 0;
  if (remote &&
      ::SendMessageTimeoutW(bar, SB_GETTEXTLENGTHW, part, 0, SMTO_NORMAL, 2000, &result) && LOWORD(result) < kChars &&
      ::SendMessageTimeoutW(bar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(remote), SMTO_NORMAL, 2000, &result) &&
      ::ReadProcessMemory(process, remote, text.data(), text.size() * sizeof(wchar_t), &read)) {
    text.resize(LOWORD(result));
    // A right-aligned part's text starts with its tabs.
    text.erase(0, text.find_first_not_of(L'\t') == std::wstring::npos ? text.size() : text.find_first_not_of(L'\t'));
    Print(text + L"\n");
    code = 0;
  }
  if (remote) ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  ::CloseHandle(process);
  return code;
}

// Milliseconds since 1970, as `date +%s%3N` gives them to the scripts.
long long UnixMs() {
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  const long long ticks = (static_cast<long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  return ticks / 10000 - 11644473600000LL;
}

// A message to a window that waits as long as it takes, up to the Unix
// time `until` in ms, timed into `longest`; false when the window has gone
// or did not answer.
bool Ask(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR& result, long long& longest, long long until) {
  const long long asked = UnixMs();
  const auto wait = static_cast<UINT>(std::max(until - asked, 1LL));
  const bool answered = ::SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_NORMAL, wait, &result) != 0;
  longest = std::max(longest, UnixMs() - asked);
  return answered;
}

struct Search {
  std::wstring title;
  HWND found = nullptr;
  std::vector<std::wstring> all;
};

BOOL CALLBACK FindTop(HWND hwnd, LPARAM lp) {
  auto& s = *reinterpret_cast<Search*>(lp);
  if (!::IsWindowVisible(hwnd)) return TRUE;
  const std::wstring title = TextOf(hwnd);
  s.all.push_back(((::GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) ? L"T " : L"- ") + title);
  if (!s.found && !s.title.empty() && title.find(s.title) != std::wstring::npos) s.found = hwnd;
  return TRUE;
}

HWND FindWindowContaining(const std::wstring& title) {
  Search s{title};
  ::EnumWindows(FindTop, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
  return TRUE;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> out;
  ::EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&out));
  return out;
}

// The face list and the edit box as the user sees them; the longest time
// the window took to answer a message meanwhile.
int Watch(HWND top, double seconds, int list, LRESULT rows) {
  const long long end = UnixMs() + static_cast<long long>(seconds * 1000);
  long long longest = 0;
  std::wstring shown;
  bool reached = false;
  while (!reached && UnixMs() < end) {
    DWORD_PTR answer = 0;
    if (!Ask(top, WM_NULL, 0, 0, answer, longest, end)) break;
    HWND edit = nullptr, faces = nullptr;
    int n = list;
    for (HWND child : Children(top)) {
      wchar_t cls[64];
      ::GetClassNameW(child, cls, 64);
      if (::IsWindowVisible(child) && ::_wcsnicmp(cls, L"RichEdit", 8) == 0) edit = child;
      if (::lstrcmpiW(cls, L"ListBox") == 0 && n-- == 0) faces = child;
    }
    // A child may go between the look and the question: asked again then.
    std::wstring now;
    if (edit) {
      if (Ask(edit, WM_GETTEXTLENGTH, 0, 0, answer, longest, end)) now = L"edit " + std::to_wstring(answer);
    } else if (faces && ::IsWindowVisible(faces)) {
      if (Ask(faces, LB_GETCOUNT, 0, 0, answer, longest, end)) now = L"list " + std::to_wstring(answer);
      reached = now == L"list " + std::to_wstring(rows);
    }
    if (!now.empty() && now != shown) Print(std::to_wstring(UnixMs()) + L" " + now + L"\n");
    shown = now;
    ::Sleep(20);
  }
  Print(L"longest answer " + std::to_wstring(longest) + L" ms\n");
  return reached ? 0 : 2;
}

void TypeUnits(const std::wstring& text) {
  std::vector<INPUT> keys;
  for (const wchar_t unit : text) {
    INPUT down{};
    down.type = INPUT_KEYBOARD;
    down.ki.wScan = unit;
    down.ki.dwFlags = KEYEVENTF_UNICODE;
    INPUT up = down;
    up.ki.dwFlags |= KEYEVENTF_KEYUP;
    keys.push_back(down);
    keys.push_back(up);
  }
  if (!keys.empty()) ::SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

void PressReturn() {
  INPUT keys[2]{};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = VK_RETURN;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, keys, sizeof(INPUT));
}

std::wstring FromUtf8(const std::string& bytes) {
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
  return out;
}

int TypeLines(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 2;
  std::string bytes(static_cast<size_t>(::GetFileSize(file, nullptr)), '\0');
  DWORD read = 0;
  const BOOL ok = ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  ::CloseHandle(file);
  if (!ok) return 2;
  std::wstring text = FromUtf8(bytes), line;
  for (const wchar_t c : text) {
    if (c == L'\r') continue;
    if (c != L'\n') {
      line += c;
      continue;
    }
    TypeUnits(line);
    PressReturn();
    line.clear();
    ::Sleep(80);
  }
  return 0;
}

int Run(const std::vector<std::wstring>& args) {
  if (args.size() == 3 && args[1] == L"type") {
    TypeUnits(args[2]);
    return 0;
  }
  if (args.size() == 3 && args[1] == L"typelines") return TypeLines(args[2]);
  if (args.size() == 5 && args[1] == L"holdhotkey") {
    const bool held = ::RegisterHotKey(nullptr, 1, std::stoul(args[2]) | MOD_NOREPEAT, std::stoul(args[3]));
    Print(held ? L"held\n" : L"refused\n");
    if (!held) return 2;
    ::Sleep(std::stoul(args[4]) * 1000);
    return 0;
  }
  if (args.size() == 2 && args[1] == L"foreground") {
    wchar_t title[256] = L"";
    ::GetWindowTextW(::GetForegroundWindow(), title, 256);
    Print(std::wstring(title) + L"\n");
    return 0;
  }
  if (args.size() == 2 && args[1] == L"clipboard") {
    if (!::OpenClipboard(nullptr)) return 2;
    int rc = 2;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
      if (auto* text = static_cast<const wchar_t*>(::GlobalLock(data))) {
        Print(text);
        ::GlobalUnlock(data);
        rc = 0;
      }
    }
    ::CloseClipboard();
    return rc;
  }
  if (args.size() == 3 && args[1] == L"setclip") {
    const std::wstring& text = args[2];
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (!memory) return 2;
    std::memcpy(::GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    if (!::OpenClipboard(nullptr)) {
      ::GlobalFree(memory);
      return 2;
    }
    ::EmptyClipboard();
    const bool set = ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!set) ::GlobalFree(memory);
    ::CloseClipboard();
    return set ? 0 : 2;
  }
  if (args.size() == 2 && args[1] == L"popup") {
    HWND menu = ::FindWindowW(L"#32768", nullptr);
    RECT r{};
    if (!menu || !::IsWindowVisible(menu) || !::GetWindowRect(menu, &r)) return 2;
    Print(std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " + std::to_wstring(r.right) + L" " +
          std::to_wstring(r.bottom) + L"\n");
    return 0;
  }
  if (args.size() == 2 && args[1] == L"windows") {
    Search s;
    ::EnumWindows(FindTop, reinterpret_cast<LPARAM>(&s));
    for (const std::wstring& title : s.all) Print(title + L"\n");
    return 0;
  }
  if (args.size() == 3 && args[1] == L"version") {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(args[2].c_str(), &ignored);
    std::vector<char> block(size);
    if (size == 0 || !::GetFileVersionInfoW(args[2].c_str(), 0, size, block.data())) return 2;
    for (const wchar_t* name : {L"ProductName", L"ProductVersion", L"FileVersion", L"FileDescription",
                                L"LegalCopyright", L"OriginalFilename", L"CompanyName"}) {
      void* value = nullptr;
      UINT length = 0;
      const std::wstring path = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
      if (::VerQueryValueW(block.data(), path.c_str(), &value, &length) && length > 0)
        Print(std::wstring(name) + L"=" + static_cast<const wchar_t*>(value) + L"\n");
    }
    return 0;
  }
  if (args.size() < 3) return 1;
  HWND top = FindWindowContaining(args[2]);
  if (!top) return 2;
  if (args[1] == L"text" && args.size() == 3) {
    for (HWND child : Children(top)) {
      wchar_t cls[64];
      ::GetClassNameW(child, cls, 64);
      if (::lstrcmpiW(cls, L"Edit") == 0 || ::wcsncmp(cls, L"RichEdit", 8) == 0) {
        Print(TextOf(child));
        return 0;
      }
    }
    return 2;
  }
  if (args[1] == L"settext" && args.size() == 4) {
    for (HWND child : Children(top)) {
      wchar_t cls[64];
      ::GetClassNameW(child, cls, 64);
      if (::lstrcmpiW(cls, L"Edit") == 0)
        return ::SendMessageW(child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[3].c_str())) ? 0 : 2;
    }
    return 2;
  }
  if (args[1] == L"counts" && args.size() == 3) return PrintCounts(top);
  if (args[1] == L"watch" && args.size() == 6) return Watch(top, std::stod(args[3]), std::stoi(args[4]), std::stoi(args[5]));
  if (args[1] == L"children" && args.size() == 3) {
    for (HWND child : Children(top)) {
      std::wstring line;
      for (const wchar_t c : TextOf(child)) line += c == L'\r' ? L"\\r" : c == L'\n' ? L"\\n" : std::wstring(1, c);
      Print(line + L"\n");
    }
    return 0;
  }
  if (args[1] == L"size" && args.size() == 3) {
    RECT r{};
    ::GetWindowRect(top, &r);
    Print(std::to_wstring(r.right - r.left) + L" " + std::to_wstring(r.bottom - r.top) + L"\n");
    return 0;
  }
  if (args[1] == L"rows" && args.size() == 3) {
    for (HWND child : Children(top)) {
      wchar_t cls[64];
      ::GetClassNameW(child, cls, 64);
      if (::lstrcmpiW(cls, L"ListBox") == 0)
        Print(std::to_wstring(::SendMessageW(child, LB_GETITEMHEIGHT, 0, 0)) + L"\n");
    }
    return 0;
  }
  if (args[1] == L"items" && args.size() == 4) {
    int n = std::stoi(args[3]);
    for (HWND child : Children(top)) {
      wchar_t cls[64];
      ::GetClassNameW(child, cls, 64);
      if (::lstrcmpiW(cls, L"ListBox") != 0 || n-- != 0) continue;
      const LRESULT count = ::SendMessageW(child, LB_GETCOUNT, 0, 0);
      for (LRESULT i = 0; i < count; ++i) {
        std::wstring row(static_cast<size_t>(::SendMessageW(child, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        row.resize(static_cast<size_t>(::SendMessageW(child, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row.data()))));
        Print(row + L"\n");
      }
      return 0;
    }
    return 2;
  }
  if (args[1] == L"richtext" && args.size() == 3) {
    // The class name is upper case (RICHEDIT50W): compared without case.
    for (HWND child : Children(top)) {
      wchar_t cls[64];
      ::GetClassNameW(child, cls, 64);
      if (::IsWindowVisible(child) && ::_wcsnicmp(cls, L"RichEdit", 8) == 0) {
        Print(TextOf(child));
        return 0;
      }
    }
    return 2;
  }
  // Places are printed from the outer top-left corner, where the scripts'
  // clicks are measured from.
  RECT frame{};
  ::GetWindowRect(top, &frame);
  const auto place = [&](HWND child, RECT r) {
    ::MapWindowPoints(child, nullptr, reinterpret_cast<POINT*>(&r), 2);
    Print(std::to_wstring((r.left + r.right) / 2 - frame.left) + L" " +
          std::to_wstring((r.top + r.bottom) / 2 - frame.top) + L"\n");
    return 0;
  };
  const auto nth = [&](const std::wstring& cls, int n) -> HWND {
    for (HWND child : Children(top)) {
      wchar_t name[64];
      ::GetClassNameW(child, name, 64);
      if (::IsWindowVisible(child) && ::lstrcmpiW(name, cls.c_str()) == 0 && n-- == 0) return child;
    }
    return nullptr;
  };
  if (args[1] == L"rect" && args.size() == 5) {
    HWND child = nth(args[3], std::stoi(args[4]));
    RECT r{};
    if (!child) return 2;
    ::GetWindowRect(child, &r);
    Print(std::to_wstring(r.left - frame.left) + L" " + std::to_wstring(r.top - frame.top) + L" " +
          std::to_wstring(r.right - frame.left) + L" " + std::to_wstring(r.bottom - frame.top) + L"\n");
    return 0;
  }
  if (args[1] == L"at" && args.size() == 5) {
    HWND child = nth(args[3], std::stoi(args[4]));
    RECT r{};
    if (!child) return 2;
    ::GetClientRect(child, &r);
    return place(child, r);
  }
  if (args[1] == L"vtext" && args.size() == 5) {
    HWND child = nth(args[3], std::stoi(args[4]));
    if (!child) return 2;
    Print(TextOf(child));
    return 0;
  }
  if (args[1] == L"status" && args.size() == 4) {
    HWND bar = nth(STATUSCLASSNAMEW, 0);
    if (!bar) return 2;
    return PrintStatusPart(bar, std::stoi(args[3]));
  }
  if (args[1] == L"combo" && args.size() == 4) {
    HWND combo = nth(L"ComboBox", std::stoi(args[3]));
    if (!combo) return 2;
    const LRESULT count = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      std::wstring item(static_cast<size_t>(::SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
      item.resize(static_cast<size_t>(::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
      Print(item + L"\n");
    }
    return 0;
  }
  if (args[1] == L"named" && args.size() == 4) {
    for (HWND child : Children(top)) {
      RECT r{};
      ::GetClientRect(child, &r);
      if (::IsWindowVisible(child) && TextOf(child) == args[3]) return place(child, r);
    }
    return 2;
  }
  if (args[1] == L"item" && args.size() == 6) {
    HWND list = nth(args[3], std::stoi(args[4]));
    RECT r{};
    if (!list || ::SendMessageW(list, LB_GETITEMRECT, std::stoi(args[5]), reinterpret_cast<LPARAM>(&r)) == LB_ERR)
      return 2;
    return place(list, r);
  }
  if (args[1] == L"pasteall" && args.size() == 5) {
    HWND list = nth(L"ListBox", std::stoi(args[3]));
    HWND target = FindWindowContaining(args[4]);
    HWND edit = nullptr;
    if (target)
      for (HWND child : Children(target)) {
        wchar_t cls[64];
        ::GetClassNameW(child, cls, 64);
        if (!edit && ::lstrcmpiW(cls, L"Edit") == 0) edit = child;
      }
    if (!list || !edit) return 2;
    const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      const std::wstring before = TextOf(edit);
      ::SendMessageW(list, LB_SETTOPINDEX, i, 0);
      RECT r{};
      ::SendMessageW(list, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
      const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
      ::PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
      ::PostMessageW(list, WM_LBUTTONUP, 0, at);
      ::PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
      ::PostMessageW(list, WM_LBUTTONUP, 0, at);
      const ULONGLONG until = ::GetTickCount64() + 10000;
      while (TextOf(edit) == before) {
        if (::GetTickCount64() > until) return 2;
        ::Sleep(20);
      }
    }
    return 0;
  }
  if (args[1] == L"frame" && args.size() == 3) {
    RECT r{};
    ::GetWindowRect(top, &r);
    Print(std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " + std::to_wstring(r.right) + L" " +
          std::to_wstring(r.bottom) + L"\n");
    return 0;
  }
  if (args[1] == L"focus" && args.size() == 3) {
    GUITHREADINFO info{sizeof info};
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(top, nullptr), &info) || !info.hwndFocus) return 2;
    wchar_t cls[64];
    ::GetClassNameW(info.hwndFocus, cls, 64);
    RECT r{}, frame{};
    ::GetWindowRect(info.hwndFocus, &r);
    ::GetWindowRect(top, &frame);
    Print(std::wstring(cls) + L" " + std::to_wstring(r.left - frame.left) + L" " + std::to_wstring(r.top - frame.top) +
          L"\n");
    return 0;
  }
  if (args[1] == L"caret" && args.size() == 3) {
    GUITHREADINFO info{sizeof info};
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(top, nullptr), &info) || !info.hwndCaret) return 2;
    ::MapWindowPoints(info.hwndCaret, nullptr, reinterpret_cast<POINT*>(&info.rcCaret), 2);
    const RECT& r = info.rcCaret;
    Print(std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " + std::to_wstring(r.right) + L" " +
          std::to_wstring(r.bottom) + L"\n");
    return 0;
  }
  if (args[1] == L"move" && args.size() == 5) {
    const int x = std::stoi(args[3]), y = std::stoi(args[4]);
    return ::SetWindowPos(top, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) ? 0 : 2;
  }
  return 1;
}

}  // namespace

int main() {
  // Sizes as the screen has them, not scaled back to 96 DPI for us.
  ::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  std::vector<std::wstring> args(argv, argv + argc);
  ::LocalFree(argv);
  try {
    return Run(args);
  } catch (...) {
    return 1;
  }
}
