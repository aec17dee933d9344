#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csetjmp>
#include <string>

#include "fake_win32.h"

extern "C" void AppuntexStart();

namespace {

using testing::ElementsAre;

// Runs the entry with the fake's command line and returns the exit code it
// ended the process with. The fake's ExitProcess jumps back here.
UINT RunEntry(const char* commandLine, const char* failing = nullptr) {
    fake::Reset();
    if (failing != nullptr) fake::Platform().failing.push_back(failing);
    std::string line = commandLine == nullptr ? "" : commandLine;
    fake::Platform().commandLine = commandLine == nullptr ? nullptr : line.data();
    std::jmp_buf exitJump;
    fake::Platform().exitJump = &exitJump;
    if (setjmp(exitJump) == 0) {
        AppuntexStart();
        ADD_FAILURE() << "the entry returned instead of ending the process";
    }
    fake::Platform().exitJump = nullptr;
    return fake::Platform().exitCode;
}

TEST(Entry, CopiesTheTailAndExitsWithZero) {
    EXPECT_EQ(RunEntry("\"C:\\Program Files\\appuntex.exe\"  Ciao  mondo "), 0u);
    EXPECT_EQ(fake::Platform().clipboard.at(CF_TEXT), std::string("Ciao  mondo ", 13));
    EXPECT_EQ(fake::Platform().calls.front(), "GetCommandLineA()");
    EXPECT_EQ(fake::Platform().calls.back(), "ExitProcess(0x0)");
}

TEST(Entry, NameAloneShowsTheNoticeAndExitsWithMinusOne) {
    EXPECT_EQ(RunEntry("appuntex.exe   "), 0xFFFFFFFFu);
    EXPECT_EQ(fake::Platform().messageBoxes.size(), 1u);
}

TEST(Entry, FailuresBecomeTheExitCode) {
    EXPECT_EQ(RunEntry("appuntex x", "OpenClipboard"), 0xFFFFFFFEu);
    EXPECT_EQ(RunEntry("appuntex x", "GlobalAlloc"), 0xFFFFFFFDu);
    EXPECT_EQ(RunEntry("appuntex x", "SetClipboardData"), 0xFFFFFFFCu);
}

TEST(Entry, NoCommandLineExitsWithMinusOneAndDoesNothingElse) {
    EXPECT_EQ(RunEntry(nullptr), 0xFFFFFFFFu);
    EXPECT_THAT(fake::Platform().calls, ElementsAre("GetCommandLineA()", "ExitProcess(0xffffffff)"));
}

}  // namespace
