// The program's entry point. There is no C runtime: the linker starts the
// process here, so nothing runs before this and nothing after ExitProcess.
#include <windows.h>

#include "copy_text_to_clipboard.h"
#include "find_command_tail.h"

extern "C" void AppuntexStart() {
    const char* commandLine = GetCommandLineA();
    if (commandLine == nullptr) ExitProcess(static_cast<UINT>(kCopyEmptyText));
    ExitProcess(static_cast<UINT>(CopyTextToClipboard(FindCommandTail(commandLine))));
}
