#include "core/fileops/ShortcutName.h"

#include <gtest/gtest.h>

#include <set>

TEST(ShortcutName, BaseNameIsTheLastComponentOrTheDriveLetter)
{
    struct Case {
        const wchar_t* path;
        const wchar_t* expected;
    } cases[] = {
        {L"C:\\data\\report.txt", L"report.txt"},
        {L"C:\\data\\Pictures\\", L"Pictures"},
        {L"C:\\", L"C"},
        {L"D:", L"D"},
        {L"\\\\server\\share\\doc.txt", L"doc.txt"},
        {L"plain", L"plain"},
    };
    for (const Case& c : cases) EXPECT_EQ(ShortcutBaseName(c.path), c.expected) << c.path;
}

TEST(ShortcutName, NumbersFromTwoWhileTaken)
{
    std::set<std::wstring> existing = {L"a.txt - ショートカット.lnk", L"a.txt - ショートカット (2).lnk"};
    auto taken = [&existing](const std::wstring& name) { return existing.count(name) > 0; };
    EXPECT_EQ(FreeShortcutFileName(L"b.txt", taken), L"b.txt - ショートカット.lnk");
    EXPECT_EQ(FreeShortcutFileName(L"a.txt", taken), L"a.txt - ショートカット (3).lnk");
    EXPECT_EQ(FreeShortcutFileName(L"a.txt", [](const std::wstring&) { return true; }), L"");
}
