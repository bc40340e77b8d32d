// Our UNLHA32.DLL as a program loads it: every published entry name, and a
// folder packed, removed and unpacked through Unlha with real files.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archiver/unlha_api.h"
#include "archiver/unlha_operations.h"
#include "platform/win32/file_system.h"
#include "platform/win32/text_convert.h"
#include "platform/utf8.h"
#include "tests/support/lzh_bomb.h"
#include "tests/support/shift_jis.h"

namespace {

namespace win32 = platform::win32;

class DllTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dll_ = ::LoadLibraryExW(L"UNLHA32.DLL", nullptr, LOAD_LIBRARY_SEARCH_APPLICATION_DIR);
    ASSERT_NE(dll_, nullptr);
    unlha_ = reinterpret_cast<archiver::UnlhaFunction>(::GetProcAddress(dll_, "Unlha"));
    ASSERT_NE(unlha_, nullptr);
    unlhaW_ = reinterpret_cast<archiver::UnlhaWFunction>(::GetProcAddress(dll_, "UnlhaW"));
    ASSERT_NE(unlhaW_, nullptr);
    wchar_t temp[MAX_PATH + 1];
    const DWORD n = ::GetTempPathW(MAX_PATH + 1, temp);
    root_ = win32::Narrow(std::wstring(temp, n)) + "mirufo-dll-" + std::to_string(::GetCurrentProcessId());
    files_.RemoveTree(root_);
    files_.CreateDirectories(root_);
  }
  void TearDown() override {
    files_.RemoveTree(root_);
    if (dll_) ::FreeLibrary(dll_);
  }
  template <class F>
  F Entry(const char* name) {
    return reinterpret_cast<F>(::GetProcAddress(dll_, name));
  }
  // The narrow entry takes Shift-JIS, the wide one UTF-16.
  int Unlha(const std::string& line, char* out = nullptr, unsigned long size = 0) {
    return unlha_(nullptr, Sjis(line).c_str(), out, size);
  }
  int UnlhaW(const std::string& line, std::string* report = nullptr) {
    const std::u16string wide = utf8::ToUtf16(line);
    char16_t out[256] = {};
    const int code = unlhaW_(nullptr, wide.c_str(), out, 256);
    if (report) *report = utf8::FromUtf16(out);
    return code;
  }

  HMODULE dll_ = nullptr;
  archiver::UnlhaFunction unlha_ = nullptr;
  archiver::UnlhaWFunction unlhaW_ = nullptr;
  win32::FileSystem files_;
  std::string root_;
};

}  // namespace

TEST_F(DllTest, EveryPublishedEntryNameIsExportedWithSoundAnswers) {
  for (const char* name : archiver::kUnlhaExports) EXPECT_NE(::GetProcAddress(dll_, name), nullptr) << name;
  EXPECT_EQ(Entry<WORD(WINAPI*)()>("UnlhaGetVersion")(), 100);
  EXPECT_FALSE(Entry<BOOL(WINAPI*)()>("UnlhaGetRunning")());
  EXPECT_TRUE(Entry<BOOL(WINAPI*)(BOOL)>("UnlhaSetBackGroundMode")(TRUE));
  EXPECT_TRUE(Entry<BOOL(WINAPI*)()>("UnlhaGetBackGroundMode")());
  EXPECT_EQ(Entry<HANDLE(WINAPI*)(HWND, LPCSTR, DWORD)>("UnlhaOpenArchive")(nullptr, "x.lzh", 0), nullptr);
  EXPECT_TRUE(Entry<BOOL(WINAPI*)()>("UnlhaClearOwnerWindow")());
}

