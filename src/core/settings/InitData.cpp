#include "core/settings/InitData.h"

#include "core/settings/AnsiText.h"

#include <utility>

TInitData::TInitData(std::string exeFolderAnsi, TFontData iconTitleFont)
    : FavoritesFolder(IncludeTrailingBackslash(exeFolderAnsi) + "Favorites")
    , TreeFont(iconTitleFont)
    , ListFont(iconTitleFont)
    , LockedFont(iconTitleFont)
    , PluginFolder(std::move(exeFolderAnsi))
{
}

TInitData::TInitData()
    : TInitData("C:\\", TFontData{"\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E", // ＭＳ Ｐゴシック
                                  clWindowText, 9, 0})
{
}
