#pragma once
// "お気に入りの整理": the favorites folder as a tree, where the user makes
// folders and renames, moves and deletes entries. Every change is made at
// once on the disk, inside the favorites folder only.
#include "dialogs/FavoriteFolderBox.h"
#include "gui/Dialog.h"

#include <memory>
#include <string>

class TFolderTreeView;

class TOrganizeFavoritesDialog : public TDialog {
public:
    TOrganizeFavoritesDialog(HWND owner, const std::wstring& favoritesFolder);
    ~TOrganizeFavoritesDialog() override;

    TFolderTreeView& Tree() { return *FolderTree; }
    // The buttons' work on the selected entry, as they do it (the move to a
    // folder chosen beforehand). False when nothing was changed.
    bool NewFolder();
    bool RenameSelected(const std::wstring& name);
    bool MoveSelected(const std::wstring& folder);
    bool DeleteSelected(bool ask = true);

    void UpdateControls() override;

protected:
    void FormCreate() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    bool Done(const std::wstring& error, const std::wstring& select);
    void ChooseFolderAndMove();

    std::wstring Root;
    std::unique_ptr<TFolderTreeView> FolderTree;
    std::wstring TypedName;  // of an edit that has just ended
};

// "フォルダへ移動": the folder inside the favorites folder an entry goes to.
class TFavoriteMoveDialog : public TDialog {
public:
    TFavoriteMoveDialog(HWND owner, const std::wstring& favoritesFolder, const std::wstring& current);
    const std::wstring& Folder() const { return Chosen; }

protected:
    void FormCreate() override;
    bool ButtonOkClick() override;

private:
    std::wstring Root, Current, Chosen;
    TFavoriteFolderBox Folders;
};
