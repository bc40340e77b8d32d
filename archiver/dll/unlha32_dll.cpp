// UNLHA32.DLL: the command function Unlha over our LZH codec, and the rest
// of the published entry names. Queries through archive handles are not
// offered: they answer "not supported" and change nothing.
#include <windows.h>

#include <atomic>
#include <cstring>
#include <exception>
#include <string>

#include "archiver/unlha_api.h"
#include "archiver/unlha_operations.h"
#include "platform/cp932.h"
#include "platform/win32/file_system.h"
#include "platform/win32/text_convert.h"

namespace {

namespace error = archiver::unlha_error;
using HARC = HANDLE;

constexpr WORD kVersion = 100;  // 1.00
constexpr DWORD kNoValue = 0xFFFFFFFF;

std::atomic<bool> running{false};
std::atomic<bool> backgroundMode{false}, cursorMode{false};
std::atomic<WORD> cursorInterval{80};
// The window told of each member of an unpack; one at a time.
std::atomic<HWND> ownerWindow{nullptr};

std::optional<uint64_t> LocalDosTime(uint32_t dos) {
  FILETIME local, utc;
  if (!::DosDateTimeToFileTime(static_cast<WORD>(dos >> 16), static_cast<WORD>(dos), &local)) return std::nullopt;
  if (!::LocalFileTimeToFileTime(&local, &utc)) return std::nullopt;
  return (uint64_t{utc.dwHighDateTime} << 32) | utc.dwLowDateTime;
}

template <class Char>
void CopyReport(const std::basic_string<Char>& report, Char* output, DWORD size) {
  if (!output || size == 0) return;
  const size_t n = report.size() < size - 1 ? report.size() : size - 1;
  std::memcpy(output, report.data(), n * sizeof(Char));
  output[n] = 0;
}

// The narrow entry speaks Shift-JIS, as the system's code page has it on
// the machines it was made for; the wide one UTF-16.
Bytes Narrow(const Text& text) { return *cp932::Encode(cp932::Fitting(text)); }
std::wstring Wide(const Text& text) { return platform::win32::Wide(text); }

// Each report as the registered message to the owner; its nonzero answer
// stops the command.
bool TellOwner(HWND owner, const archiver::ExtractProgress& progress) {
  static const UINT message = ::RegisterWindowMessageA(archiver::kExtractMessageName);
  if (!message || !::IsWindow(owner)) return true;
  archiver::ExtractingInfo info = archiver::ToExtractingInfo(progress);
  return ::SendMessageA(owner, message, static_cast<WPARAM>(archiver::WireStage(progress.stage)),
                        reinterpret_cast<LPARAM>(&info)) == 0;
}

archiver::UnlhaResult Run(const Text& commandLine) {
  platform::win32::FileSystem files;
  archiver::UnlhaEnvironment env{files, LocalDosTime, {}};
  if (HWND owner = ownerWindow) env.progress = [owner](const archiver::ExtractProgress& p) { return TellOwner(owner, p); };
  return archiver::RunUnlha(commandLine, env);
}

// One command at a time, whichever entry it comes through.
template <class Char, class Decode, class Encode>
int RunEntry(const Char* commandLine, Char* output, DWORD outputSize, Decode decode, Encode encode) {
  if (!commandLine) return error::kCommand;
  if (running.exchange(true)) return error::kCommand;
  int code = 0;
  try {
    const archiver::UnlhaResult result = Run(decode(commandLine));
    CopyReport(encode(result.report), output, outputSize);
    code = result.code;
  } catch (const std::exception& e) {
    CopyReport(encode(e.what()), output, outputSize);
    code = error::kCannotWrite;
  } catch (...) {
    code = error::kCannotWrite;
  }
  running = false;
  return code;
}


}  // namespace

#define EXPORT extern "C" __declspec(dllexport)

EXPORT int WINAPI Unlha(HWND, LPCSTR commandLine, LPSTR output, DWORD outputSize) {
  return RunEntry(commandLine, output, outputSize, [](const char* line) { return cp932::Decode(line); }, Narrow);
}

EXPORT int WINAPI UnlhaW(HWND, LPCWSTR commandLine, LPWSTR output, DWORD outputSize) {
  return RunEntry(commandLine, output, outputSize, [](const wchar_t* line) { return platform::win32::Narrow(line); }, Wide);
}
static_assert(sizeof(wchar_t) == sizeof(char16_t), "UnlhaW's strings are UTF-16, as archiver::UnlhaWFunction has them");

EXPORT WORD WINAPI UnlhaGetVersion() { return kVersion; }
EXPORT BOOL WINAPI UnlhaGetRunning() { return running ? TRUE : FALSE; }
EXPORT BOOL WINAPI UnlhaGetBackGroundMode() { return backgroundMode ? TRUE : FALSE; }
EXPORT BOOL WINAPI UnlhaSetBackGroundMode(BOOL on) {
  backgroundMode = on != FALSE;
  return TRUE;
}
EXPORT BOOL WINAPI UnlhaGetCursorMode() { return cursorMode ? TRUE : FALSE; }
EXPORT BOOL WINAPI UnlhaSetCursorMode(BOOL on) {
  cursorMode = on != FALSE;
  return TRUE;
}
EXPORT WORD WINAPI UnlhaGetCursorInterval() { return cursorInterval; }
EXPORT BOOL WINAPI UnlhaSetCursorInterval(WORD interval) {
  cursorInterval = interval;
  return TRUE;
}

