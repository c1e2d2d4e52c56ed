#include "core/dialogs/TreeWalk.h"

#include <gtest/gtest.h>

#include <map>

TEST(TreeWalk, ContentsComeBeforeTheirFolderAndReparsePointsAreNotEntered)
{
    // d\a, d\sub\b, d\loop (a link back to d) and d\out (a link to a folder
    // outside the selection, holding x).
    std::map<std::wstring, std::vector<TWalkEntry>> tree{
        {L"C:\\d", {{L"a", 0, false, false}, {L"sub", 0, true, false}, {L"loop", 0, true, true}, {L"out", 0, true, true}}},
        {L"C:\\d\\sub", {{L"b", 0, false, false}}},
        {L"C:\\d\\loop", {{L"a", 0, false, false}, {L"sub", 0, true, false}, {L"loop", 0, true, true}}},
        {L"C:\\d\\out", {{L"x", 0, false, false}}},
    };
    std::vector<std::wstring> listed, visited;
    WalkTree(
        L"C:\\d",
        [&](const std::wstring& folder) {
            listed.push_back(folder);
            return tree[folder];
        },
        [&](const std::wstring& path, const TWalkEntry&) { visited.push_back(path); });
    EXPECT_EQ(listed, (std::vector<std::wstring>{L"C:\\d", L"C:\\d\\sub"}));
    EXPECT_EQ(visited, (std::vector<std::wstring>{L"C:\\d\\a", L"C:\\d\\sub\\b", L"C:\\d\\sub", L"C:\\d\\loop",
                                                  L"C:\\d\\out"}));
    EXPECT_EQ(JoinWalkPath(L"C:\\", L"a"), L"C:\\a");
}
