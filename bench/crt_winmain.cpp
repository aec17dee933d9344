// appuntex as a conventional mingw program: the same two operations behind
// WinMain and the standard runtime's start-up code. Built only so that
// scripts/bench can set the shipped file's size against this one's.
#include <windows.h>

#include "copy_text_to_clipboard.h"
#include "find_command_tail.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The runtime's own command-line tail skips the name by other rules, so
    // the program's scan is used on the raw line, as in AppuntexStart.
    const char* commandLine = GetCommandLineA();
    if (commandLine == nullptr) return kCopyEmptyText;
    return CopyTextToClipboard(FindCommandTail(commandLine));
}
