// Shortcuts made by the program resolve to their targets and never replace
// a file that is already there.
#include "fileops/Shortcuts.h"
#include "gui/Handles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <shlobj.h>

namespace {

std::wstring ResolvedTarget(const std::wstring& linkPath)
{
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid())))
        return L"(no link object)";
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())) || FAILED(file->Load(linkPath.c_str(), STGM_READ)))
        return L"(not loaded)";
    wchar_t target[MAX_PATH] = L"";
    if (FAILED(link->GetPath(target, MAX_PATH, nullptr, 0))) return L"(no path)";
    return target;
}

}  // namespace

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
