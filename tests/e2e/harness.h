#pragma once
// What the Windows-side tests share: starting appuntex with an exact raw
// command line and reading back its full exit code, and using the desktop's
// clipboard the way another program would.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace e2e {

// Windows path of the program under test (the x86_64 build), and of the
// shipped 32-bit file, from the environment that ctest sets.
std::string ProgramPath();
std::string ShippedProgramPath();

struct Started {
    HANDLE process = nullptr;
    DWORD processId = 0;
};

// Starts the program at `path` (ProgramPath() when empty) with exactly this
// command line. With `path` "none" the system finds the program in the
// command line itself, as a shell would.
Started Start(const std::string& commandLine, const std::string& path = "");

// Waits for the process, closes it and returns its exit code as the signed
// result the program ended with. Fails the test on a time-out.
int Finish(Started started, DWORD timeoutMs = 20000);

// Start and Finish.
int RunProgram(const std::string& commandLine, const std::string& path = "");

// A window of the test's own, for opening the clipboard as its owner.
HWND TestWindow();

// The clipboard's content: every format with its bytes. Handle-based formats
// that are not memory (bitmaps and such) are listed with empty bytes.
std::map<UINT, std::string> ReadClipboard();

// CF_TEXT up to and including its first NUL, or "<none>".
std::string ReadClipboardText();

// Replaces the clipboard's content with these formats.
void SeedClipboard(const std::map<UINT, std::string>& formats);

// True if another program can open the clipboard right now.
bool ClipboardIsFree();

// A private clipboard format of the test's own.
UINT PrivateFormat();

}  // namespace e2e
