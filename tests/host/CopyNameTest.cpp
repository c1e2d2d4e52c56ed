#include "core/fileops/CopyName.h"

#include <gtest/gtest.h>

#include <set>

TEST(CopyName, SuffixBeforeTheExtensionNumberedWhileTaken)
{
    std::set<std::wstring> existing = {L"a - コピー.txt", L"a - コピー (2).txt", L"d - コピー"};
    auto taken = [&existing](const std::wstring& name) { return existing.count(name) > 0; };
    struct Case {
        const wchar_t* name;
        bool folder;
        const wchar_t* expected;
    } cases[] = {
        {L"b.txt", false, L"b - コピー.txt"},
        {L"a.txt", false, L"a - コピー (3).txt"},
        {L"archive.tar.gz", false, L"archive.tar - コピー.gz"},
        {L"d", true, L"d - コピー (2)"},
        {L"v1.2", true, L"v1.2 - コピー"},
        {L".profile", false, L".profile - コピー"},
        {L"noext", false, L"noext - コピー"},
    };
    for (const Case& c : cases) EXPECT_EQ(FreeCopyName(c.name, c.folder, taken), c.expected) << c.name;
    EXPECT_EQ(FreeCopyName(L"x", false, [](const std::wstring&) { return true; }), L"");
}