// Every header readable and every member's CRC right.
EXPORT BOOL WINAPI UnlhaCheckArchive(LPCSTR archive, int) {
  if (!archive) return FALSE;
  try {
    return Run("t \"" + cp932::Decode(archive) + "\"").code == 0 ? TRUE : FALSE;
  } catch (...) {
    return FALSE;
  }
}

EXPORT BOOL WINAPI UnlhaConfigDialog(HWND, LPSTR, int) { return FALSE; }

// The number of members, or -1 for a file that is no readable archive.
EXPORT int WINAPI UnlhaGetFileCount(LPCSTR archive) {
  if (!archive) return -1;
  try {
    const archiver::UnlhaResult listed = Run("l \"" + cp932::Decode(archive) + "\"");
    if (listed.code != 0) return -1;
    int lines = 0;
    for (char c : listed.report) lines += c == '\n';
    return lines;
  } catch (...) {
    return -1;
  }
}

// Only the command function is offered among the numbered functions.
EXPORT BOOL WINAPI UnlhaQueryFunctionList(int index) { return index == 0 ? TRUE : FALSE; }

EXPORT HARC WINAPI UnlhaOpenArchive(HWND, LPCSTR, DWORD) { return nullptr; }
EXPORT int WINAPI UnlhaCloseArchive(HARC) { return error::kNotSupported; }
EXPORT int WINAPI UnlhaFindFirst(HARC, LPCSTR, LPVOID) { return error::kNotSupported; }
EXPORT int WINAPI UnlhaFindNext(HARC, LPVOID) { return error::kNotSupported; }
EXPORT int WINAPI UnlhaExtractMem(HWND, LPCSTR, LPBYTE, DWORD, LPVOID, LPWORD, LPDWORD) {
  return error::kNotSupported;
}
EXPORT int WINAPI UnlhaCompressMem(HWND, LPCSTR, LPBYTE, DWORD, LPVOID, LPWORD, LPDWORD) {
  return error::kNotSupported;
}
EXPORT int WINAPI UnlhaGetArcFileName(HARC, LPSTR, int) { return error::kNotSupported; }
EXPORT DWORD WINAPI UnlhaGetArcFileSize(HARC) { return kNoValue; }
EXPORT DWORD WINAPI UnlhaGetArcOriginalSize(HARC) { return kNoValue; }
EXPORT DWORD WINAPI UnlhaGetArcCompressedSize(HARC) { return kNoValue; }
EXPORT WORD WINAPI UnlhaGetArcRatio(HARC) { return static_cast<WORD>(kNoValue); }
EXPORT WORD WINAPI UnlhaGetArcDate(HARC) { return static_cast<WORD>(kNoValue); }
EXPORT WORD WINAPI UnlhaGetArcTime(HARC) { return static_cast<WORD>(kNoValue); }
EXPORT UINT WINAPI UnlhaGetArcOSType(HARC) { return kNoValue; }
EXPORT int WINAPI UnlhaIsSFXFile(HARC) { return error::kNotSupported; }
EXPORT int WINAPI UnlhaGetFileName(HARC, LPSTR, int) { return error::kNotSupported; }
EXPORT int WINAPI UnlhaGetMethod(HARC, LPSTR, int) { return error::kNotSupported; }
EXPORT DWORD WINAPI UnlhaGetOriginalSize(HARC) { return kNoValue; }
EXPORT DWORD WINAPI UnlhaGetCompressedSize(HARC) { return kNoValue; }
EXPORT WORD WINAPI UnlhaGetRatio(HARC) { return static_cast<WORD>(kNoValue); }
EXPORT WORD WINAPI UnlhaGetDate(HARC) { return static_cast<WORD>(kNoValue); }
EXPORT WORD WINAPI UnlhaGetTime(HARC) { return static_cast<WORD>(kNoValue); }
EXPORT DWORD WINAPI UnlhaGetCRC(HARC) { return kNoValue; }
EXPORT int WINAPI UnlhaGetAttribute(HARC) { return -1; }
EXPORT UINT WINAPI UnlhaGetOSType(HARC) { return kNoValue; }
EXPORT BOOL WINAPI UnlhaGetWriteTime(HARC, FILETIME*) { return FALSE; }
// A second owner is refused until the first is cleared.
EXPORT BOOL WINAPI UnlhaSetOwnerWindow(HWND owner) {
  if (!owner || !::IsWindow(owner)) return FALSE;
  HWND none = nullptr;
  return ownerWindow.compare_exchange_strong(none, owner) ? TRUE : FALSE;
}
EXPORT BOOL WINAPI UnlhaClearOwnerWindow() {
  ownerWindow = nullptr;
  return TRUE;
}
