#pragma once
// Control and inspection of the fake platform behind fake_win32/windows.h.
#include <windows.h>

#include <csetjmp>
#include <map>
#include <string>
#include <vector>

namespace fake {

struct Block {
    std::string bytes;
    int locks = 0;
    bool freed = false;
    bool ownedByClipboard = false;
};

struct MessageBoxCall {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

// Everything the fake platform knows; Reset() puts it back to a quiet
// single-byte system with an empty, closed clipboard.
struct State {
    UINT acp = 1252;
    bool cpInfoSucceeds = true;
    CPINFO cpInfo = {1, {'?', 0}, {}};
    char* commandLine = nullptr;

    // Names of the functions that fail whenever they are called.
    std::vector<std::string> failing;

    bool clipboardOpen = false;
    std::map<UINT, std::string> clipboard;  // format -> the block's bytes
    std::vector<Block> blocks;              // handle N is blocks[N - 1]
    std::vector<MessageBoxCall> messageBoxes;

    // Every call in order, written as "Name(arg, ...)"; handles as "blockN".
    std::vector<std::string> calls;
    // Misuse of the platform: a freed block touched, a clipboard block
    // freed, the clipboard used while closed, and so on.
    std::vector<std::string> violations;

    std::jmp_buf* exitJump = nullptr;
    UINT exitCode = 0;
};

State& Platform();
void Reset();

// Calls of one function in the log.
int CountCalls(const std::string& name);

}  // namespace fake
