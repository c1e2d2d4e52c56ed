#pragma once
// A drop-down list of the favorites folder and its sub-folders, indented by
// depth, for choosing where a favorite goes.
#include "favorites/FavoritesFolder.h"

#include <windows.h>

#include <string>
#include <vector>

class TFavoriteFolderBox {
public:
    // Fills `combo` (a drop-down list) and chooses `select`, or the
    // favorites folder itself when the list does not hold it.
    void Fill(HWND combo, const std::wstring& root, const std::wstring& select);
    std::wstring Chosen() const;
    const std::vector<TFavoriteFolder>& Folders() const { return Entries; }

private:
    HWND Combo = nullptr;
    std::vector<TFavoriteFolder> Entries;
};
