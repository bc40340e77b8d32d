// The published interface of UNLHA32.DLL: the entry names, in the order of
// the binding table, and the command function's signature. Shared by our
// DLL and by the program that binds it.
#pragma once
#include <array>

namespace archiver {

// 32-bit Windows libraries of this kind use the standard call convention.
#if defined(_WIN32) && defined(__i386__)
#define UNLHA_API __stdcall
#else
#define UNLHA_API
#endif

// int Unlha(HWND owner, LPCSTR commandLine, LPSTR output, DWORD outputSize)
using UnlhaFunction = int(UNLHA_API*)(void* owner, const char* commandLine, char* output, unsigned long outputSize);

inline constexpr std::array<const char*, 41> kUnlhaExports = {
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
};

}  // namespace archiver
