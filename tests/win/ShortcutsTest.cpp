// Shortcuts made by the program resolve to their targets and never replace
// a file that is already there.
#include "fileops/Shortcuts.h"
#include "gui/Handles.h"
#include "support/ShellTestHelpers.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <shlobj.h>

TEST(Shortcuts, NamedLikeThePlatformNumberedAndResolvingToTheTarget)
{
    CoInitialize(nullptr);
    TTempFolder folder;
    const std::wstring target = folder / L"レポート.txt";
    ASSERT_TRUE(WriteWholeFile(target, {'x'}));
    const std::wstring existing = folder / L"レポート.txt - ショートカット.lnk";
    ASSERT_TRUE(WriteWholeFile(existing, {'k', 'e', 'e', 'p'}));

    std::wstring made = CreateShortcutIn(folder.Path(), target);
    EXPECT_EQ(made, folder / L"レポート.txt - ショートカット (2).lnk");
    EXPECT_EQ(ResolvedTarget(made), target);
    // The file that held the first name is untouched.
    EXPECT_EQ(ReadWholeFile(existing), (std::vector<uint8_t>{'k', 'e', 'e', 'p'}));

    // A shortcut to a folder, and one into a folder that does not exist.
    EXPECT_EQ(ResolvedTarget(CreateShortcutIn(folder.Path(), folder.Path())), folder.Path());
    EXPECT_EQ(CreateShortcutIn(folder / L"missing", target), L"");
    EXPECT_FALSE(WriteNewShortcut(existing, target));
    EXPECT_EQ(ReadWholeFile(existing), (std::vector<uint8_t>{'k', 'e', 'e', 'p'}));
}
