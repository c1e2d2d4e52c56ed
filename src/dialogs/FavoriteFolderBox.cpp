#include "dialogs/FavoriteFolderBox.h"

void TFavoriteFolderBox::Fill(HWND combo, const std::wstring& root, const std::wstring& select)
{
    Combo = combo;
    Entries = FavoriteFolders(root);
    SendMessageW(Combo, CB_RESETCONTENT, 0, 0);
    int chosen = 0;
    for (size_t i = 0; i < Entries.size(); ++i) {
        const TFavoriteFolder& f = Entries[i];
        // The favorites folder itself goes by the tree's name for it.
        std::wstring text = f.Depth == 0 ? L"お気に入り" : std::wstring(size_t(f.Depth) * 2, L' ') + f.Name;
        SendMessageW(Combo, CB_ADDSTRING, 0, LPARAM(text.c_str()));
        if (lstrcmpiW(f.Path.c_str(), select.c_str()) == 0) chosen = int(i);
    }
    SendMessageW(Combo, CB_SETCURSEL, chosen, 0);
}

std::wstring TFavoriteFolderBox::Chosen() const
{
    int index = int(SendMessageW(Combo, CB_GETCURSEL, 0, 0));
    return index >= 0 && size_t(index) < Entries.size() ? Entries[size_t(index)].Path : std::wstring();
}
