#include "core/favorites/FavoriteNames.h"

#include <gtest/gtest.h>

TEST(FavoriteNames, TitlesLeaveOutWhatANameCannotHold)
{
    struct Case {
        const wchar_t* display;
        const wchar_t* title;
    };
    const Case cases[] = {
        {L"ローカル ディスク (C:)", L"ローカル ディスク (C)"},
        {L" (Z:)", L"(Z)"},  // the platform's drive names start with a space
        {L"a/b\\c*d?e\"f<g>h|i", L"abcdefghi"},
        {L"tab\there", L"tabhere"},
        {L"dots...", L"dots"},
        {L".hidden", L".hidden"},
        {L"\u3000全角\u3000", L"全角"},
        {L"::", L""},
    };
    for (const Case& c : cases) EXPECT_EQ(FavoriteTitle(c.display), c.title) << c.display;
}

TEST(FavoriteNames, LinkNamesAppendTheExtension)
{
    EXPECT_EQ(FavoriteLinkName(L"v1.2"), L"v1.2.lnk");
    EXPECT_EQ(FavoriteLinkName(L"写真"), L"写真.lnk");
    EXPECT_EQ(FavoriteLinkName(L"a.LNK"), L"a.LNK");
    EXPECT_EQ(FavoriteLinkName(L"lnk"), L"lnk.lnk");
}

TEST(FavoriteNames, RenamingKeepsAShortcutAShortcut)
{
    EXPECT_EQ(RenamedFavoriteName(L"a.lnk", L"b", false), L"b.lnk");
    EXPECT_EQ(RenamedFavoriteName(L"a.lnk", L"b.lnk", false), L"b.lnk");
    EXPECT_EQ(RenamedFavoriteName(L"a.lnk", L"v2.0", false), L"v2.0.lnk");
    EXPECT_EQ(RenamedFavoriteName(L"folder", L"new.name", true), L"new.name");
    EXPECT_EQ(PathSettingErrorText(L"C:\\x"), L"パス設定エラー : \"C:\\x\"");
}
