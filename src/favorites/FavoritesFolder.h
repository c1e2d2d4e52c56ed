#pragma once
// The favorites folder as storage: which folder it is at start-up, its
// sub-folders for choosing where an entry goes, and the organise dialog's
// changes to its entries. Every change stays inside the folder.
#include <windows.h>

#include <string>
#include <vector>

// The setting when that directory exists or can be made (one level, like a
// single make-directory call); otherwise the user's Favorites folder.
std::wstring UsableFavoritesFolder(const std::wstring& setting);

struct TFavoriteFolder {
    std::wstring Path;
    std::wstring Name;
    int Depth = 0;  // 0 for the favorites folder itself
};
// The favorites folder and every sub-folder below it that is not hidden,
// depth first, each level in the shell's order of names.
std::vector<TFavoriteFolder> FavoriteFolders(const std::wstring& root);

// Whether `path` is `root` or lies below it.
bool InsideFolder(const std::wstring& root, const std::wstring& path);

// The organise dialog's changes. Each gives an empty text on success and
// otherwise the message for the user.
std::wstring RenameFavorite(const std::wstring& path, const std::wstring& newName, std::wstring& newPath);
std::wstring MoveFavorite(const std::wstring& path, const std::wstring& folder, std::wstring& newPath);
std::wstring DeleteFavorite(HWND owner, const std::wstring& path);
// A new folder "新しいフォルダ" (numbered when taken) in `folder`.
std::wstring NewFavoriteFolder(const std::wstring& folder, std::wstring& newPath);
