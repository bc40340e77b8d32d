// The Win32 backend under contract test, run under Wine: real files in a
// temporary folder and real controls.
#include <windows.h>

#include <richedit.h>
#include <shlobj.h>

#include <cstring>
#include <future>
#include <memory>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

#include "platform/win32/clipboard.h"
#include "platform/win32/file_system.h"
#include "platform/win32/library_loader.h"
#include "platform/win32/other_windows.h"
#include "platform/win32/text_convert.h"
#include "platform/win32/toolkit.h"
#include "platform/win32/toolkit_controls.h"
#include "tests/platform/contract_backend.h"

namespace {

namespace win32 = platform::win32;

HWND Hwnd(platform::Control& control) { return dynamic_cast<win32::ControlCore&>(control).Handle(); }

// A press and release of the left button at a point of the control.
void Click(HWND hwnd, POINT at) {
  const LPARAM where = MAKELPARAM(at.x, at.y);
  ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, where);
  ::SendMessageW(hwnd, WM_LBUTTONUP, 0, where);
}

POINT Middle(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

RECT ClientRect(HWND hwnd) {
  RECT r{};
  ::GetClientRect(hwnd, &r);
  return r;
}

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path);
      else
        ::DeleteFileW(path.c_str());
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
  }
  ::SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::RemoveDirectoryW(folder.c_str());
}

using WineUnixName = char*(CDECL*)(const wchar_t*);

// Wine's own path for a Windows one, or nothing outside Wine.
std::string UnixName(const std::wstring& path) {
  const auto convert = reinterpret_cast<WineUnixName>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!convert) return {};
  char* name = convert(path.c_str());
  if (!name) throw std::runtime_error("no unix name");
  std::string out = name;
  ::HeapFree(::GetProcessHeap(), 0, name);
  return out;
}

// Whether the path exists, after waiting up to 5 s for it to be `wanted`.
bool Exists(const std::wstring& path, bool wanted) {
  for (int i = 0; i < 100; ++i) {
    if ((::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) == wanted) return wanted;
    ::Sleep(50);
  }
  return !wanted;
}

// Starts a unix command under Wine, which runs native programs too, but
// neither waits for them nor gives an exit code to trust: the caller waits
// for the effect. Wine passes quotes on as they are, so arguments hold no
// spaces.
void RunUnix(const std::string& command) {
  std::wstring line = win32::Wide(command);
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    throw std::runtime_error("cannot run " + command);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
}

// A window of "another application": it records the keys it receives.
LRESULT CALLBACK TargetProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* keys = reinterpret_cast<std::vector<platform::KeyEvent>*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (keys && (msg == WM_KEYDOWN || msg == WM_KEYUP)) keys->push_back({static_cast<int>(wp), msg == WM_KEYUP});
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

INPUT KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

class Win32Backend : public ContractBackend {
 public:
  ~Win32Backend() override {
    for (auto& [thread, release] : holders_) {
      release->set_value();
      thread.join();
    }
    for (auto& target : targets_) ::DestroyWindow(target.first);
    if (owner_) ::DestroyWindow(owner_);
    for (const auto& [link, unixLink] : unixLinks_) {
      RunUnix("/bin/rm -f " + unixLink);
      Exists(link, false);
    }
    for (const std::wstring& folder : folders_) RemoveTree(folder);
  }
  platform::FileSystem& Files() override { return files_; }
  platform::LibraryLoader& Libraries() override { return libraries_; }
  platform::Toolkit& Toolkit() override { return toolkit_; }
  platform::Clipboard& Clipboard() override { return clipboard_; }
  platform::OtherWindows& Windows() override { return windows_; }

