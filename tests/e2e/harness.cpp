#include "harness.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace e2e {

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        ADD_FAILURE() << name << " is not set: run this through ctest";
        return "";
    }
    return value;
}

// The clipboard may be busy for a moment while Wine hands it to X, or while
// the program under test still holds it; wait a little for it.
bool OpenClipboardWithin(HWND owner, DWORD ms) {
    const DWORD start = GetTickCount();
    while (!OpenClipboard(owner)) {
        if (GetTickCount() - start > ms) return false;
        Sleep(10);
    }
    return true;
}

}  // namespace

std::string ProgramPath() { return Environment("APPUNTEX_EXE"); }
std::string ShippedProgramPath() { return Environment("APPUNTEX_SHIPPED_EXE"); }

Started Start(const std::string& commandLine, const std::string& path) {
    const std::string application = path.empty() ? ProgramPath() : path;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    // Wine now and then fails to start a process when many start at once;
    // that is the harness's trouble, not the program's, so try again.
    DWORD error = 0;
    for (int attempt = 0; attempt < 5; ++attempt, Sleep(200)) {
        if (CreateProcessA(application == "none" ? nullptr : application.c_str(), line.data(), nullptr,
                           nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
            break;
        error = GetLastError();
    }
    if (info.hProcess == nullptr) {
        ADD_FAILURE() << "CreateProcessA failed with error " << error << " for " << application;
        return {};
    }
    CloseHandle(info.hThread);
    return {info.hProcess, info.dwProcessId};
}

int Finish(Started started, DWORD timeoutMs) {
    if (started.process == nullptr) return 1000;
    if (WaitForSingleObject(started.process, timeoutMs) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the program did not end within " << timeoutMs << " ms";
        TerminateProcess(started.process, 1000);
        WaitForSingleObject(started.process, INFINITE);
    }
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(started.process, &code));
    CloseHandle(started.process);
    return static_cast<int>(code);
}

int RunProgram(const std::string& commandLine, const std::string& path) {
    return Finish(Start(commandLine, path));
}

HWND TestWindow() {
    static HWND window = CreateWindowExA(0, "STATIC", "appuntex e2e", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                         nullptr, nullptr, nullptr);
    return window;
}

std::map<UINT, std::string> ReadClipboard() {
    std::map<UINT, std::string> formats;
    if (!OpenClipboardWithin(TestWindow(), 5000)) {
        ADD_FAILURE() << "the clipboard stayed busy";
        return formats;
    }
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
        std::string bytes;
        const bool memory = format != CF_BITMAP && format != CF_ENHMETAFILE && format != CF_PALETTE &&
                            format != CF_METAFILEPICT && format != CF_DSPBITMAP;
        HANDLE data = memory ? GetClipboardData(format) : nullptr;
        if (data != nullptr) {
            const SIZE_T size = GlobalSize(data);
            const char* p = static_cast<const char*>(GlobalLock(data));
            if (p != nullptr) {
                bytes.assign(p, size);
                GlobalUnlock(data);
            }
        }
        formats[format] = bytes;
    }
    CloseClipboard();
    return formats;
}

std::string ReadClipboardText() {
    const auto formats = ReadClipboard();
    const auto text = formats.find(CF_TEXT);
    if (text == formats.end()) return "<none>";
    const auto nul = text->second.find('\0');
    if (nul == std::string::npos) return text->second + "<no NUL>";
    return text->second.substr(0, nul + 1);
}

void SeedClipboard(const std::map<UINT, std::string>& formats) {
    ASSERT_TRUE(OpenClipboardWithin(TestWindow(), 5000));
    EmptyClipboard();
    for (const auto& [format, bytes] : formats) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        ASSERT_NE(block, nullptr);
        char* p = static_cast<char*>(GlobalLock(block));
        std::copy(bytes.begin(), bytes.end(), p);
        GlobalUnlock(block);
        EXPECT_NE(SetClipboardData(format, block), nullptr) << "format " << format;
    }
    CloseClipboard();
}

bool ClipboardIsFree() {
    if (!OpenClipboard(TestWindow())) return false;
    CloseClipboard();
    return true;
}

UINT PrivateFormat() {
    static UINT format = RegisterClipboardFormatA("appuntex.e2e.private");
    return format;
}

}  // namespace e2e
