// appuntex-launch: runs a program with a command line given byte for byte and
// prints its exit code as the signed 32-bit number it returned (-1, not 255).
// Unix shells only ever see the low 8 bits of a Wine program's exit code.
//
//   APPUNTEX_TEXT="some text" appuntex-launch.exe PROGRAM
//
// The child's command line is PROGRAM, quoted, a blank and then the text as it
// stands, so no quoting of the shell or of Wine comes between.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: APPUNTEX_TEXT=text %s PROGRAM\n", argv[0]);
        return 2;
    }
    std::string commandLine = std::string("\"") + argv[1] + "\"";
    const DWORD size = GetEnvironmentVariableA("APPUNTEX_TEXT", nullptr, 0);
    if (size > 0) {
        std::string text(size, '\0');
        text.resize(GetEnvironmentVariableA("APPUNTEX_TEXT", text.data(), size));
        commandLine += " " + text;
    }

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "cannot start %s: error %lu\n", argv[1], GetLastError());
        return 2;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // "-1\n", not "-1\r\n": the reader is a Unix shell.
    _setmode(_fileno(stdout), _O_BINARY);
    std::printf("%d\n", static_cast<int>(code));
    return 0;
}
