// Raw command lines, replacement of the clipboard's content, and a clipboard
// held by someone else, against the real Win32 clipboard.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using e2e::ReadClipboard;
using e2e::ReadClipboardText;
using e2e::RunProgram;

class ClipboardTest : public testing::Test {
protected:
    void SetUp() override { e2e::SeedClipboard({{CF_TEXT, std::string("prima", 6)}}); }
    // Whatever happened, the program must not have left the clipboard open.
    void TearDown() override { EXPECT_TRUE(e2e::ClipboardIsFree()); }
};

struct LineCase {
    const char* name;
    std::string commandLine;
    std::string text;
};

class CommandLineTest : public ClipboardTest, public testing::WithParamInterface<LineCase> {};

TEST_P(CommandLineTest, CopiesExactlyTheTail) {
    const LineCase& c = GetParam();
    EXPECT_EQ(RunProgram(c.commandLine), 0);
    EXPECT_EQ(ReadClipboardText(), c.text + '\0');
}

std::string HighBytes() {
    std::string bytes;
    for (int b = 0x80; b <= 0xFF; ++b) bytes += static_cast<char>(b);
    return bytes;
}

// The longest command line CreateProcessA takes: 32,767 characters with its NUL.
std::string LongestLine() { return "appuntex " + std::string(32766 - 9, 'x'); }

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineTest,
    testing::Values(
        LineCase{"Unquoted", "appuntex Ciao mondo", "Ciao mondo"},
        LineCase{"QuotedWithBlanks", "\"C:\\Program Files\\appuntex\\appuntex.exe\" Ciao", "Ciao"},
        LineCase{"LeadingBlank", "  appuntex testo", "appuntex testo"},
        LineCase{"GluedToClosingQuote", "\"appuntex.exe\"testo", "testo"},
        LineCase{"ControlBytesBetween", "appuntex\t\x01\x1f \t\"x\"", "\"x\""},
        LineCase{"InnerAndTrailingBlanks", "appuntex a  \t b \t ", "a  \t b \t "},
        LineCase{"QuotedText", "appuntex \"Ciao mondo\"", "\"Ciao mondo\""},
        LineCase{"TwoQuotes", "appuntex \"\"", "\"\""},
        LineCase{"Backslashes", "appuntex C:\\a b\\\\ \\\"", "C:\\a b\\\\ \\\""},
        LineCase{"HighBytes", "appuntex " + HighBytes(), HighBytes()},
        LineCase{"Longest", LongestLine(), LongestLine().substr(9)}),
    [](const testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

TEST_F(ClipboardTest, ReplacesEveryFormatItHeld) {
    const std::string unicode("v\0e\0c\0c\0h\0i\0o\0\0\0", 16);
    e2e::SeedClipboard({{CF_TEXT, std::string("vecchio", 8)},
                        {CF_UNICODETEXT, unicode},
                        {e2e::PrivateFormat(), std::string("\x01\x02\x03", 3)}});
    ASSERT_EQ(ReadClipboard().count(e2e::PrivateFormat()), 1u);

    EXPECT_EQ(RunProgram("appuntex nuovo"), 0);

    const auto formats = ReadClipboard();
    EXPECT_EQ(formats.count(e2e::PrivateFormat()), 0u);
    EXPECT_EQ(ReadClipboardText(), std::string("nuovo", 6));
    // Only what the system derives from CF_TEXT may stand beside it.
    for (const auto& [format, bytes] : formats) {
        EXPECT_THAT(format, testing::AnyOf(UINT{CF_TEXT}, UINT{CF_OEMTEXT}, UINT{CF_UNICODETEXT},
                                           UINT{CF_LOCALE}));
        EXPECT_EQ(bytes.find("vecchio"), std::string::npos) << "format " << format;
    }
    if (formats.count(CF_UNICODETEXT)) {
        EXPECT_EQ(formats.at(CF_UNICODETEXT).substr(0, 12), std::string("n\0u\0o\0v\0o\0\0\0", 12));
    }
}

TEST_F(ClipboardTest, HeldClipboardGivesMinusTwoAtOnceAndStaysAsItWas) {
    ASSERT_TRUE(OpenClipboard(e2e::TestWindow()));
    const DWORD start = GetTickCount();
    const int result = RunProgram("appuntex nuovo");
    const DWORD elapsed = GetTickCount() - start;
    CloseClipboard();

    EXPECT_EQ(result, -2);
    // It gives up at once: no waiting, no retries.
    EXPECT_LT(elapsed, 1000u);
    EXPECT_EQ(ReadClipboardText(), std::string("prima", 6));
}

}  // namespace
