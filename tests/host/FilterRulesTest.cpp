#include "core/dialogs/FilterRules.h"

#include <gtest/gtest.h>

#include <climits>

TEST(FilterRules, NewFiltersGetTheFirstFreeName)
{
    const std::wstring base = L"新しいフィルタ";
    EXPECT_EQ(FreeFilterName({}), base);
    EXPECT_EQ(FreeFilterName({base}), base + L"(1)");
    EXPECT_EQ(FreeFilterName({base + L"(1)", base}), base + L"(2)");
    EXPECT_EQ(FreeFilterName({base, base + L"(2)"}), base + L"(1)");
    EXPECT_EQ(FreeFilterName({L"other"}), base);
}

TEST(FilterRules, SizeBoxesKeepTheBoundInsideThe32BitField)
{
    struct Case {
        int32_t bytes, boxMax, shown;
    } cases[] = {
        {1, kSizeBox1Max, 1},        {0, kSizeBox1Max, 1},           {-5, kSizeBox1Max, 1},
        {1024, kSizeBox1Max, 1},     {1025, kSizeBox1Max, 2},        {INT_MAX, kSizeBox1Max, kSizeBox1Max},
        {INT_MAX, kSizeBox2Max, kSizeBox2Max},
    };
    for (const Case& c : cases) EXPECT_EQ(SizeBoxValue(c.bytes, c.boxMax), c.shown) << c.bytes;

    EXPECT_EQ(SecondSizeAfterChange(10, 5), 11);
    EXPECT_EQ(SecondSizeAfterChange(10, 10), 11);
    EXPECT_EQ(SecondSizeAfterChange(10, 12), 12);
    // The largest values still fit the signed 32-bit byte field.
    EXPECT_EQ(SecondSizeAfterChange(kSizeBox1Max, kSizeBox1Max), kSizeBox2Max);
    EXPECT_EQ(SizeBoxBytes(kSizeBox2Max), 2147482624);
    EXPECT_LE(int64_t(kSizeBox2Max) * 1024, int64_t(INT_MAX));
}

TEST(FilterRules, TheSecondDateStaysLaterThanTheFirst)
{
    struct Case {
        const char* what;
        bool timeChanged;
        TDaySecond first, second, expected;
    } cases[] = {
        {"earlier date moves to the first date", false, {100, 500}, {90, 200}, {100, 200}},
        {"later date stays", false, {100, 500}, {101, 200}, {101, 200}},
        {"equal dates stay on a date change", false, {100, 500}, {100, 200}, {100, 200}},
        {"equal time becomes one second later", true, {100, 500}, {100, 500}, {100, 501}},
        {"earlier time becomes one second later", true, {100, 500}, {100, 10}, {100, 501}},
        {"later time stays", true, {100, 500}, {100, 900}, {100, 900}},
        {"other day: time free", true, {100, 500}, {101, 10}, {101, 10}},
        {"last second of a day", true, {100, 86399}, {100, 86399}, {101, 0}},
    };
    for (const Case& c : cases) {
        TDaySecond got = c.timeChanged ? SecondDateAfterTimeChange(c.first, c.second)
                                       : SecondDateAfterDateChange(c.first, c.second);
        EXPECT_EQ(got.Day, c.expected.Day) << c.what;
        EXPECT_EQ(got.Second, c.expected.Second) << c.what;
    }
}

TEST(FilterRules, TheMaskTextLosesEveryOccurrenceOfTheFirstForbiddenCharacter)
{
    struct Case {
        const wchar_t* text;
        bool refused;
        const wchar_t* cleaned;
        size_t caret;
    } cases[] = {
        {L"*.txt;*.doc", false, L"*.txt;*.doc", 11},
        {L"*.txt/", true, L"*.txt", 5},
        {L"a/b/c", true, L"abc", 1},
        {L"a<b>c", true, L"ab>c", 1},  // one character at a time
        {L"表*.txt", false, L"表*.txt", 6},
    };
    for (const Case& c : cases) {
        TMaskTextCheck check = CheckMaskText(c.text);
        EXPECT_EQ(check.Refused, c.refused) << c.text;
        EXPECT_EQ(check.Cleaned, c.cleaned) << c.text;
        EXPECT_EQ(check.Caret, c.caret) << c.text;
    }
}

TEST(FilterRules, EnablingFollowsSelectionGroupsAndComparisons)
{
    auto state = [](bool selected, std::initializer_list<int> groups, int size1 = 0, int size2 = 0, int date1 = 0,
                    int date2 = 0) {
        TFilterFormState s;
        s.ItemSelected = selected;
        for (int g : groups) s.Groups[g] = true;
        s.SizeCompare1 = size1, s.SizeCompare2 = size2, s.DateCompare1 = date1, s.DateCompare2 = date2;
        return s;
    };
    // Nothing selected: everything off, checked boxes or not.
    TFilterFormEnabling none = FilterFormEnabling(state(false, {0, 1, 2, 3, 4}, 3, 1, 3, 1));
    EXPECT_FALSE(none.GroupBoxes || none.Masks || none.Size1 || none.Size2 || none.Date1 || none.Attributes ||
                 none.Kinds || none.Mode);

    TFilterFormEnabling selected = FilterFormEnabling(state(true, {}));
    EXPECT_TRUE(selected.GroupBoxes);
    EXPECT_FALSE(selected.Masks || selected.Size1 || selected.Mode);

    struct Case {
        int compare1, compare2;
        bool second, secondBound;
    } cases[] = {{0, 1, false, false}, {1, 1, false, false}, {2, 2, false, false},
                 {3, 0, true, false},  {3, 1, true, true},   {4, 2, true, true}};
    for (const Case& c : cases) {
        TFilterFormEnabling size = FilterFormEnabling(state(true, {1}, c.compare1, c.compare2));
        EXPECT_TRUE(size.Size1 && size.Mode);
        EXPECT_EQ(size.SizeCompare2, c.second) << c.compare1;
        EXPECT_EQ(size.Size2, c.secondBound) << c.compare1 << c.compare2;
        EXPECT_FALSE(size.Date1);
        TFilterFormEnabling date = FilterFormEnabling(state(true, {2}, 0, 0, c.compare1, c.compare2));
        EXPECT_EQ(date.DateCompare2, c.second);
        EXPECT_EQ(date.Date2, c.secondBound);
    }
    TFilterFormEnabling rest = FilterFormEnabling(state(true, {0, 3, 4}));
    EXPECT_TRUE(rest.Masks && rest.Attributes && rest.Kinds && rest.Mode);
}
