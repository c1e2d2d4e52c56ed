#include "dialogs/AddFavoriteDialog.h"

#include "core/dialogs/NameText.h"
#include "core/favorites/FavoriteNames.h"
#include "core/help/HelpContexts.h"
#include "gui/MessageBox.h"
#include "res/DialogIds.h"
#include "shell/ShellHelpers.h"

TAddFavoriteDialog::TAddFavoriteDialog(HWND owner, const std::wstring& favoritesFolder, const std::wstring& title)
    : TDialog(owner, IDD_ADDFAVORITE, HelpContext::AddFavoriteDialog), Root(favoritesFolder), Title(FavoriteTitle(title))
{
}

void TAddFavoriteDialog::FormCreate()
{
    SendMessageW(Item(IDC_FAVNAME), EM_LIMITTEXT, MAX_PATH - 5, 0);
    SetItemText(IDC_FAVNAME, Title);
    Folders.Fill(Item(IDC_FAVFOLDER), Root, Root);
    SendMessageW(Item(IDC_FAVNAME), EM_SETSEL, 0, -1);
}

void TAddFavoriteDialog::UpdateControls() { EnableItem(IDOK, !ItemText(IDC_FAVNAME).empty()); }

bool TAddFavoriteDialog::ButtonOkClick()
{
    std::wstring name = FavoriteLinkName(ItemText(IDC_FAVNAME));
    if (!IsUsableName(name)) {
        ShowMessageBox(Handle(), ForbiddenCharsMessage(kNameForbiddenHeading, L"\\/:*?\"<>|"), MB_OK | MB_ICONWARNING);
        return false;
    }
    std::wstring folder = Folders.Chosen();
    if (folder.empty()) return false;
    std::wstring path = JoinPath(folder, name);
    Replace = false;
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (ShowMessageBox(Handle(), L"「" + name + L"」は既にあります。\n置き換えますか？",
                           MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
            return false;
        Replace = true;
    }
    Link = path;
    return true;
}
