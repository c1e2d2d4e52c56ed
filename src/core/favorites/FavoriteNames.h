#pragma once
// The names of the favorites folder's files: a shortcut's file name from the
// title the user confirms, the title offered for a folder, a renamed entry,
// and the message for a favorites root that cannot be shown.
#include <string>
#include <string_view>

// The title offered for a folder's display name: the characters a file name
// cannot hold (\ / : * ? " < > | and control characters) left out, spaces
// trimmed from both ends and dots from the end ("ローカル ディスク (C:)"
// offers "ローカル ディスク (C)"). Empty when nothing is left.
std::wstring FavoriteTitle(std::wstring_view displayName);

// The shortcut's file name for a confirmed title: ".lnk" appended, never
// put in place of what follows a dot ("v1.2" gives "v1.2.lnk"); a title
// that already ends in ".lnk" (any case) is taken as it is.
std::wstring FavoriteLinkName(std::wstring_view title);

// The file name an entry of the favorites folder gets when the user types
// `typed` over it: a shortcut keeps ".lnk" whether or not the user typed
// it; a folder takes the text as it is.
std::wstring RenamedFavoriteName(std::wstring_view oldFileName, std::wstring_view typed, bool isFolder);

// "パス設定エラー : " and the path in double quotes.
std::wstring PathSettingErrorText(std::wstring_view path);
