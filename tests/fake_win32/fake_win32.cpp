#include "fake_win32.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fake {

State& Platform() {
    static State state;
    return state;
}

void Reset() { Platform() = State{}; }

int CountCalls(const std::string& name) {
    const auto& calls = Platform().calls;
    return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const std::string& call) {
        return call.compare(0, name.size() + 1, name + "(") == 0;
    }));
}

}  // namespace fake

namespace {

using fake::Platform;

bool Fails(const char* name) {
    const auto& failing = Platform().failing;
    return std::find(failing.begin(), failing.end(), name) != failing.end();
}

void Record(const std::string& call) { Platform().calls.push_back(call); }

void Violation(const std::string& what) { Platform().violations.push_back(what); }

std::string Hex(unsigned long value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", value);
    return text;
}

std::string HandleName(HANDLE handle) {
    if (handle == nullptr) return "null";
    return "block" + std::to_string(reinterpret_cast<std::uintptr_t>(handle));
}

// The block behind a handle, or null (and a violation) for a bad one.
fake::Block* Find(HGLOBAL handle, const char* caller) {
    const auto index = reinterpret_cast<std::uintptr_t>(handle);
    auto& blocks = Platform().blocks;
    if (index == 0 || index > blocks.size()) {
        Violation(std::string(caller) + " on an unknown handle");
        return nullptr;
    }
    fake::Block& block = blocks[index - 1];
    if (block.freed) {
        Violation(std::string(caller) + " on a freed block");
        return nullptr;
    }
    return &block;
}

void RequireOpenClipboard(const char* caller) {
    if (!Platform().clipboardOpen) Violation(std::string(caller) + " while the clipboard is closed");
}

}  // namespace

UINT GetACP() {
    Record("GetACP()");
    return Platform().acp;
}

BOOL GetCPInfo(UINT codePage, CPINFO* info) {
    Record("GetCPInfo(" + std::to_string(codePage) + ")");
    if (!Platform().cpInfoSucceeds) return 0;
    *info = Platform().cpInfo;
    return 1;
}

LPSTR GetCommandLineA() {
    Record("GetCommandLineA()");
    return Platform().commandLine;
}

void ExitProcess(UINT exitCode) {
    Record("ExitProcess(" + Hex(exitCode) + ")");
    Platform().exitCode = exitCode;
    if (Platform().exitJump == nullptr) {
        std::fprintf(stderr, "ExitProcess called with no test waiting for it\n");
        std::abort();
    }
    std::longjmp(*Platform().exitJump, 1);
}

BOOL OpenClipboard(HWND owner) {
    Record("OpenClipboard(" + std::string(owner == nullptr ? "null" : "window") + ")");
    if (Fails("OpenClipboard")) return 0;
    if (Platform().clipboardOpen) Violation("OpenClipboard while already open");
    Platform().clipboardOpen = true;
    return 1;
}

BOOL EmptyClipboard() {
    Record("EmptyClipboard()");
    RequireOpenClipboard("EmptyClipboard");
    if (Fails("EmptyClipboard")) return 0;
    for (auto& block : Platform().blocks) {
        if (block.ownedByClipboard) {
            block.ownedByClipboard = false;
            block.freed = true;
        }
    }
    Platform().clipboard.clear();
    return 1;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
    Record("SetClipboardData(" + std::to_string(format) + ", " + HandleName(data) + ")");
    RequireOpenClipboard("SetClipboardData");
    fake::Block* block = Find(data, "SetClipboardData");
    if (block == nullptr || Fails("SetClipboardData")) return nullptr;
    if (block->locks != 0) Violation("SetClipboardData with a locked block");
    block->ownedByClipboard = true;
    Platform().clipboard[format] = block->bytes;
    return data;
}

BOOL CloseClipboard() {
    Record("CloseClipboard()");
    RequireOpenClipboard("CloseClipboard");
    Platform().clipboardOpen = false;
    return Fails("CloseClipboard") ? 0 : 1;
}

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
    Record("GlobalAlloc(" + Hex(flags) + ", " + std::to_string(bytes) + ")");
    if (Fails("GlobalAlloc")) return nullptr;
    fake::Block block;
    // Without GMEM_ZEROINIT the memory holds whatever was there before.
    block.bytes.assign(bytes, (flags & GMEM_ZEROINIT) ? '\0' : '\xCD');
    Platform().blocks.push_back(block);
    return reinterpret_cast<HGLOBAL>(static_cast<std::uintptr_t>(Platform().blocks.size()));
}

LPVOID GlobalLock(HGLOBAL handle) {
    Record("GlobalLock(" + HandleName(handle) + ")");
    fake::Block* block = Find(handle, "GlobalLock");
    if (block == nullptr || Fails("GlobalLock")) return nullptr;
    if (block->ownedByClipboard) Violation("GlobalLock on a block the clipboard owns");
    ++block->locks;
    return block->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL handle) {
    Record("GlobalUnlock(" + HandleName(handle) + ")");
    fake::Block* block = Find(handle, "GlobalUnlock");
    if (block == nullptr) return 0;
    if (block->locks == 0) Violation("GlobalUnlock on an unlocked block");
    else --block->locks;
    // As on Windows: zero once the last lock is gone, failure or not.
    return Fails("GlobalUnlock") || block->locks == 0 ? 0 : 1;
}

HGLOBAL GlobalFree(HGLOBAL handle) {
    Record("GlobalFree(" + HandleName(handle) + ")");
    fake::Block* block = Find(handle, "GlobalFree");
    if (block == nullptr) return handle;
    if (block->ownedByClipboard) Violation("GlobalFree on a block the clipboard owns");
    if (block->locks != 0) Violation("GlobalFree on a locked block");
    block->freed = true;
    return nullptr;
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    Record("MessageBoxA(" + std::string(owner == nullptr ? "null" : "window") + ", text, caption, " +
           Hex(type) + ")");
    Platform().messageBoxes.push_back({owner, text, caption, type});
    return 1;  // IDOK
}
