#include "core/report/ReportText.h"

#include <gtest/gtest.h>

#include <iterator>
#include <stdexcept>

namespace {

TEST(ReportText, NumberFormats)
{
    struct Case { double value; const wchar_t* mask; const wchar_t* text; };
    const Case cases[] = {
        {1536, L"#,##0.0", L"1,536.0"},
        {0, L"#,##0.0", L"0.0"},
        {1234567.25, L"#,##0.0", L"1,234,567.3"},  // halves away from zero
        {-1234567.25, L"#,##0.0", L"-1,234,567.3"},
        {999.96, L"#,##0.0", L"1,000.0"},
        {0.125, L"0.00", L"0.13"},
        {1.005, L"0.00", L"1.01"},                   // rounded as it reads, not as it is stored
        {-0.001, L"0.00", L"0.00"},                  // no sign on a zero
        {1, L"0.##", L"1"},
        {1.5, L"0.##", L"1.5"},
        {7, L"000", L"007"},
        {0, L"#", L""},
        {1234, L"#", L"1234"},
        {3, L"- ### -", L"- 3 -"},
        {1234, L"- ### -", L"- 1234 -"},
        {5, L"\"No.\"0", L"No.5"},
        {5, L"0'%'", L"5%"},
        {1.5, L".00", L"1.50"},
        {1234567, L"#,##0", L"1,234,567"},
        {1e20, L"#,##0", L"100,000,000,000,000,000,000"},
        {12, L"0-0", L"1-2"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatNumberMask(c.value, c.mask), c.text) << c.value << " " << c.mask;
    EXPECT_EQ(FormatNumberMask(1536, L"#,##0.0", {L'.', L','}), L"1.536,0");
}

TEST(ReportText, DisplayTextOfAnItem)
{
    EXPECT_EQ(ItemDisplayText(L"1536", L"#,##0.0"), L"1,536.0");
    EXPECT_EQ(ItemDisplayText(L"-2.5", L"0.0"), L"-2.5");
    EXPECT_EQ(ItemDisplayText(L"+.5", L"0.00"), L"0.50");
    EXPECT_EQ(ItemDisplayText(L"3.", L"0"), L"3");
    EXPECT_EQ(ItemDisplayText(L"12ab", L"#,##0"), L"12ab");  // not numeric: the edit-mask path
    EXPECT_EQ(ItemDisplayText(L"", L"- ### -"), L"");        // an empty text prints nothing
    EXPECT_EQ(ItemDisplayText(L"1536", L""), L"1536");
    const wchar_t* noNumbers[] = {L"1.2.3", L"-", L"+", L".", L"1-2", L"--1"};
    for (const wchar_t* text : noNumbers) {
        EXPECT_TRUE(IsNumberText(text)) << text;
        EXPECT_THROW(ItemDisplayText(text, L"0"), std::invalid_argument) << text;
    }
    EXPECT_FALSE(IsNumberText(L""));
    EXPECT_FALSE(IsNumberText(L"1e5"));
}

}  // namespace
