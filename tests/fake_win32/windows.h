#pragma once
// Host-build stand-in for <windows.h>: the few declarations appuntex uses,
// implemented by fake_win32.cpp, which records every call and keeps a
// clipboard of its own. Values and signatures follow the real header.
#include <cstddef>

using BYTE = unsigned char;
using UINT = unsigned int;
using BOOL = int;
using SIZE_T = std::size_t;
using LPVOID = void*;
using HANDLE = void*;
using HGLOBAL = HANDLE;
using LPCSTR = const char*;
using LPSTR = char*;
struct HWND__;
using HWND = HWND__*;

#define WINAPI
#define MAX_LEADBYTES 12
#define CF_TEXT 1
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define GMEM_DDESHARE 0x2000
#define MB_ICONINFORMATION 0x00000040L

struct CPINFO {
    UINT MaxCharSize;
    BYTE DefaultChar[2];
    BYTE LeadByte[MAX_LEADBYTES];
};

UINT GetACP();
BOOL GetCPInfo(UINT codePage, CPINFO* info);
LPSTR GetCommandLineA();
[[noreturn]] void ExitProcess(UINT exitCode);

BOOL OpenClipboard(HWND owner);
BOOL EmptyClipboard();
HANDLE SetClipboardData(UINT format, HANDLE data);
BOOL CloseClipboard();

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
LPVOID GlobalLock(HGLOBAL block);
BOOL GlobalUnlock(HGLOBAL block);
HGLOBAL GlobalFree(HGLOBAL block);

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
