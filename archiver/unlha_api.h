// The published interface of UNLHA32.DLL: the entry names, in the order of
// the binding table, and the command function's signature. Shared by our
// DLL and by the program that binds it.
#pragma once
#include <array>
#include <cstdint>

namespace archiver {

// 32-bit Windows libraries of this kind use the standard call convention.
#if defined(_WIN32) && defined(__i386__)
#define UNLHA_API __stdcall
#else
#define UNLHA_API
#endif

// int Unlha(HWND owner, LPCSTR commandLine, LPSTR output, DWORD outputSize)
using UnlhaFunction = int(UNLHA_API*)(void* owner, const char* commandLine, char* output, unsigned long outputSize);

// The same with UTF-16 strings: names Shift-JIS cannot hold reach the
// library only through this one.
// (UTF-16 is wchar_t on Windows; char16_t keeps the type right everywhere.)
using UnlhaWFunction = int(UNLHA_API*)(void* owner, const char16_t* commandLine, char16_t* output, unsigned long outputSize);

// BOOL UnlhaSetOwnerWindow(HWND owner), BOOL UnlhaClearOwnerWindow(void)
using UnlhaSetOwnerFunction = int(UNLHA_API*)(void* owner);
using UnlhaClearOwnerFunction = int(UNLHA_API*)();

// The owner-window protocol: while a command unpacks, the library sends the
// window set by UnlhaSetOwnerWindow this registered message for each member,
// with the stage in wParam and an ExtractingInfo in lParam. A nonzero answer
// stops the command, which then returns the cancel code.
inline constexpr const char* kExtractMessageName = "wm_arcextract";
namespace extract_message {
constexpr int kBegin = 0;      // a member is about to be written
constexpr int kInProcess = 1;  // a member is being (or has been) written
constexpr int kEnd = 2;        // the command has ended
}  // namespace extract_message

inline constexpr int kNameFieldSize = 512;
struct ExtractingInfo {
  uint32_t fileSize;   // the member's original size
  uint32_t writeSize;  // bytes written so far
  char sourceFileName[kNameFieldSize + 1];  // the archive
  char padding1[3];
  char destFileName[kNameFieldSize + 1];    // the file being written
  char padding2[3];
};
static_assert(sizeof(ExtractingInfo) == 8 + 2 * (kNameFieldSize + 4), "the published layout");

inline constexpr std::array<const char*, 42> kUnlhaExports = {
    "Unlha",
    "UnlhaGetVersion",
    "UnlhaGetRunning",
    "UnlhaGetBackGroundMode",
    "UnlhaSetBackGroundMode",
    "UnlhaGetCursorMode",
    "UnlhaSetCursorMode",
    "UnlhaGetCursorInterval",
    "UnlhaSetCursorInterval",
    "UnlhaCheckArchive",
    "UnlhaConfigDialog",
    "UnlhaGetFileCount",
    "UnlhaQueryFunctionList",
    "UnlhaOpenArchive",
    "UnlhaCloseArchive",
    "UnlhaFindFirst",
    "UnlhaFindNext",
    "UnlhaExtractMem",
    "UnlhaCompressMem",
    "UnlhaGetArcFileName",
    "UnlhaGetArcFileSize",
    "UnlhaGetArcOriginalSize",
    "UnlhaGetArcCompressedSize",
    "UnlhaGetArcRatio",
    "UnlhaGetArcDate",
    "UnlhaGetArcTime",
    "UnlhaGetArcOSType",
    "UnlhaIsSFXFile",
    "UnlhaGetFileName",
    "UnlhaGetMethod",
    "UnlhaGetOriginalSize",
    "UnlhaGetCompressedSize",
    "UnlhaGetRatio",
    "UnlhaGetDate",
    "UnlhaGetTime",
    "UnlhaGetCRC",
    "UnlhaGetAttribute",
    "UnlhaGetOSType",
    "UnlhaGetWriteTime",
    "UnlhaSetOwnerWindow",
    "UnlhaClearOwnerWindow",
    "UnlhaW",
};

}  // namespace archiver