  platform::WindowId NewTopWindow(const std::string& title, bool owned, bool visible) override {
    static const ATOM atom = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = TargetProc;
      wc.hInstance = ::GetModuleHandleW(nullptr);
      wc.lpszClassName = L"MirufoContractTarget";
      return ::RegisterClassW(&wc);
    }();
    if (owned && !owner_)
      owner_ = ::CreateWindowExW(0, MAKEINTATOM(atom), L"owner", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    HWND hwnd = ::CreateWindowExW(0, MAKEINTATOM(atom), win32::Wide(title).c_str(), WS_OVERLAPPEDWINDOW, 300, 100, 300, 200,
                                  owned ? owner_ : nullptr, nullptr, nullptr, nullptr);
    if (!hwnd) throw std::runtime_error("cannot create a test window");
    auto& keys = targets_.emplace_back(hwnd, std::make_unique<std::vector<platform::KeyEvent>>()).second;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(keys.get()));
    if (visible) {
      ::ShowWindow(hwnd, SW_SHOW);
      ::SetForegroundWindow(hwnd);
    }
    Pump();
    return reinterpret_cast<platform::WindowId>(hwnd);
  }

  std::vector<platform::KeyEvent> KeysReceived(platform::WindowId window, size_t count) override {
    for (auto& target : targets_) {
      if (reinterpret_cast<platform::WindowId>(target.first) != window) continue;
      const ULONGLONG until = ::GetTickCount64() + 2000;
      while (target.second->size() < count && ::GetTickCount64() < until) {
        Pump();
        ::Sleep(5);
      }
      return *target.second;
    }
    return {};
  }

  std::string NewFolder() override {
    static int serial = 0;
    wchar_t temp[MAX_PATH + 1];
    const DWORD n = ::GetTempPathW(MAX_PATH + 1, temp);
    std::wstring folder(temp, n);
    while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    folder += L"\\mirufo-contract-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
    RemoveTree(folder);
    if (!::CreateDirectoryW(folder.c_str(), nullptr)) throw std::runtime_error("cannot create a test folder");
    folders_.push_back(folder);
    return win32::Narrow(folder);
  }

  void MakeFolderLink(const std::string& link, const std::string& target) override {
    MakeLink(link, target, SYMBOLIC_LINK_FLAG_DIRECTORY);
  }
  void MakeFileLink(const std::string& link, const std::string& target) override { MakeLink(link, target, 0); }

  // The mouse messages a click sends, at the middle of the item.
  void UserClick(platform::ListBox& list, int index) override {
    HWND hwnd = Hwnd(list);
    RECT r{};
    if (::SendMessageW(hwnd, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)) == LB_ERR)
      throw std::out_of_range("no such item");
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, at);
  }

  // As the static control asks when it paints: its parent gives the text
  // colour, and it draws with its own font.
  TextLook DrawnLook(platform::Label& label) override {
    HWND hwnd = Hwnd(label);
    win32::unique_hdc dc(::CreateCompatibleDC(nullptr));
    ::SetTextColor(dc.get(), RGB(1, 2, 3));
    ::SendMessageW(::GetParent(hwnd), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(hwnd));
    const COLORREF colour = ::GetTextColor(dc.get());
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
    return {static_cast<int32_t>(colour), font.lfUnderline != 0};
  }

  void UserClick(platform::Label& label) override {
    HWND hwnd = Hwnd(label);
    Click(hwnd, Middle(ClientRect(hwnd)));
  }

  // Near the top-left corner: clear of the labels laid on it.
  void UserClick(platform::Picture& picture) override { Click(Hwnd(picture), {2, 2}); }

  void UserClick(platform::Button& button) override {
    HWND hwnd = Hwnd(button);
    Click(hwnd, Middle(ClientRect(hwnd)));
  }

  void UserClick(platform::CheckBox& box) override {
    HWND hwnd = Hwnd(box);
    Click(hwnd, Middle(ClientRect(hwnd)));
  }

  // Right of the middle of the item: on its text, away from the box.
  void UserClick(platform::CheckList& list, int index) override {
    HWND hwnd = Hwnd(list);
    RECT r{};
    if (::SendMessageW(hwnd, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)) == LB_ERR)
      throw std::out_of_range("no such item");
    Click(hwnd, {(r.left + 3 * r.right) / 4, (r.top + r.bottom) / 2});
  }

  void UserClickCheck(platform::CheckList& list, int index) override {
    Click(Hwnd(list), Middle(dynamic_cast<win32::CheckList&>(list).CheckRect(index)));
  }

  // What the open list does when an item is clicked: it selects the item,
  // then tells the parent.
  void UserChoose(platform::DropDownList& list, int index) override {
    HWND hwnd = Hwnd(list);
    if (index < 0 || index >= list.Count()) throw std::out_of_range("no such item");
    ::SetFocus(hwnd);
    ::SendMessageW(hwnd, CB_SETCURSEL, index, 0);
    ::SendMessageW(::GetParent(hwnd), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(hwnd), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(hwnd));
  }

  // Key messages as the keyboard sends them: down, the character, up.
  void UserKey(platform::Window&, platform::Control& control, int key) override {
    HWND hwnd = Hwnd(control);
    ::SetFocus(hwnd);
    const UINT scan = ::MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    ::SendMessageW(hwnd, WM_KEYDOWN, key, 1 | (scan << 16));
    if (key == VK_SPACE) ::SendMessageW(hwnd, WM_CHAR, L' ', 1 | (scan << 16));
    ::SendMessageW(hwnd, WM_KEYUP, key, 1 | (scan << 16) | (1u << 30) | (1u << 31));
    Pump();
  }

  void UserType(platform::Window&, platform::Control& control, const std::string& text) override {
    HWND hwnd = Hwnd(control);
    ::SetFocus(hwnd);
    for (wchar_t c : win32::Wide(text)) ::SendMessageW(hwnd, WM_CHAR, c, 1);
    Pump();
  }

  void UserChord(platform::Window&, platform::Control& control, const platform::Chord& chord) override {
    using namespace platform::modifier;
    HWND hwnd = Hwnd(control);
    ::SetFocus(hwnd);
    BYTE before[256] = {}, held[256];
    ::GetKeyboardState(before);
    std::memcpy(held, before, sizeof held);
    for (const auto& [bit, keys] : {std::pair{kCtrl, std::pair{VK_CONTROL, VK_LCONTROL}}, {kAlt, {VK_MENU, VK_LMENU}},
                                    {kShift, {VK_SHIFT, VK_LSHIFT}}, {kWin, {VK_LWIN, VK_LWIN}}})
      if (chord.modifiers & bit) held[keys.first] = held[keys.second] = 0x80;
    ::SetKeyboardState(held);
    // As the system sends them: Alt without Ctrl, and F10, make system keys.
    const bool alt = chord.modifiers & kAlt;
    const bool system = (alt && !(chord.modifiers & kCtrl)) || chord.key == VK_F10;
    const LPARAM lp = 1 | (::MapVirtualKeyW(chord.key, MAPVK_VK_TO_VSC) << 16) | (alt ? 1 << 29 : 0);
    ::PostMessageW(hwnd, system ? WM_SYSKEYDOWN : WM_KEYDOWN, chord.key, lp);
    ::PostMessageW(hwnd, system ? WM_SYSKEYUP : WM_KEYUP, chord.key, lp | (3u << 30));
    // The toolkit's own loop, until a window made to stop it has closed;
    // the characters the keys made come after that.
    const auto stop = toolkit_.NewWindow({});
    ::PostMessageW(dynamic_cast<win32::Window&>(*stop).Handle(), WM_CLOSE, 0, 0);
    toolkit_.Run(*stop);
    Pump();
    ::SetKeyboardState(before);
  }

  std::string ShownText(platform::ChordBox& box) override {
    HWND hwnd = Hwnd(box);
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return win32::Narrow(text);
  }

  // A thread of its own stands for the other program: it holds the hotkey
  // until the backend goes.
  bool HoldHotKeyElsewhere(const platform::Chord& chord) override {
    std::promise<bool> taken;
    std::future<bool> answer = taken.get_future();
    auto release = std::make_unique<std::promise<void>>();
    std::thread holder([chord, taken = std::move(taken), until = release->get_future()]() mutable {
      const bool held = ::RegisterHotKey(nullptr, 1, win32::HotKeyModifiers(chord), static_cast<UINT>(chord.key));
      taken.set_value(held);
      until.wait();
      if (held) ::UnregisterHotKey(nullptr, 1);
    });
    holders_.emplace_back(std::move(holder), std::move(release));
    return answer.get();
  }

  // Real key events, which the system matches with the hotkeys.
  void PressHotKey(const platform::Chord& chord, const std::function<bool()>& arrived) override {
    using namespace platform::modifier;
    std::vector<WORD> keys;
    for (const auto& [bit, key] : {std::pair{kCtrl, VK_CONTROL}, {kAlt, VK_MENU}, {kShift, VK_SHIFT}, {kWin, VK_LWIN}})
      if (chord.modifiers & bit) keys.push_back(static_cast<WORD>(key));
    keys.push_back(static_cast<WORD>(chord.key));
    std::vector<INPUT> inputs;
    for (WORD key : keys) inputs.push_back(KeyInput(key, false));
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) inputs.push_back(KeyInput(*key, true));
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    const ULONGLONG until = ::GetTickCount64() + 2000;
    while (!arrived() && ::GetTickCount64() < until) {
      Pump();
      ::Sleep(5);
    }
  }

  TypingWindow NewTypingWindow() override {
    HWND hwnd = reinterpret_cast<HWND>(NewTopWindow("typing", false, true));
    HWND field = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 8, 30, 200, 22,
                                   hwnd, nullptr, nullptr, nullptr);
    if (!field) throw std::runtime_error("cannot create a text field");
    ::SetFocus(field);
    Pump();
    RECT r{};
    ::GetWindowRect(field, &r);
    return {reinterpret_cast<platform::WindowId>(hwnd), {r.left, r.top, r.right - r.left, r.bottom - r.top}};
  }

  void TypeInto(platform::WindowId window, const std::string& text) override {
    HWND field = ::GetWindow(reinterpret_cast<HWND>(window), GW_CHILD);
    for (wchar_t c : win32::Wide(text)) ::SendMessageW(field, WM_CHAR, c, 1);
    Pump();
  }

  // A drag over the text, as character positions of the control, where a
  // line break is one character.
  void UserSelect(platform::EditBox& edit, const std::string& before, const std::string& selected) override {
    const auto position = [](const std::string& text) {
      const std::wstring wide = win32::Wide(text);
      LONG n = 0;
      for (size_t i = 0; i < wide.size(); ++i)
        if (!(wide[i] == L'\r' && i + 1 < wide.size() && wide[i + 1] == L'\n')) ++n;
      return n;
    };
    CHARRANGE range{position(before), position(before + selected)};
    ::SendMessageW(dynamic_cast<win32::ControlCore&>(edit).Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  }

  void UserChooseTab(platform::TabPages& tabs, int index) override {
    HWND hwnd = dynamic_cast<win32::ControlCore&>(tabs).Handle();
    RECT r{};
    if (!::SendMessageW(hwnd, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)))
      throw std::out_of_range("no such tab");
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, at);
  }

  // The drop data the shell hands a window: DROPFILES, then the wide paths,
  // each ended by a NUL, and one more NUL.
  void UserDropFiles(platform::Window& window, const std::vector<platform::DroppedPath>& paths) override {
    std::wstring list;
    for (const platform::DroppedPath& p : paths) {
      std::wstring path = win32::Wide(p.path);
      if (!p.exact)
        for (wchar_t& c : path)
          if (c == L'?') c = 0xD800;  // a lone surrogate
      list += path + L'\0';
    }
    list += L'\0';
    HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    if (!memory) throw std::runtime_error("no memory for the drop");
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    // The window releases the drop data, as it must for the shell's.
    ::SendMessageW(dynamic_cast<win32::Window&>(window).Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
  }

  void PutClipboardTextFromAnotherProgram(const std::string& text) override {
    const std::wstring wide = win32::Wide(text);
    const size_t size = (wide.size() + 1) * sizeof(wchar_t);
    if (!::OpenClipboard(nullptr)) throw std::runtime_error("the clipboard cannot be opened");
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory) {
      std::memcpy(::GlobalLock(memory), wide.c_str(), size);
      ::GlobalUnlock(memory);
      ::EmptyClipboard();
      if (!::SetClipboardData(CF_UNICODETEXT, memory)) ::GlobalFree(memory);
    }
    ::CloseClipboard();
  }
  std::string PresentLibrary() override { return "kernel32.dll"; }
  std::intptr_t SendRegistered(platform::Window& window, const std::string& name, std::uintptr_t wParam,
                               std::intptr_t lParam) override {
    return ::SendMessageA(dynamic_cast<win32::Window&>(window).Handle(), ::RegisterWindowMessageA(name.c_str()), wParam,
                          lParam);
  }
  std::string AbsentLibrary() override { return "NOSUCHLIB.DLL"; }

  void Pump() override {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }

 private:
  // Wine keeps no links of its own (CreateSymbolicLinkW succeeds and makes
  // nothing), so there the link is a unix one.
  void MakeLink(const std::string& link, const std::string& target, DWORD kind) {
    const std::string unixTarget = UnixName(win32::Wide(target));
    if (unixTarget.empty()) {
      if (!::CreateSymbolicLinkW(win32::Wide(link).c_str(), win32::Wide(target).c_str(),
                                 kind | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE))
        throw std::runtime_error("cannot make a link");
      return;
    }
    const std::string unixLink = UnixName(win32::Wide(link));
    if ((unixTarget + unixLink).find(' ') != std::string::npos) throw std::runtime_error("a space in " + unixLink);
    RunUnix("/bin/ln -s " + unixTarget + " " + unixLink);
    unixLinks_.emplace_back(win32::Wide(link), unixLink);
    if (!Exists(win32::Wide(link), true)) throw std::runtime_error("no link made at " + link);
  }

  win32::FileSystem files_;
  win32::LibraryLoader libraries_;
  win32::Toolkit toolkit_;
  win32::Clipboard clipboard_;
  win32::OtherWindows windows_;
  HWND owner_ = nullptr;
  std::vector<std::pair<HWND, std::unique_ptr<std::vector<platform::KeyEvent>>>> targets_;
  std::vector<std::wstring> folders_;
  std::vector<std::pair<std::thread, std::unique_ptr<std::promise<void>>>> holders_;
  std::vector<std::pair<std::wstring, std::string>> unixLinks_;
};

}  // namespace

std::unique_ptr<ContractBackend> MakeContractBackend() { return std::make_unique<Win32Backend>(); }
