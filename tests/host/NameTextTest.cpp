#include "core/dialogs/NameText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

TEST(NameText, FindsTheFirstForbiddenCharacterOfEachSet)
{
    struct Case {
        const wchar_t* text;
        std::wstring_view set;
        size_t expected;
    } cases[] = {
        {L"photo_001", kNameForbiddenChars, std::wstring::npos},
        {L"a/b\\c", kNameForbiddenChars, 1},
        {L"x;y", kNameForbiddenChars, 1},
        // "表" would hold a 0x5C byte in Shift-JIS; the full-width solidus
        // and yen sign are ordinary characters.
        {L"表／￥", kNameForbiddenChars, std::wstring::npos},
        {L"*.txt;*.d?c", kMaskForbiddenChars, std::wstring::npos},
        {L"*.txt|", kMaskForbiddenChars, 5},
        {L"", kNameForbiddenChars, std::wstring::npos},
    };
    for (const Case& c : cases) EXPECT_EQ(FindForbiddenChar(c.text, c.set), c.expected) << c.text;
}

TEST(NameText, MessageListsTheCharactersAfterThreeIdeographicSpaces)
{
    EXPECT_EQ(ForbiddenCharsMessage(L"ファイル名には次の文字は使えません。", kNameForbiddenChars),
              L"ファイル名には次の文字は使えません。\n\u3000\u3000\u3000\\ / : , ; * ? \" < > |");
    EXPECT_EQ(ForbiddenCharsMessage(L"ファイルマスクには次の文字は使えません。", kMaskForbiddenChars),
              L"ファイルマスクには次の文字は使えません。\n\u3000\u3000\u3000\\ / : , \" < > |");
}

TEST(NameText, UsableNames)
{
    struct Case {
        std::wstring name;
        bool usable;
    } cases[] = {
        {L"photo001.jpg", true}, {L".jpg", true},  {L"a,b;c", true},     {L"", false},
        {L".", false},           {L"..", false},   {L"name.", false},    {L"name ", false},
        {L"a?b", false},         {L"a\tb", false}, {std::wstring(255, L'x'), true},
        {std::wstring(256, L'x'), false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsUsableName(c.name), c.usable) << c.name;
}

TEST(NameText, RunningNumbersArePaddedAndComputedIn64Bits)
{
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    struct Case {
        int64_t start, step, position;
        int digits;
        const wchar_t* expected;
    } cases[] = {
        {1, 10, 0, 3, L"001"},
        {1, 10, 2, 3, L"021"},
        {100, 1, 0, 2, L"100"},  // wider than the digits: written in full
        {0, 1, 0, 0, L"0"},
        {7, 1, 0, 12, L"000000000007"},
        // 999999999 + 9999 × 999999999 does not fit 32 bits.
        {999999999, 999999999, 9999, 1, L"9999999990000"},
        {kMax, 1, 1, 1, L"9223372036854775807"},  // saturates
        {-5, 1, 0, 3, L"-005"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RunningNumber(c.start, c.step, c.position, c.digits), c.expected) << c.start << "+" << c.position;
}

TEST(NameText, ReplacementIgnoresCase)
{
    struct Case {
        const wchar_t *text, *search, *replacement, *expected;
    } cases[] = {
        {L"Trip", L"TRIP", L"Tour", L"Tour"},
        {L"aAa", L"a", L"bb", L"bbbbbb"},
        {L"image", L"", L"x", L"image"},
        {L"ＡＢｃ", L"ａｂ", L"x", L"xｃ"},  // full-width letters fold too
        {L"写真01", L"写真", L"photo", L"photo01"},
        {L"ab", L"abc", L"x", L"ab"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReplaceIgnoringCase(c.text, c.search, c.replacement, FoldCaseBasic), c.expected) << c.text;
}

TEST(NameText, StemAndExtensionSplitAtTheLastDot)
{
    struct Case {
        const wchar_t *name, *stem, *extension;
    } cases[] = {
        {L"a.jpg", L"a", L".jpg"},
        {L"archive.tar.gz", L"archive.tar", L".gz"},
        {L"README", L"README", L""},
        {L".profile", L"", L".profile"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NameStem(c.name), c.stem);
        EXPECT_EQ(NameExtension(c.name), c.extension);
    }
    EXPECT_EQ(AsciiUpper(L".jpé"), L".JPé");
    EXPECT_EQ(AsciiLower(L".JPÉ"), L".jpÉ");
}
