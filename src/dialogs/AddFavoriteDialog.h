#pragma once
// "お気に入りに追加": the name of a new favorite and the folder inside the
// favorites folder that gets it. OK gives the shortcut's full path, asking
// first when a file of that name is there already.
#include "dialogs/FavoriteFolderBox.h"
#include "gui/Dialog.h"

#include <string>

class TAddFavoriteDialog : public TDialog {
public:
    // `title`: the name offered (cleaned of what a file name cannot hold).
    TAddFavoriteDialog(HWND owner, const std::wstring& favoritesFolder, const std::wstring& title);

    // After OK: the shortcut file to write, and whether the user agreed to
    // replace the file of that name.
    const std::wstring& LinkPath() const { return Link; }
    bool ReplaceExisting() const { return Replace; }
    TFavoriteFolderBox& FolderBox() { return Folders; }

    void UpdateControls() override;

protected:
    void FormCreate() override;
    bool ButtonOkClick() override;

private:
    std::wstring Root, Title, Link;
    bool Replace = false;
    TFavoriteFolderBox Folders;
};
