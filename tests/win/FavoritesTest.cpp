// The favorites tree on the real main window: what it shows, where a click
// on it leads, and the add and organise commands with their own dialogs,
// writing real shortcut files that a restart shows again.
#include "FrameFixture.h"
#include "Screenshot.h"
#include "browser/FolderTreeView.h"
#include "dialogs/AddFavoriteDialog.h"
#include "dialogs/OrganizeFavoritesDialog.h"
#include "favorites/FavoriteShortcuts.h"
#include "gui/Strings.h"
#include "res/DialogIds.h"
#include "shell/ShellHelpers.h"
#include "support/DialogAnswerer.h"
#include "support/DialogDriver.h"
#include "support/GuiTestHelpers.h"

#include <shlobj.h>

#include <cstring>
#include <vector>

namespace {

class FavoritesTest : public TFrameFixture {
protected:
    // The favorites folder with a shortcut to a folder of the data, a file
    // that is no shortcut, and a sub-folder holding only such a file.
    void MakeFavorites()
    {
        Target = MakeFolder(L"target", {L"inner"}, {L"t.txt"});
        Favorites = MakeFolder(L"fav", {L"sub"}, {L"b.txt", L"sub\\c.txt"});
        ASSERT_EQ(CreateShortcut(Favorites + L"\\a.lnk", Target, false), TShortcutResult::Written);
        TInitData settings;
        settings.FavoritesFolder = WideToAnsi(Favorites);
        WriteSettings(settings);
    }
    TFolderTreeView& Tree() { return Form->FavoritesTree(); }
    std::vector<std::wstring> Children(HTREEITEM node)
    {
        std::vector<std::wstring> names;
        for (HTREEITEM child = Tree().Next(node, TVGN_CHILD); child; child = Tree().Next(child, TVGN_NEXT))
            names.push_back(Tree().TextOf(child));
        return names;
    }
    HTREEITEM Child(HTREEITEM node, const std::wstring& text)
    {
        for (HTREEITEM child = Tree().Next(node, TVGN_CHILD); child; child = Tree().Next(child, TVGN_NEXT))
            if (Tree().TextOf(child) == text) return child;
        return nullptr;
    }
    // A click of the left button on the node's label, as the user does.
    void ClickNode(HTREEITEM node)
    {
        HWND tree = Tree().TreeHandle();
        RECT label{};
        std::memcpy(&label, &node, sizeof node);
        SendMessageW(tree, TVM_GETITEMRECT, TRUE, LPARAM(&label));
        LPARAM at = MAKELPARAM((label.left + label.right) / 2, (label.top + label.bottom) / 2);
        PostMessageW(tree, WM_LBUTTONUP, 0, at);
        SendMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
        Pump();
    }
    // A click on the tab "お気に入り" beside the folder tree.
    void ShowFavoritesPage()
    {
        HWND page = GetParent(Tree().Handle());
        HWND tabs = FindWindowExW(GetParent(page), nullptr, WC_TABCONTROLW, nullptr);
        ASSERT_TRUE(tabs);
        RECT r{};
        SendMessageW(tabs, TCM_GETITEMRECT, 1, LPARAM(&r));
        LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(tabs, WM_LBUTTONUP, 0, at);
        Pump();
        EXPECT_TRUE(IsWindowVisible(Tree().TreeHandle()));
    }
    bool HasButton(HTREEITEM node)
    {
        TVITEMW item{TVIF_CHILDREN, node};
        SendMessageW(Tree().TreeHandle(), TVM_GETITEMW, 0, LPARAM(&item));
        return item.cChildren != 0;
    }

    std::wstring Target, Favorites;
};

}  // namespace

TEST_F(FavoritesTest, ShowsFoldersAndShortcutsOnlyAndAClickOnAShortcutMovesTheFolderTree)
{
    MakeFavorites();
    TMainForm& form = Start();
    HTREEITEM root = Tree().RootNode();
    ASSERT_TRUE(root);
    EXPECT_EQ(Tree().TextOf(root), L"お気に入り");
    // The shell's order puts the folder first; the text file is not shown.
    EXPECT_EQ(Children(root), (std::vector<std::wstring>{L"sub", L"a"}));

    // A folder of files that are no shortcuts offers a button until it is
    // opened, and then has none.
    HTREEITEM sub = Child(root, L"sub");
    Tree().Expand(sub);
    Pump();
    EXPECT_TRUE(Children(sub).empty());
    EXPECT_FALSE(HasButton(sub));

    // A click on the shortcut moves the folder tree to its target; a click
    // on the sub-folder only selects it.
    std::wstring before = form.ShellTree().GetSelectedPath();
    ClickNode(sub);
    EXPECT_EQ(form.ShellTree().GetSelectedPath(), before);
    EXPECT_EQ(Tree().SelectedNode(), sub);
    ASSERT_TRUE(ShortcutTargetFolder(form.Handle(), Favorites + L"\\a.lnk"));
    ClickNode(Child(root, L"a"));
    EXPECT_EQ(Tree().SelectedNode(), Child(root, L"a"));
    EXPECT_EQ(form.ShellTree().GetSelectedPath(), Target);

    // The top node leads to the favorites folder only for a folder window.
    ClickNode(root);
    EXPECT_EQ(form.ShellTree().GetSelectedPath(), Target);
    OpenWindow(Target);
    ClickNode(Child(root, L"sub"));
    ClickNode(root);
    EXPECT_EQ(form.ShellTree().GetSelectedPath(), Favorites);

    ShowFavoritesPage();
    SaveScreenshot("favorites-tree");
}

