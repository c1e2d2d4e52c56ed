// The favorites: a selection in the favorites tree moves the folder tree,
// and the two commands add a shortcut to the current folder and organise
// the folder. The dialogs are the program's own on every platform (one
// shell's add dialog ends the process).
#include "browser/FolderTreeView.h"
#include "browser/ShellTreeView.h"
#include "commands/Commands.h"
#include "commands/Frame.h"
#include "core/commands/CommandIds.h"
#include "core/settings/InitData.h"
#include "dialogs/AddFavoriteDialog.h"
#include "dialogs/OrganizeFavoritesDialog.h"
#include "favorites/FavoriteShortcuts.h"
#include "gui/MessageBox.h"
#include "gui/Strings.h"

namespace {

const wchar_t kRootText[] = L"お気に入り";

// The folder the favorites tree shows (the setting until it shows one).
std::wstring FavoritesRoot(IMainFrame& frame)
{
    const std::wstring& root = frame.FavoritesTree().Root();
    return root.empty() ? AnsiToWide(frame.Settings().FavoritesFolder) : root;
}

void FavoriteSelected(IMainFrame& frame, HTREEITEM node)
{
    TFolderTreeView& tree = frame.FavoritesTree();
    if (node == tree.RootNode()) {
        // The favorites folder itself, for the active folder window only.
        if (frame.ActiveList()) frame.ShellTree().SelectPath(FavoritesRoot(frame));
        return;
    }
    // A sub-folder is no shortcut: selecting it only selects it.
    if (tree.IsFolderNode(node)) return;
    if (TIDListPtr target = ShortcutTargetFolder(frame.OwnerWindow(), tree.PathOf(node)))
        frame.ShellTree().SelectIDList(target.get());
}

void AfterChange(IMainFrame& frame)
{
    TFolderTreeView& tree = frame.FavoritesTree();
    tree.RebuildFavorites();
    tree.SetRootText(kRootText);
}

void AddFavorite(IMainFrame& frame)
{
    TSHFolderItem* folder = frame.ShellTree().SelectedItem();
    if (!folder) return;
    std::wstring target = folder->GetPath();
    if (target.empty()) {
        ShowMessageBox(frame.OwnerWindow(),
                       L"「" + folder->GetDisplayName() + L"」にはパスがないため、お気に入りに追加できません。",
                       MB_OK | MB_ICONWARNING);
        return;
    }
    std::wstring title;
    if (IShellFolder* parent = folder->GetParentFolder())
        GetItemDisplayName(parent, folder->RelativeList(), SHGDN_INFOLDER, title);
    if (title.empty()) title = folder->GetDisplayName();
    TAddFavoriteDialog dialog(frame.OwnerWindow(), FavoritesRoot(frame), title);
    if (dialog.ShowModal() != IDOK) return;
    DWORD error = 0;
    TShortcutResult result = CreateShortcut(dialog.LinkPath(), target, dialog.ReplaceExisting(), &error);
    if (result == TShortcutResult::Exists)
        ShowMessageBox(frame.OwnerWindow(), L"「" + dialog.LinkPath() + L"」は既にあるため、お気に入りを追加できません。",
                       MB_OK | MB_ICONWARNING);
    else if (result == TShortcutResult::Failed)
        ShowMessageBox(frame.OwnerWindow(),
                       L"お気に入りを追加できません。\n「" + dialog.LinkPath() + L"」を書き込めません。" +
                           (error ? L"\n" + SystemErrorText(error) : std::wstring()),
                       MB_OK | MB_ICONERROR);
    AfterChange(frame);
}

void OrganizeFavorites(IMainFrame& frame)
{
    TOrganizeFavoritesDialog dialog(frame.OwnerWindow(), FavoritesRoot(frame));
    dialog.ShowModal();
    AfterChange(frame);
}

}  // namespace

void BindFavoritesCommands(TActionList& actions, IMainFrame& frame)
{
    BindCommand(actions, Cmd::AddFavorite, [&frame] { AddFavorite(frame); });
    BindCommand(actions, Cmd::OrganizeFavorites, [&frame] { OrganizeFavorites(frame); });
    frame.SetFavoriteSelectHandler([&frame](HTREEITEM node) { FavoriteSelected(frame, node); });
}
