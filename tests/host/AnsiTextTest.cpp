#include "core/settings/AnsiText.h"

#include <gtest/gtest.h>

namespace {

TEST(AnsiText, LeadBytesAreTheTwoShiftJisRanges)
{
    struct Case { uint8_t byte; bool lead; };
    const Case cases[] = {
        {0x00, false}, {0x5C, false}, {0x80, false}, {0x81, true}, {0x9F, true},
        {0xA0, false}, {0xB1, false}, {0xDF, false}, {0xE0, true}, {0xFC, true},
        {0xFD, false}, {0xFF, false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsLeadByte932(c.byte), c.lead) << std::hex << int(c.byte);
}

TEST(AnsiText, CutNeverEndsInsideADoubleByteCharacter)
{
    const std::string hyo = "\x95\x5C"; // 表, its second byte is a backslash
    struct Case { std::string text; size_t max; std::string cut; };
    const Case cases[] = {
        {"abcdef", 3, "abc"},
        {"abc", 3, "abc"},
        {"abc", 10, "abc"},
        {"abc", 0, ""},
        {"ab" + hyo, 3, "ab"},                 // would split 表
        {"ab" + hyo, 4, "ab" + hyo},
        {hyo + hyo, 3, hyo},
        {"a" + hyo + "x", 2, "a"},
        {"a\xB1\xB2", 2, "a\xB1"},              // half-width kana are single bytes
        {"ab\x81;", 3, "ab\x81"},               // a lead byte without its trail stands alone
        {"ab\x81", 3, "ab\x81"},
    };
    for (const Case& c : cases) EXPECT_EQ(CutAnsiText(c.text, c.max), c.cut) << c.text << " / " << c.max;
}

TEST(AnsiText, TrailingBackslashIsAddedOnce)
{
    EXPECT_EQ(IncludeTrailingBackslash("C:\\"), "C:\\");
    EXPECT_EQ(IncludeTrailingBackslash("C:\\Tools"), "C:\\Tools\\");
    // "C:\表" ends in 0x5C, which is part of 表 and not a separator.
    EXPECT_EQ(IncludeTrailingBackslash("C:\\\x95\x5C"), "C:\\\x95\x5C\\");
}

} // namespace