TEST_F(FavoritesTest, AddedFavoritesAreRealShortcutsThatARestartShows)
{
    MakeFavorites();
    std::wstring folder = MakeFolder(L"v1.2", {}, {});
    TMainForm& form = Start();
    form.ShellTree().SelectPath(folder);
    Pump();

    // The dialog offers the folder's name and the favorites folder; a name
    // with a dot keeps it, and ".lnk" is appended.
    std::wstring offered;
    {
        TDialogDriver driver(L"お気に入りに追加", [&](HWND dialog) {
            wchar_t text[MAX_PATH] = {};
            GetDlgItemTextW(dialog, IDC_FAVNAME, text, MAX_PATH);
            offered = text;
            TDialogDriver::Press(dialog, IDOK);
        });
        ASSERT_TRUE(Run(Cmd::AddFavorite));
        EXPECT_TRUE(driver.Done());
    }
    EXPECT_EQ(offered, L"v1.2");
    ASSERT_TRUE(FileExists(Favorites + L"\\v1.2.lnk"));
    EXPECT_EQ(Children(Tree().RootNode()), (std::vector<std::wstring>{L"sub", L"a", L"v1.2"}));
    EXPECT_EQ(Tree().TextOf(Tree().RootNode()), L"お気に入り");

    // The same name again is not written over without asking: "no" keeps
    // the dialog open, and cancel leaves the file as it was.
    {
        TDialogDriver driver(L"お気に入りに追加", [&](HWND dialog) {
            TDialogAnswerer no(IDNO, dialog);
            TDialogDriver::Press(dialog, IDOK);
            no.WaitForAnswer(std::chrono::seconds(10));
            Sleep(200);
            TDialogDriver::Press(dialog, IDCANCEL);
        });
        ASSERT_TRUE(Run(Cmd::AddFavorite));
        EXPECT_TRUE(driver.Done());
    }
    EXPECT_FALSE(FileExists(Favorites + L"\\v1.2 (2).lnk"));

    // Into the sub-folder, under a name of the user's.
    {
        TDialogDriver driver(L"お気に入りに追加", [&](HWND dialog) {
            TDialogDriver::Type(dialog, IDC_FAVNAME, L"mine");
            SendDlgItemMessageW(dialog, IDC_FAVFOLDER, CB_SETCURSEL, 1, 0);
            TDialogDriver::Press(dialog, IDOK);
        });
        ASSERT_TRUE(Run(Cmd::AddFavorite));
    }
    EXPECT_TRUE(FileExists(Favorites + L"\\sub\\mine.lnk"));

    // A restart shows them; a click on one leads to its folder.
    Close();
    TMainForm& again = Start();
    HTREEITEM root = Tree().RootNode();
    EXPECT_EQ(Children(root), (std::vector<std::wstring>{L"sub", L"a", L"v1.2"}));
    Tree().Expand(Child(root, L"sub"));
    Pump();
    EXPECT_EQ(Children(Child(root, L"sub")), (std::vector<std::wstring>{L"mine"}));
    ClickNode(Child(root, L"v1.2"));
    EXPECT_EQ(again.ShellTree().GetSelectedPath(), folder);
}

