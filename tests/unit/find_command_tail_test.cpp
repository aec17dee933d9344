#include "find_command_tail.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_win32.h"

namespace {

// Runs FindCommandTail on a copy of the line in a buffer of exactly its
// size, so a read past the NUL is caught by the sanitizers, and returns the
// tail's offset.
std::ptrdiff_t TailOffset(const std::string& line) {
    // Built in one go: a push_back of the NUL would leave spare capacity
    // behind it, where a read goes unnoticed.
    std::vector<char> buffer(line.c_str(), line.c_str() + line.size() + 1);
    const char* tail = FindCommandTail(buffer.data());
    EXPECT_GE(tail, buffer.data());
    EXPECT_LT(tail, buffer.data() + buffer.size());
    return tail - buffer.data();
}

struct TailCase {
    const char* name;
    std::string line;
    std::string text;  // what follows the name: the line's tail
};

class FindCommandTailTest : public testing::TestWithParam<TailCase> {
protected:
    void SetUp() override { fake::Reset(); }
};

TEST_P(FindCommandTailTest, FindsTheTextAfterTheName) {
    const TailCase& c = GetParam();
    const std::ptrdiff_t offset = TailOffset(c.line);
    EXPECT_EQ(c.line.substr(static_cast<size_t>(offset)), c.text);
}

// Under the fake's default single-byte code page.
INSTANTIATE_TEST_SUITE_P(
    CommandLines, FindCommandTailTest,
    testing::Values(
        TailCase{"Empty", "", ""},
        TailCase{"NameOnly", "appuntex", ""},
        TailCase{"NameAndBlanks", "appuntex \t ", ""},
        TailCase{"PlainText", "appuntex Ciao mondo", "Ciao mondo"},
        TailCase{"QuotedNameWithBlanks", "\"C:\\Program Files\\appuntex.exe\" Ciao", "Ciao"},
        TailCase{"QuotedNameOnly", "\"C:\\a b\\appuntex.exe\"  ", ""},
        TailCase{"EmptyQuotedName", "\"\" testo", "testo"},
        TailCase{"LeadingBlankMakesAnEmptyName", "  appuntex testo", "appuntex testo"},
        TailCase{"UnclosedQuoteTakesTheRest", "\"appuntex.exe testo", ""},
        TailCase{"TextGluedToClosingQuote", "\"appuntex.exe\"testo", "testo"},
        TailCase{"BackslashDoesNotEscapeQuote", "\"C:\\dir\\\" testo", "testo"},
        TailCase{"ControlBytesBetween", "appuntex\t\x01\x1f \x7f", "\x7f"},
        TailCase{"InnerAndTrailingBlanksKept", "appuntex a \t b  \x01", "a \t b  \x01"},
        TailCase{"QuotedTextKeepsQuotes", "appuntex \"Ciao mondo\"", "\"Ciao mondo\""},
        TailCase{"TwoQuotesAreText", "appuntex \"\"", "\"\""},
        TailCase{"HighBytesInUnquotedName", "app\x80\xA0\xFFntex \xE8 t", "\xE8 t"},
        TailCase{"HighBytesAreNotBlanks", "appuntex \xA0\xFF", "\xA0\xFF"}),
    [](const testing::TestParamInfo<TailCase>& info) { return std::string(info.param.name); });

TEST(FindCommandTailPlatform, UnquotedNamesNeverAskForTheCodePage) {
    fake::Reset();
    fake::Platform().acp = 932;
    EXPECT_EQ(TailOffset("\x81 testo"), 2);
    EXPECT_TRUE(fake::Platform().calls.empty());
}

// A quoted name "X"rest" whose first byte X is or is not a lead byte: if it
// is, the quote after it belongs to the character and the name ends at the
// second quote.
struct LeadByteCase {
    UINT codePage;
    unsigned char byte;
    bool lead;
};

class FixedLeadByteTest : public testing::TestWithParam<LeadByteCase> {
protected:
    void SetUp() override {
        fake::Reset();
        fake::Platform().acp = GetParam().codePage;
    }
};

std::string QuotedNameWith(unsigned char byte) {
    return std::string("\"") + static_cast<char>(byte) + "\"a\" b";
}

TEST_P(FixedLeadByteTest, LeadByteTakesTheQuoteAfterIt) {
    const LeadByteCase& c = GetParam();
    EXPECT_EQ(TailOffset(QuotedNameWith(c.byte)), c.lead ? 6 : 3);
    // The five known code pages come from the table, not from the system.
    EXPECT_EQ(fake::CountCalls("GetCPInfo"), 0);
}

INSTANTIATE_TEST_SUITE_P(
    KnownCodePages, FixedLeadByteTest,
    testing::Values(
        LeadByteCase{932, 0x80, false}, LeadByteCase{932, 0x81, true}, LeadByteCase{932, 0x9F, true},
        LeadByteCase{932, 0xA0, false}, LeadByteCase{932, 0xDF, false}, LeadByteCase{932, 0xE0, true},
        LeadByteCase{932, 0xFC, true}, LeadByteCase{932, 0xFD, false},
        LeadByteCase{936, 0x80, false}, LeadByteCase{936, 0x81, true}, LeadByteCase{936, 0xFE, true},
        LeadByteCase{936, 0xFF, false},
        LeadByteCase{949, 0x81, true}, LeadByteCase{949, 0xFE, true}, LeadByteCase{949, 0xFF, false},
        LeadByteCase{950, 0x81, true}, LeadByteCase{950, 0xFE, true}, LeadByteCase{950, 0x80, false},
        LeadByteCase{1361, 0x81, true}, LeadByteCase{1361, 0xD3, true}, LeadByteCase{1361, 0xD4, false},
        LeadByteCase{1361, 0xD7, false}, LeadByteCase{1361, 0xD8, true}, LeadByteCase{1361, 0xDE, true},
        LeadByteCase{1361, 0xDF, false}, LeadByteCase{1361, 0xE0, true}, LeadByteCase{1361, 0xF9, true},
        LeadByteCase{1361, 0xFA, false}),
    [](const testing::TestParamInfo<LeadByteCase>& info) {
        char name[32];
        std::snprintf(name, sizeof name, "cp%u_%02X", info.param.codePage, info.param.byte);
        return std::string(name);
    });

TEST(FindCommandTailLeadBytes, LeadByteBeforeTheNulStopsOnTheNul) {
    fake::Reset();
    fake::Platform().acp = 932;
    EXPECT_EQ(TailOffset("\"appuntex\x81"), 10);
    EXPECT_EQ(TailOffset("\"\x81"), 2);
}

// A code page outside the table, described by GetCPInfo.
class DescribedCodePageTest : public testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::Platform().acp = 20932;
        fake::Platform().cpInfo = CPINFO{2, {'?', 0}, {0x8E, 0x8E, 0xA1, 0xFE}};
    }
    CPINFO& Info() { return fake::Platform().cpInfo; }
};

