// Double-byte ANSI code pages, for real: the prefix this runs in was created
// under a CJK locale, and APPUNTEX_ACP says which code page that gave.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "harness.h"

namespace {

struct DoubleByteCase {
    UINT codePage;
    // A folder name whose double-byte characters include one with 0x5C, the
    // backslash, as its trail byte, and some text in the same code page.
    std::string folder;
    std::string text;
};

const DoubleByteCase kCases[] = {
    // 表 (0x95 0x5C), then テスト; text: テスト 表 ソ.
    {932, "\x95\x5C\x83\x65\x83\x58\x83\x67", "\x83\x65\x83\x58\x83\x67 \x95\x5C \x83\x5C"},
    // A GBK character with trail 0x5C (0x81 0x5C), then 测试; text: 测试 and the same character.
    {936, "\x81\x5C\xB2\xE2\xCA\xD4", "\xB2\xE2\xCA\xD4 \x81\x5C"},
    // 功 (0xA5 0x5C), then 測試.
    {950, "\xA5\x5C\xB4\xFA\xB8\xD5", "\xB4\xFA\xB8\xD5 \xA5\x5C"},
};

class CodePageTest : public testing::Test {
protected:
    void SetUp() override {
        const char* acp = std::getenv("APPUNTEX_ACP");
        ASSERT_NE(acp, nullptr) << "APPUNTEX_ACP is not set: run this through ctest";
        ASSERT_EQ(GetACP(), static_cast<UINT>(std::atoi(acp))) << "the prefix has another code page";
        for (const DoubleByteCase& c : kCases)
            if (c.codePage == GetACP()) case_ = &c;
        ASSERT_NE(case_, nullptr) << "no case for code page " << GetACP();
    }
    const DoubleByteCase* case_ = nullptr;
};

TEST_F(CodePageTest, QuotedPathWithDoubleByteNameIsSkippedAndTextCopiedByteForByte) {
    // The program is copied into a folder with the double-byte name, and the
    // system finds it from the quoted path in the command line, as a shell
    // or a context-menu verb would start it.
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    const std::string folder = std::string(temp) + case_->folder;
    CreateDirectoryA(folder.c_str(), nullptr);  // may exist from an earlier run
    const std::string program = folder + "\\appuntex.exe";
    ASSERT_TRUE(CopyFileA(e2e::ProgramPath().c_str(), program.c_str(), FALSE)) << GetLastError();

    e2e::SeedClipboard({{CF_TEXT, std::string("prima", 6)}});
    EXPECT_EQ(e2e::RunProgram("\"" + program + "\" " + case_->text, "none"), 0);
    EXPECT_EQ(e2e::ReadClipboardText(), case_->text + '\0');

    DeleteFileA(program.c_str());
    RemoveDirectoryA(folder.c_str());
}

}  // namespace