TEST_F(FavoritesTest, OrganisingChangesTheDiskAndTheTreeKeepsWhatWasOpen)
{
    MakeFavorites();
    TMainForm& form = Start();
    ASSERT_EQ(CreateShortcut(Favorites + L"\\sub\\deep.lnk", Target, false), TShortcutResult::Written);
    HTREEITEM root = Tree().RootNode();
    Tree().Expand(Child(root, L"sub"));

    // The dialog's own work, on its tree.
    {
        TOrganizeFavoritesDialog dialog(form.Handle(), Favorites);
        ASSERT_TRUE(dialog.Create());
        TFolderTreeView& tree = dialog.Tree();
        ASSERT_TRUE(tree.SelectPath(Favorites + L"\\a.lnk"));
        EXPECT_TRUE(dialog.RenameSelected(L"renamed"));
        EXPECT_TRUE(FileExists(Favorites + L"\\renamed.lnk"));
        ASSERT_TRUE(tree.SelectPath(Favorites + L"\\renamed.lnk"));
        EXPECT_TRUE(dialog.MoveSelected(Favorites + L"\\sub"));
        EXPECT_TRUE(FileExists(Favorites + L"\\sub\\renamed.lnk"));
        // Nothing leaves the favorites folder.
        ASSERT_TRUE(tree.SelectPath(Favorites + L"\\sub\\renamed.lnk"));
        EXPECT_FALSE(dialog.MoveSelected(Data.Path()));
        ASSERT_TRUE(tree.SelectPath(Favorites));
        EXPECT_TRUE(dialog.NewFolder());
        EXPECT_TRUE(DirectoryExists(Favorites + L"\\新しいフォルダ"));
        ASSERT_TRUE(tree.SelectPath(Favorites + L"\\新しいフォルダ"));
        EXPECT_TRUE(dialog.DeleteSelected(false));
        EXPECT_FALSE(DirectoryExists(Favorites + L"\\新しいフォルダ"));
        dialog.PressCancel();
    }

    // The command shows the dialog and then rebuilds the tree, the opened
    // folder still open and the selection kept.
    ASSERT_TRUE(Tree().SelectPath(Favorites + L"\\sub\\deep.lnk"));
    {
        TDialogAnswerer close(IDCANCEL);
        ASSERT_TRUE(Run(Cmd::OrganizeFavorites));
        EXPECT_EQ(close.Caption, L"お気に入りの整理");
    }
    root = Tree().RootNode();
    EXPECT_EQ(Tree().TextOf(root), L"お気に入り");
    EXPECT_EQ(Children(root), (std::vector<std::wstring>{L"sub"}));
    HTREEITEM sub = Child(root, L"sub");
    EXPECT_TRUE(SendMessageW(Tree().TreeHandle(), TVM_GETITEMSTATE, WPARAM(sub), TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(Children(sub), (std::vector<std::wstring>{L"deep", L"renamed"}));
    EXPECT_EQ(Tree().SelectedPath(), Favorites + L"\\sub\\deep.lnk");
}

TEST_F(FavoritesTest, TheDialogsOnScreen)
{
    MakeFavorites();
    TMainForm& form = Start();
    {
        TAddFavoriteDialog add(form.Handle(), Favorites, L"ローカル ディスク (C:)");
        ASSERT_TRUE(add.Create());
        add.UpdateControls();
        wchar_t name[MAX_PATH] = {};
        GetDlgItemTextW(add.Handle(), IDC_FAVNAME, name, MAX_PATH);
        EXPECT_STREQ(name, L"ローカル ディスク (C)");
        PumpFor(200);
        SaveScreenshot("favorites-add");
        add.PressCancel();
    }
    TOrganizeFavoritesDialog organise(form.Handle(), Favorites);
    ASSERT_TRUE(organise.Create());
    organise.Tree().SelectPath(Favorites + L"\\a.lnk");
    organise.UpdateControls();
    PumpFor(200);
    SaveScreenshot("favorites-organise");
    organise.PressCancel();
}

TEST_F(FavoritesTest, AnUnusableRootIsToldAndTheTreeKeepsItsRoot)
{
    MakeFavorites();
    Start();
    EXPECT_FALSE(Tree().SetRoot(L"Q:\\no\\such\\folder"));
    EXPECT_EQ(Tree().Root(), Favorites);
    EXPECT_EQ(Children(Tree().RootNode()), (std::vector<std::wstring>{L"sub", L"a"}));
}

TEST_F(FavoritesTest, AShortcutThatCannotBeWrittenOrHasNoFolderIsTold)
{
    MakeFavorites();
    TMainForm& form = Start();
    // A folder of the shell with no path on the disk.
    PIDLIST_ABSOLUTE computer = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
    TIDListPtr owned(computer);
    form.ShellTree().SelectIDList(owned.get());
    Pump();
    {
        TDialogAnswerer ok(IDOK);
        ASSERT_TRUE(Run(Cmd::AddFavorite));
        EXPECT_NE(ok.Text.find(L"パスがないため"), std::wstring::npos) << ok.Text;
    }

    // The writer refuses to replace without leave, and says why it failed.
    std::vector<uint8_t> before = ReadWholeFile(Favorites + L"\\a.lnk");
    EXPECT_EQ(CreateShortcut(Favorites + L"\\a.lnk", Data.Path(), false), TShortcutResult::Exists);
    EXPECT_EQ(ReadWholeFile(Favorites + L"\\a.lnk"), before);
    DWORD error = 0;
    EXPECT_EQ(CreateShortcut(Favorites + L"\\gone\\x.lnk", Target, false, &error), TShortcutResult::Failed);
    EXPECT_NE(error, 0u);
    EXPECT_FALSE(FileExists(Favorites + L"\\gone\\x.lnk"));
}
