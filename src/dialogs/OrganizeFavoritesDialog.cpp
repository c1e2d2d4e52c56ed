#include "dialogs/OrganizeFavoritesDialog.h"

#include "browser/FolderTreeView.h"
#include "core/favorites/FavoriteNames.h"
#include "core/help/HelpContexts.h"
#include "favorites/FavoritesFolder.h"
#include "gui/MessageBox.h"
#include "res/DialogIds.h"

namespace {

// Renames after the control has ended the edit: the rebuild deletes the
// node it is editing.
constexpr UINT kRenameMessage = WM_APP + 1;

std::wstring ParentOf(const std::wstring& path)
{
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring NameOf(const std::wstring& path)
{
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

TOrganizeFavoritesDialog::TOrganizeFavoritesDialog(HWND owner, const std::wstring& favoritesFolder)
    : TDialog(owner, IDD_ORGANIZEFAVORITES, HelpContext::OrganizeFavoritesDialog), Root(favoritesFolder)
{
}

TOrganizeFavoritesDialog::~TOrganizeFavoritesDialog() = default;

void TOrganizeFavoritesDialog::FormCreate()
{
    // The tree takes the place the template keeps for it.
    HWND place = Item(IDC_FAVTREE);
    RECT r;
    GetWindowRect(place, &r);
    MapWindowPoints(HWND_DESKTOP, Handle(), reinterpret_cast<POINT*>(&r), 2);
    FolderTree = std::make_unique<TFolderTreeView>(Handle(), IDC_FAVTREE + 1);
    SetWindowPos(FolderTree->Handle(), place, r.left, r.top, r.right - r.left, r.bottom - r.top, 0);
    ShowWindow(place, SW_HIDE);
    SendMessageW(FolderTree->TreeHandle(), WM_SETFONT, SendMessageW(Handle(), WM_GETFONT, 0, 0), FALSE);
    FolderTree->SetFileMask(L"*.lnk");
    FolderTree->SetRootText(L"お気に入り");
    FolderTree->SetReadOnly(false);
    FolderTree->SetRoot(Root);
    FolderTree->OnRenameNode = [this](TFolderTreeView&, HTREEITEM, const std::wstring& text) {
        TypedName = text;
        PostMessageW(Handle(), kRenameMessage, 0, 0);
        return true;
    };
}

bool TOrganizeFavoritesDialog::OnMessage(UINT msg, WPARAM, LPARAM, INT_PTR& result)
{
    if (msg != kRenameMessage) return false;
    RenameSelected(TypedName);
    result = 0;
    return true;
}

void TOrganizeFavoritesDialog::UpdateControls()
{
    bool entry = FolderTree && FolderTree->SelectedNode() && FolderTree->SelectedNode() != FolderTree->RootNode();
    EnableItem(IDC_FAVRENAME, entry);
    EnableItem(IDC_FAVMOVE, entry);
    EnableItem(IDC_FAVDELETE, entry);
}

bool TOrganizeFavoritesDialog::OnCommand(int id, int code, HWND)
{
    if (code != BN_CLICKED) return false;
    switch (id) {
    case IDC_FAVNEWFOLDER:
        NewFolder();
        return true;
    case IDC_FAVRENAME:
        SetFocus(FolderTree->TreeHandle());
        SendMessageW(FolderTree->TreeHandle(), TVM_EDITLABELW, 0, LPARAM(FolderTree->SelectedNode()));
        return true;
    case IDC_FAVMOVE:
        ChooseFolderAndMove();
        return true;
    case IDC_FAVDELETE:
        DeleteSelected();
        return true;
    default:
        return false;
    }
}

bool TOrganizeFavoritesDialog::Done(const std::wstring& error, const std::wstring& select)
{
    if (!error.empty()) {
        ShowMessageBox(Handle(), error, MB_OK | MB_ICONWARNING);
        return false;
    }
    FolderTree->RebuildFavorites();
    if (!select.empty()) FolderTree->SelectPath(select);
    return true;
}

bool TOrganizeFavoritesDialog::NewFolder()
{
    // In the selected folder, or beside the selected shortcut.
    HTREEITEM node = FolderTree->SelectedNode();
    std::wstring path = FolderTree->PathOf(node);
    std::wstring folder = FolderTree->IsFolderNode(node) ? path : ParentOf(path);
    if (!InsideFolder(Root, folder)) folder = Root;
    std::wstring made;
    return Done(NewFavoriteFolder(folder, made), made);
}

bool TOrganizeFavoritesDialog::RenameSelected(const std::wstring& name)
{
    HTREEITEM node = FolderTree->SelectedNode();
    std::wstring path = FolderTree->PathOf(node);
    if (node == FolderTree->RootNode() || !InsideFolder(Root, path)) return false;
    std::wstring fileName = RenamedFavoriteName(NameOf(path), name, FolderTree->IsFolderNode(node));
    std::wstring renamed;
    return Done(RenameFavorite(path, fileName, renamed), renamed);
}

bool TOrganizeFavoritesDialog::MoveSelected(const std::wstring& folder)
{
    HTREEITEM node = FolderTree->SelectedNode();
    std::wstring path = FolderTree->PathOf(node);
    if (node == FolderTree->RootNode() || !InsideFolder(Root, path) || !InsideFolder(Root, folder)) return false;
    std::wstring moved;
    return Done(MoveFavorite(path, folder, moved), moved);
}

bool TOrganizeFavoritesDialog::DeleteSelected(bool ask)
{
    HTREEITEM node = FolderTree->SelectedNode();
    std::wstring path = FolderTree->PathOf(node);
    if (node == FolderTree->RootNode() || !InsideFolder(Root, path)) return false;
    if (ask && ShowMessageBox(Handle(), L"「" + FolderTree->TextOf(node) + L"」を削除します。",
                              MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return false;
    return Done(DeleteFavorite(Handle(), path), ParentOf(path));
}

void TOrganizeFavoritesDialog::ChooseFolderAndMove()
{
    std::wstring path = FolderTree->SelectedPath();
    TFavoriteMoveDialog dialog(Handle(), Root, ParentOf(path));
    if (dialog.ShowModal() == IDOK) MoveSelected(dialog.Folder());
}

TFavoriteMoveDialog::TFavoriteMoveDialog(HWND owner, const std::wstring& favoritesFolder, const std::wstring& current)
    : TDialog(owner, IDD_FAVORITEMOVE, HelpContext::OrganizeFavoritesDialog), Root(favoritesFolder),
      Current(current)
{
}

void TFavoriteMoveDialog::FormCreate() { Folders.Fill(Item(IDC_FAVMOVEFOLDER), Root, Current); }

bool TFavoriteMoveDialog::ButtonOkClick()
{
    Chosen = Folders.Chosen();
    return !Chosen.empty();
}