TEST_F(DllTest, AClassFolderPackedAndUnpackedComesBackByteForByte) {
  const std::string cls = root_ + "\\顔 クラス", archive = root_ + "\\顔 クラス.lzh";
  files_.CreateDirectories(cls);
  const std::vector<std::pair<std::string, std::string>> groups = {
      {"ソフト.txt", "(^_^)\r\nソ表\r\n"}, {"g.txt", std::string(40000, 'x') + "\r\n"}, {"empty.txt", ""}};
  for (const auto& [name, data] : groups) files_.WriteFile(cls + "\\" + name, data);
  files_.SetWriteTime(cls + "\\g.txt", 126227808000000000);

  char report[256];
  ASSERT_EQ(Unlha("a -x1 -r1 \"" + archive + "\" \"" + cls + "\\\" *.* ", report, sizeof report), 0) << report;
  EXPECT_EQ(Entry<int(WINAPI*)(LPCSTR)>("UnlhaGetFileCount")(Sjis(archive).c_str()), 3);
  EXPECT_TRUE(Entry<BOOL(WINAPI*)(LPCSTR, int)>("UnlhaCheckArchive")(Sjis(archive).c_str(), 0));

  files_.RemoveTree(cls);
  ASSERT_EQ(Unlha("e -y \"" + archive + "\" \"" + cls + "\\\" *.* "), 0);
  for (const auto& [name, data] : groups) EXPECT_EQ(files_.ReadFile(cls + "\\" + name), data) << name;
  for (const auto& e : files_.Enumerate(cls + "\\g.txt", 0)) EXPECT_EQ(e.writeTime, 126227808000000000u);

  // A short buffer takes the start of the report, ended by NUL.
  char tiny[4] = {'?', '?', '?', '?'};
  ASSERT_EQ(Unlha("l \"" + archive + "\"", tiny, sizeof tiny), 0);
  EXPECT_EQ(tiny[3], '\0');
}

// Names Shift-JIS cannot hold reach the library through the wide entry and
// are stored with their Unicode names beside Shift-JIS fallbacks.
TEST_F(DllTest, NamesShiftJisCannotHoldPackAndUnpackThroughTheWideEntry) {
  const std::string cls = root_ + "\\ʕ•ᴥ•ʔ", archive = root_ + "\\ʕ•ᴥ•ʔ.lzh";
  files_.CreateDirectories(cls);
  const std::vector<std::pair<std::string, std::string>> groups = {
      {"🍣.txt", "\xEF\xBB\xBF(っ˘ڡ˘ς)\r\n"}, {"顔.txt", "\x8A\xE7\r\n"}, {"ᕕ( ᐛ )ᕗ.txt", "x\r\n"}};
  for (const auto& [name, data] : groups) files_.WriteFile(cls + "\\" + name, data);
  std::string report;
  ASSERT_EQ(UnlhaW("a -x1 -r1 \"" + archive + "\" \"" + cls + "\\\" *.* ", &report), 0) << report;
  const std::string bytes = files_.ReadFile(archive);
  EXPECT_NE(bytes.find("_.txt"), std::string::npos);  // the fallback of 🍣.txt
  ASSERT_EQ(UnlhaW("l \"" + archive + "\"", &report), 0);
  EXPECT_NE(report.find("🍣.txt"), std::string::npos) << report;
  files_.RemoveTree(cls);
  ASSERT_EQ(UnlhaW("e -y \"" + archive + "\" \"" + cls + "\\\" *.* "), 0);
  for (const auto& [name, data] : groups) EXPECT_EQ(files_.ReadFile(cls + "\\" + name), data) << name;
}

TEST_F(DllTest, BadCommandsAndMissingArchivesGiveErrorCodes) {
  EXPECT_NE(Unlha(""), 0);
  EXPECT_NE(Unlha("z x.lzh"), 0);
  EXPECT_NE(Unlha("e -y \"" + root_ + "\\none.lzh\" \"" + root_ + "\\out\\\" *.* "), 0);
  EXPECT_NE(unlha_(nullptr, nullptr, nullptr, 0), 0);
  const std::string text = root_ + "\\text.lzh";
  files_.WriteFile(text, "not an archive at all");
  EXPECT_FALSE(Entry<BOOL(WINAPI*)(LPCSTR, int)>("UnlhaCheckArchive")(Sjis(text).c_str(), 0));
  EXPECT_EQ(Entry<int(WINAPI*)(LPCSTR)>("UnlhaGetFileCount")(Sjis(text).c_str()), -1);
}

