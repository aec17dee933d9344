#include "copy_text_to_clipboard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_win32.h"

namespace {

using testing::ElementsAre;
using testing::IsEmpty;

// Every test ends with the platform used properly: no misuse, the clipboard
// closed once for each time it was opened, and every block either freed or
// owned by the clipboard, never both and never neither.
class CopyTextTest : public testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        // Something from before, to see what is replaced and what is kept.
        fake::Platform().clipboard[13] = std::string("old", 4);
    }

    void TearDown() override {
        const fake::State& platform = fake::Platform();
        EXPECT_THAT(platform.violations, IsEmpty());
        EXPECT_FALSE(platform.clipboardOpen);
        const int opened = IsFailing("OpenClipboard") ? 0 : fake::CountCalls("OpenClipboard");
        EXPECT_EQ(fake::CountCalls("CloseClipboard"), opened);
        for (const fake::Block& block : platform.blocks) {
            EXPECT_NE(block.freed, block.ownedByClipboard);
            EXPECT_EQ(block.locks, 0);
        }
    }

    static bool IsFailing(const std::string& name) {
        for (const auto& failing : fake::Platform().failing)
            if (failing == name) return true;
        return false;
    }

    static std::map<UINT, std::string> OnlyText(const std::string& text) {
        return {{CF_TEXT, text + '\0'}};
    }
};

TEST_F(CopyTextTest, PlacesTheTextWithTheseCallsInThisOrder) {
    EXPECT_EQ(CopyTextToClipboard("Ciao"), 0);
    EXPECT_THAT(fake::Platform().calls,
                ElementsAre("OpenClipboard(null)", "EmptyClipboard()", "GlobalAlloc(0x2042, 5)",
                            "GlobalLock(block1)", "GlobalUnlock(block1)", "SetClipboardData(1, block1)",
                            "CloseClipboard()"));
    EXPECT_EQ(fake::Platform().clipboard, OnlyText("Ciao"));
}

class CopiedBytesTest : public CopyTextTest, public testing::WithParamInterface<std::string> {};

TEST_P(CopiedBytesTest, ReachTheClipboardUnchangedInABlockOfLengthPlusOne) {
    const std::string& text = GetParam();
    EXPECT_EQ(CopyTextToClipboard(text.c_str()), 0);
    EXPECT_EQ(fake::Platform().clipboard, OnlyText(text));
    ASSERT_EQ(fake::Platform().blocks.size(), 1u);
    EXPECT_EQ(fake::Platform().blocks[0].bytes.size(), text.size() + 1);
}