TEST_F(DescribedCodePageTest, UsesTheReportedRanges) {
    EXPECT_EQ(TailOffset(QuotedNameWith(0x8E)), 6);
    EXPECT_EQ(TailOffset(QuotedNameWith(0xA1)), 6);
    EXPECT_EQ(TailOffset(QuotedNameWith(0xFE)), 6);
    EXPECT_EQ(TailOffset(QuotedNameWith(0x8F)), 3);
    EXPECT_EQ(TailOffset(QuotedNameWith(0xFF)), 3);
    EXPECT_EQ(fake::CountCalls("GetCPInfo"), 5);
    EXPECT_EQ(fake::Platform().calls.back(), "GetCPInfo(20932)");
}

TEST_F(DescribedCodePageTest, RangesEndAtThePairHoldingAZero) {
    Info() = CPINFO{2, {'?', 0}, {0x81, 0x84, 0x00, 0xA0, 0xB0, 0xB5}};
    EXPECT_EQ(TailOffset(QuotedNameWith(0x82)), 6);
    EXPECT_EQ(TailOffset(QuotedNameWith(0xB2)), 3);
    Info() = CPINFO{2, {'?', 0}, {0x81, 0x84, 0xC0, 0x00, 0xB0, 0xB5}};
    EXPECT_EQ(TailOffset(QuotedNameWith(0xC5)), 3);
    EXPECT_EQ(TailOffset(QuotedNameWith(0xB2)), 3);
}

TEST_F(DescribedCodePageTest, AllSixPairsAreRead) {
    Info() = CPINFO{2, {'?', 0}, {0x81, 0x81, 0x83, 0x83, 0x85, 0x85, 0x87, 0x87, 0x89, 0x89, 0x8B, 0x8B}};
    EXPECT_EQ(TailOffset(QuotedNameWith(0x8B)), 6);
    EXPECT_EQ(TailOffset(QuotedNameWith(0x8C)), 3);
}

TEST_F(DescribedCodePageTest, ReportedRangesApplyBelow0x80Too) {
    Info() = CPINFO{2, {'?', 0}, {0x01, 0x7F}};
    // A quote where a character starts still ends the name...
    EXPECT_EQ(TailOffset("\"\"\" a"), 2);
    // ...but every other byte leads a pair, blanks included, so here the
    // scan takes two bytes at a time and ends at the NUL.
    EXPECT_EQ(TailOffset("\"a\"b\" x"), 7);
}

TEST_F(DescribedCodePageTest, SingleByteCodePageHasNoLeadBytes) {
    Info() = CPINFO{1, {'?', 0}, {0x81, 0xFE}};
    EXPECT_EQ(TailOffset(QuotedNameWith(0x81)), 3);
}

TEST_F(DescribedCodePageTest, UndescribableCodePageHasNoLeadBytes) {
    fake::Platform().cpInfoSucceeds = false;
    EXPECT_EQ(TailOffset(QuotedNameWith(0xA1)), 3);
    EXPECT_EQ(fake::CountCalls("GetCPInfo"), 1);
}

}  // namespace
