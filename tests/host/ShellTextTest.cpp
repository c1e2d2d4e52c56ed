#include "core/shell/DeviceText.h"
#include "core/shell/MergePlan.h"
#include "core/shell/PathText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(DeviceText, DriveIsTheLowestBitOfTheUnitMask)
{
    struct Case { uint32_t mask; wchar_t drive; };
    const Case cases[] = {
        {0x1, L'A'}, {0x10, L'E'}, {0x18, L'D'}, {1u << 25, L'Z'}, {0, 0}, {1u << 26, 0}, {0xFFFFFFFF, L'A'},
    };
    for (const Case& c : cases) EXPECT_EQ(DriveOfUnitMask(c.mask), c.drive) << std::hex << c.mask;
}

TEST(DeviceText, NodeTextWithAndWithoutLabel)
{
    EXPECT_EQ(DriveNodeText(L"Data disk", L'E'), L"Data disk (E:)");
    EXPECT_EQ(DriveNodeText(L"", L'E'), L" (E:)");
}

TEST(PathText, ParentFolders)
{
    struct Case { const wchar_t* path; const wchar_t* parent; };
    const Case cases[] = {
        {L"C:\\a\\b", L"C:\\a"}, {L"C:\\a", L"C:\\"}, {L"C:\\a\\", L"C:\\"}, {L"C:\\", L""},
        {L"C:", L""},            {L"", L""},          {L"a", L""},          {L"\\\\srv\\share\\x", L"\\\\srv\\share"},
    };
    for (const Case& c : cases) EXPECT_EQ(ParentFolderPath(c.path), c.parent);
}

// The plan written as letters: k keep, i insert, a append, r remove, with
// the child or item it concerns.
std::string Plan(const std::string& children, const std::string& items)
{
    auto steps = PlanMerge(children.size(), items.size(), [&](size_t c, size_t i) {
        if (children[c] == '?') return TChildOrder::Failed;
        if (children[c] == items[i]) return TChildOrder::Equal;
        return children[c] > items[i] ? TChildOrder::After : TChildOrder::Before;
    });
    std::string text;
    for (const TMergeStep& s : steps) {
        switch (s.Kind) {
        case TMergeStep::Keep: text += "k"; text += items[s.Item]; break;
        case TMergeStep::InsertBefore: text += "i"; text += items[s.Item]; text += children[s.Child]; break;
        case TMergeStep::Append: text += "a"; text += items[s.Item]; break;
        case TMergeStep::Remove: text += "r"; text += children[s.Child]; break;
        }
        text += ' ';
    }
    return text;
}

TEST(MergePlan, KeepsInsertsAndRemoves)
{
    struct Case { const char* children; const char* items; const char* plan; };
    const Case cases[] = {
        {"", "", ""},
        {"", "ab", "aa ab "},
        {"ab", "", "ra rb "},
        {"abc", "abc", "ka kb kc "},
        {"bd", "abcd", "iab kb icd kd "},        // new ones go before the child they precede
        {"abcd", "bd", "ra kb rc kd "},          // gone ones go
        {"ac", "bcd", "ra ibc kc ad "},          // a removed child does not hold up the rest
        {"a?c", "abc", "ka r? ibc kc "},         // an uncomparable child counts as gone
        {"b", "a", "iab rb "},
    };
    for (const Case& c : cases) EXPECT_EQ(Plan(c.children, c.items), c.plan) << c.children << " / " << c.items;
}

}  // namespace