// On real files too a member streams through a temporary beside its target:
// what the folder holds afterwards is the finished file, or, after a wrong
// CRC, what was there before.
TEST_F(DllTest, ALargeMemberLandsWholeOrNotAtAllAndNoTemporaryStays) {
  constexpr uint64_t kSize = 16 << 20;
  const uint16_t crc = lzh_bomb::CrcOfAs(kSize);
  const std::string good = root_ + "\\good.lzh", bad = root_ + "\\bad.lzh", out = root_ + "\\out";
  files_.WriteFile(good, lzh_bomb::Archive(kSize, crc));
  files_.WriteFile(bad, lzh_bomb::Archive(kSize, crc ^ 1));
  const auto listing = [&] {
    std::vector<std::string> names;
    for (const auto& e : files_.Enumerate(out + "\\*", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
      names.push_back(e.name + " " + std::to_string(e.size));
    return names;
  };

  ASSERT_EQ(Unlha("e -y \"" + good + "\" \"" + out + "\\\" *.* "), 0);
  EXPECT_EQ(listing(), std::vector<std::string>{"bomb.bin 16777216"});
  EXPECT_EQ(files_.ReadFile(out + "\\bomb.bin"), std::string(kSize, 'A'));

  files_.WriteFile(out + "\\bomb.bin", "mine");
  EXPECT_EQ(Unlha("e -y \"" + bad + "\" \"" + out + "\\\" *.* "), archiver::unlha_error::kMember);
  EXPECT_EQ(listing(), std::vector<std::string>{"bomb.bin 4"});
  files_.RemoveTree(out);
  EXPECT_EQ(Unlha("e -y \"" + bad + "\" \"" + out + "\\\" *.* "), archiver::unlha_error::kMember);
  EXPECT_EQ(listing(), std::vector<std::string>{});
}

namespace {

// What the owner window heard: the stage and the file of each message.
std::vector<std::pair<WPARAM, std::string>> heard;
std::string stopAt;  // the file whose begin the owner answers with a stop

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  static const UINT extract = ::RegisterWindowMessageA(archiver::kExtractMessageName);
  if (msg != extract) return ::DefWindowProcW(hwnd, msg, wp, lp);
  const auto& info = *reinterpret_cast<const archiver::ExtractingInfo*>(lp);
  heard.push_back({wp, info.destFileName});
  return wp == archiver::extract_message::kBegin && stopAt == info.destFileName ? 1 : 0;
}

}  // namespace

// The owner-window protocol as a program meets it: one message per member
// begun and written, one at the end, and a nonzero answer stops the command
// with the cancel code; cleared, the owner hears nothing more.
TEST_F(DllTest, TheOwnerWindowHearsEachMemberAndCanStopTheUnpack) {
  const std::string folder = root_ + "\\pack", archive = root_ + "\\p.lzh", out = root_ + "\\out";
  files_.CreateDirectories(folder);
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) files_.WriteFile(folder + "\\" + name, name);
  ASSERT_EQ(Unlha("a \"" + archive + "\" \"" + folder + "\\\" *.* "), 0);

  WNDCLASSW wc{};
  wc.lpfnWndProc = OwnerProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"mirufo-dll-owner";
  ::RegisterClassW(&wc);
  HWND owner = ::CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(owner, nullptr);
  const auto setOwner = Entry<BOOL(WINAPI*)(HWND)>("UnlhaSetOwnerWindow");
  const auto clearOwner = Entry<BOOL(WINAPI*)()>("UnlhaClearOwnerWindow");
  ASSERT_TRUE(setOwner(owner));
  EXPECT_FALSE(setOwner(owner));  // one owner at a time

  // The order of the members in the archive is the folder's.
  const auto names = files_.Enumerate(folder + "\\*.txt", 0);
  ASSERT_EQ(names.size(), 3u);
  const std::string first = out + "\\" + names[0].name, second = out + "\\" + names[1].name;
  heard.clear();
  stopAt = second;
  EXPECT_EQ(Unlha("e -y \"" + archive + "\" \"" + out + "\\\" *.* "), archiver::unlha_error::kCancelled);
  using archiver::extract_message::kBegin, archiver::extract_message::kInProcess, archiver::extract_message::kEnd;
  EXPECT_EQ(heard, (std::vector<std::pair<WPARAM, std::string>>{
                       {kBegin, first}, {kInProcess, first}, {kBegin, second}, {kEnd, ""}}));
  EXPECT_EQ(files_.Enumerate(out + "\\*.txt", 0).size(), 1u);

  EXPECT_TRUE(clearOwner());
  heard.clear();
  EXPECT_EQ(Unlha("e -y \"" + archive + "\" \"" + out + "\\\" *.* "), 0);
  EXPECT_TRUE(heard.empty());
  EXPECT_EQ(files_.Enumerate(out + "\\*.txt", 0).size(), 3u);
  ::DestroyWindow(owner);
}