std::string AllNonZeroBytes() {
    std::string bytes;
    for (int b = 1; b <= 0xFF; ++b) bytes += static_cast<char>(b);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(Texts, CopiedBytesTest,
                         testing::Values("x", "a  \t ", "\"\"", "\"C:\\dir\\\" \\\\n",
                                         "line\r\nline\n", "\x80\x81\xA0\xE8\xFE\xFF",
                                         AllNonZeroBytes(), std::string(32000, 'z')));

struct FailureCase {
    const char* failing;
    int result;
    std::vector<std::string> calls;
    bool textPlaced;  // false: the clipboard is left empty
};

class FailureTest : public CopyTextTest, public testing::WithParamInterface<FailureCase> {};

TEST_P(FailureTest, EndsWithTheResultAndCleansUp) {
    const FailureCase& c = GetParam();
    fake::Platform().failing.push_back(c.failing);
    EXPECT_EQ(CopyTextToClipboard("Ciao"), c.result);
    EXPECT_EQ(fake::Platform().calls, c.calls);
    if (c.textPlaced) EXPECT_EQ(fake::Platform().clipboard.at(CF_TEXT), std::string("Ciao", 5));
    else EXPECT_THAT(fake::Platform().clipboard, IsEmpty());
    EXPECT_THAT(fake::Platform().messageBoxes, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FailureTest,
    testing::Values(
        FailureCase{"GlobalAlloc", kCopyNoMemory,
                    {"OpenClipboard(null)", "EmptyClipboard()", "GlobalAlloc(0x2042, 5)", "CloseClipboard()"},
                    false},
        FailureCase{"GlobalLock", kCopyNotPlaced,
                    {"OpenClipboard(null)", "EmptyClipboard()", "GlobalAlloc(0x2042, 5)", "GlobalLock(block1)",
                     "GlobalFree(block1)", "CloseClipboard()"},
                    false},
        FailureCase{"SetClipboardData", kCopyNotPlaced,
                    {"OpenClipboard(null)", "EmptyClipboard()", "GlobalAlloc(0x2042, 5)", "GlobalLock(block1)",
                     "GlobalUnlock(block1)", "SetClipboardData(1, block1)", "GlobalFree(block1)",
                     "CloseClipboard()"},
                    false},
        // Failures the copier does not act on: the text is placed all the same.
        FailureCase{"GlobalUnlock", kCopyPlaced,
                    {"OpenClipboard(null)", "EmptyClipboard()", "GlobalAlloc(0x2042, 5)", "GlobalLock(block1)",
                     "GlobalUnlock(block1)", "SetClipboardData(1, block1)", "CloseClipboard()"},
                    true},
        FailureCase{"CloseClipboard", kCopyPlaced,
                    {"OpenClipboard(null)", "EmptyClipboard()", "GlobalAlloc(0x2042, 5)", "GlobalLock(block1)",
                     "GlobalUnlock(block1)", "SetClipboardData(1, block1)", "CloseClipboard()"},
                    true}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.failing); });

TEST_F(CopyTextTest, BusyClipboardGivesUpAtOnceAndChangesNothing) {
    fake::Platform().failing.push_back("OpenClipboard");
    const auto before = fake::Platform().clipboard;
    EXPECT_EQ(CopyTextToClipboard("Ciao"), kCopyClipboardBusy);
    EXPECT_THAT(fake::Platform().calls, ElementsAre("OpenClipboard(null)"));
    EXPECT_EQ(fake::Platform().clipboard, before);
}

TEST_F(CopyTextTest, FailedEmptyingStillPlacesTheText) {
    fake::Platform().failing.push_back("EmptyClipboard");
    EXPECT_EQ(CopyTextToClipboard("Ciao"), kCopyPlaced);
    EXPECT_EQ(fake::Platform().clipboard.at(CF_TEXT), std::string("Ciao", 5));
    EXPECT_EQ(fake::Platform().calls.size(), 7u);
}

TEST_F(CopyTextTest, EmptyTextShowsTheUsageNoticeOnlyAndLeavesTheClipboard) {
    const auto before = fake::Platform().clipboard;
    EXPECT_EQ(CopyTextToClipboard(""), kCopyEmptyText);
    EXPECT_THAT(fake::Platform().calls, ElementsAre("MessageBoxA(null, text, caption, 0x40)"));
    EXPECT_EQ(fake::Platform().clipboard, before);

    ASSERT_EQ(fake::Platform().messageBoxes.size(), 1u);
    const fake::MessageBoxCall& box = fake::Platform().messageBoxes[0];
    EXPECT_EQ(box.caption, "Informazioni");
    EXPECT_EQ(box.type, 0x40u);

    // The instructions, then four lines of credits joined by CR LF, the
    // last one without a line break.
    const std::string usage = "Uso:\r\n\r\n  appuntex  <testo da copiare negli appunti>\r\n\r\n\r\n";
    ASSERT_EQ(box.text.compare(0, usage.size(), usage), 0) << box.text;
    std::vector<std::string> credits;
    std::string rest = box.text.substr(usage.size());
    for (size_t end; (end = rest.find("\r\n")) != std::string::npos; rest.erase(0, end + 2))
        credits.push_back(rest.substr(0, end));
    credits.push_back(rest);
    ASSERT_EQ(credits.size(), 4u) << box.text;
    EXPECT_FALSE(credits[0].empty());
    EXPECT_EQ(credits[1], "");
    EXPECT_EQ(credits[2].rfind("https://", 0), 0u) << credits[2];
    EXPECT_EQ(credits[3].rfind("email: ", 0), 0u) << credits[3];
    EXPECT_NE(credits[3].find('@'), std::string::npos) << credits[3];
    EXPECT_EQ(box.text.find_first_of("\n\r", box.text.size() - 1), std::string::npos);
}

}  // namespace
